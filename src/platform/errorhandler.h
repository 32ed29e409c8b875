#pragma once

#include <functional>

class DbfError;
class MessageBoxes;
class QString;

// The game's last resort for a table that is missing or damaged when it is opened: a German
// message naming the file and what is wrong, then the end of the program with a non-zero status.
// Nothing is written on the way out.
class ErrorHandler
{
public:
    using Exit = std::function<void(int status)>;

    ErrorHandler(MessageBoxes& boxes, Exit exit);
    void handle(const DbfError& error);
    void handle(const QString& message);

private:
    MessageBoxes& m_boxes;
    Exit m_exit;
};

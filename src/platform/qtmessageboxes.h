#pragma once

#include "platform/messageboxes.h"

// The message boxes of the desktop, in German.
class QtMessageBoxes : public MessageBoxes
{
public:
    int yesNo(QWidget* owner, const QString& text, const QString& title, int style = 0,
              int defaultButton = 0) override;
    void notice(QWidget* owner, const QString& text, const QString& title) override;
};

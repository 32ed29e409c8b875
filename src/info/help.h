#pragma once

#include <QString>

class MessageBoxes;

// The short instructions of the game, from the help menu.
class Help
{
public:
    // The nine paragraphs, separated by carriage returns: one between the paragraphs on the jokers,
    // two (an empty line) between all others.
    static QString text();
    // Shows the instructions in the platform's message box titled "Kurzanleitung".
    static void help(MessageBoxes& boxes);
};

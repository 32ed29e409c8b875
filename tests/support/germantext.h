#pragma once

#include <QString>

// Recognises a message meant for a German-speaking player, as opposed to an English system text.
class GermanText
{
public:
    // Whether the text holds at least one common German word (der, die, das, ist, nicht, kein …).
    static bool looksGerman(const QString& text);
};

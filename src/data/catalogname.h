#pragma once

#include <QString>

// How the player reads a catalog's name: in capitals, with its umlauts intact.
class CatalogName
{
public:
    // Names reach the game as Unicode, so upper-casing turns ö, ä and ü into Ö, Ä and Ü by itself
    // and no byte of a Windows code page has to be replaced afterwards. Only ß has no capital of its
    // own in the game's titles: it stays ß rather than becoming "SS".
    static QString inCapitals(const QString& name);
};

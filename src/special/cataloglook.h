#pragma once

#include "special/titlepanel.h"

#include <QString>

class NamedVariables;

// Reads a special catalog's settings file NAME.CFG, the look of its title panel. The eight
// variables c_Cb, c_name1, c_name2, c_oben, c_Co, c_unten, c_Cu and c_copy are taken from this
// file alone: what it lacks, and what it holds in the wrong kind (a text for a colour, a colour
// number the palette does not have), gets a neutral default, never the value of a catalog played
// before. A missing or damaged file gives the defaults.
class CatalogLook
{
public:
    // The look from the file at path. The game's variables receive the eight values used; no other
    // variable of the file reaches them.
    static TitlePanel::Look read(const QString& path, NamedVariables& gameVariables, const QString& catalogName);
    // Grey panel, white texts, the catalog's name as the big heading and "Spezialkatalog" below.
    static TitlePanel::Look defaults(const QString& catalogName);
};

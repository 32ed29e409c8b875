#pragma once

#include <QFont>
#include <QString>

// The game names its fonts by a compound name: the point size right-aligned in two characters,
// a full stop and the face name ("18.Arial", "13.Helv", " 8.Arial"). This is the one place where
// such a name becomes a QFont. "Helv" has no font on Linux and is answered by Liberation Sans, as
// is "Arial" where no Arial is installed.
class CompoundFont
{
public:
    // The QFont of a compound name. A name without a full stop is taken as a face name alone.
    static QFont toFont(const QString& compoundName);
    // The compound name of a size and a face: the size rounded half away from zero and written
    // right-aligned in two characters (name(13.0, "Helv") == "13.Helv", name(8, "Arial") == " 8.Arial").
    static QString name(double size, const QString& face);
    // The compound name of a QFont (its point size and family).
    static QString name(const QFont& font);
};

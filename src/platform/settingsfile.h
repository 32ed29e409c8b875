#pragma once

#include "platform/namedvariables.h"

#include <QString>

// The game's settings files ("screen.xpf", "standard.cfg", "katalog.XPF", a special catalog's ".CFG"):
// plain UTF-8 text, one "name = value" per line, described for catalog authors in
// docs/einstellungsdateien.md.
//
// A path names the file in its directory without regard to case, and a name without extension gets
// ".xpf": "katalog" in a directory holding "katalog.XPF" is that file. Failures throw SettingsError.
class SettingsFile
{
public:
    // Writes every variable whose name matches the wildcard pattern ("*" any run of characters, "?"
    // one character, without regard to case). The file is replaced as a whole or not at all, so a
    // crash or a full disk never leaves half a file. Throws SettingsError (CannotStore, CannotWrite).
    static void save(const QString& path, const QString& pattern, const NamedVariables& vars);

    // Adds the file's variables to vars, overwriting variables of the same name (without regard to
    // case). The whole file is checked before anything is set: a damaged file changes nothing.
    // Throws SettingsError (FileMissing, CannotRead, Damaged with the line).
    static void restore(const QString& path, NamedVariables& vars);

    // Whether the settings file exists, under the same rules for case and extension as save/restore.
    static bool exists(const QString& path);

    // The file that path stands for: the default extension added, the name found in its directory
    // without regard to case.
    static QString resolvedPath(const QString& path);

    // name with ".xpf" appended when its last component has no extension.
    static QString withDefaultExtension(QString name);

    // Whether name matches the wildcard pattern, without regard to case.
    static bool matches(const QString& name, const QString& pattern);
};

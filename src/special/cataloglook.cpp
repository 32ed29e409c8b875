#include "special/cataloglook.h"

#include "platform/namedvariables.h"
#include "platform/palette.h"
#include "platform/settingserror.h"
#include "platform/settingsfile.h"

#include <cmath>

namespace {

// A colour number the palette knows, or the default.
int colour(const NamedVariables& file, NamedVariables& game, const QString& name, int fallback)
{
    const QVariant value = file.value(name);
    int number = fallback;
    if (value.typeId() == QMetaType::Double) {
        const double given = value.toDouble();
        if (given == std::trunc(given) && std::abs(given) < 1000 && Palette::color(int(given)).isValid())
            number = int(given);
    }
    game.set(name, number);
    return number;
}

// A text, or the default. Line ends written Windows-style break the line once, not twice.
QString text(const NamedVariables& file, NamedVariables& game, const QString& name, const QString& fallback)
{
    const QVariant value = file.value(name);
    QString result = value.typeId() == QMetaType::QString ? value.toString() : fallback;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    game.set(name, result);
    return result;
}

} // namespace

TitlePanel::Look CatalogLook::defaults(const QString& catalogName)
{
    TitlePanel::Look look;
    look.c_name1 = catalogName;
    look.c_name2 = QStringLiteral("Spezialkatalog");
    return look;
}

TitlePanel::Look CatalogLook::read(const QString& path, NamedVariables& gameVariables, const QString& catalogName)
{
    NamedVariables file;
    try {
        SettingsFile::restore(path, file);
    } catch (const SettingsError&) {
        // The catalog plays all the same; its panel shows the defaults.
    }
    const TitlePanel::Look fallback = defaults(catalogName);
    TitlePanel::Look look;
    look.c_Cb = colour(file, gameVariables, QStringLiteral("c_Cb"), fallback.c_Cb);
    look.c_name1 = text(file, gameVariables, QStringLiteral("c_name1"), fallback.c_name1);
    look.c_name2 = text(file, gameVariables, QStringLiteral("c_name2"), fallback.c_name2);
    look.c_oben = text(file, gameVariables, QStringLiteral("c_oben"), fallback.c_oben);
    look.c_Co = colour(file, gameVariables, QStringLiteral("c_Co"), fallback.c_Co);
    look.c_unten = text(file, gameVariables, QStringLiteral("c_unten"), fallback.c_unten);
    look.c_Cu = colour(file, gameVariables, QStringLiteral("c_Cu"), fallback.c_Cu);
    look.c_copy = text(file, gameVariables, QStringLiteral("c_copy"), fallback.c_copy);
    return look;
}

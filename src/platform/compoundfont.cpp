#include "platform/compoundfont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <cmath>
#include <mutex>

namespace {

const char* const fallbackFace = "Liberation Sans";

// "Helv" (and "Arial" where it is missing) are answered by Liberation Sans; set up once.
void installSubstitutions()
{
    static std::once_flag once;
    std::call_once(once, [] {
        QFont::insertSubstitution(QStringLiteral("Helv"), QLatin1String(fallbackFace));
        if (!QFontDatabase::families().contains(QStringLiteral("Arial"), Qt::CaseInsensitive))
            QFont::insertSubstitution(QStringLiteral("Arial"), QLatin1String(fallbackFace));
    });
}

} // namespace

QFont CompoundFont::toFont(const QString& compoundName)
{
    installSubstitutions();
    const qsizetype dot = compoundName.indexOf(QLatin1Char('.'));
    QFont result;
    if (dot < 0) {
        result.setFamily(compoundName.trimmed());
        return result;
    }
    result.setFamily(compoundName.mid(dot + 1).trimmed());
    bool ok = false;
    const double size = compoundName.left(dot).trimmed().toDouble(&ok);
    if (ok && size > 0)
        result.setPointSizeF(size);
    return result;
}

QString CompoundFont::name(double size, const QString& face)
{
    const long long points = std::llround(size); // half away from zero
    return QString::number(points).rightJustified(2, QLatin1Char(' ')) + QLatin1Char('.') + face;
}

QString CompoundFont::name(const QFont& font)
{
    return name(font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF(), font.family());
}

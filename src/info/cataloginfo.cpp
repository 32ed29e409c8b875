#include "info/cataloginfo.h"

#include "app/gamestate.h"
#include "info/aboutbox.h"
#include "platform/dbf/database.h"
#include "platform/namedvariables.h"
#include "platform/settingserror.h"
#include "platform/settingsfile.h"
#include "ui/alertboxes.h"

#include <QDir>
#include <algorithm>
#include <cmath>

namespace {

constexpr int catalogArea = 1;
constexpr int topicArea = 5;

// A number right-aligned in width characters, without decimals.
QString number(double value, int width)
{
    return QString::number(std::llround(value)).rightJustified(width, QLatin1Char(' '));
}

// The lines to the player below the maker's notice, each ended by a carriage return alone.
QString textBlock()
{
    const QStringList lines{
        QStringLiteral("Sie haben Vorschläge zur Verbesserung"),
        QStringLiteral("dieses Programmes oder benötigen eine"),
        QStringLiteral("preiswerte Lösung für eine spezielle"),
        QStringLiteral("Verwaltungs-oder Organisationssoftware ?"),
        QStringLiteral("Sie möchten sich / Ihre Firma oder Ihren"),
        QStringLiteral("Verein gerne im Internet präsentieren ? "),
    };
    return lines.join(QLatin1Char('\r'));
}

} // namespace

CatalogInfo::CatalogInfo(GameState& state, Database& database, NamedVariables& variables, AlertBoxes& alerts,
                         QWidget* owner)
    : m_state(state)
    , m_database(database)
    , m_variables(variables)
    , m_alerts(alerts)
    , m_owner(owner)
{
}

void CatalogInfo::info()
{
    const bool mainCatalog = isMainCatalog();
    QString usw1;
    QString usw2;
    if (mainCatalog) {
        usw2 = importedCatalogs();
        usw1 = number(m_state.anzgeb, 4) + QStringLiteral(" Sachgebiete mit ") + number(m_state.anzfra, 5)
               + QStringLiteral(" Fragen");
    } else {
        usw1 = QStringLiteral("Spezialkatalog < ") + m_database.area(catalogArea).alias() + QStringLiteral(" >");
        usw2 = QStringLiteral("enthält ") + number(m_state.anzfra, 5) + QStringLiteral(" Fragen");
    }

    AboutBox::Texts texts;
    texts.title = QStringLiteral("Programm Information ");
    texts.productLine = QStringLiteral("Brimora 2.0");
    // The game costs nothing; the advertising banner pays for it.
    texts.distributionLine = QStringLiteral("Freeware");
    texts.infoLine1 = usw1;
    texts.infoLine2 = usw2;
    texts.noticeLine = QStringLiteral("Ein Spiel der Brimora-Redaktion");
    texts.textBlock = textBlock();
    std::function<void()> details;
    if (mainCatalog)
        details = [this] { info2(); };
    AboutBox::aboutBox(m_owner, texts, details);
}

void CatalogInfo::info2()
{
    QString text;
    m_database.select(topicArea);
    WorkArea& topics = m_database.current();
    for (topics.goTop(); !topics.eof(); topics.skip())
        text += topicLine(topics.fieldGet(QStringLiteral("anz")), topics.fieldGet(QStringLiteral("name")).toString());
    m_alerts.alertBox(nullptr, text, {QStringLiteral("      OK      ")}, 11, QStringLiteral("Info Sachgebiete"));
    m_database.select(catalogArea);
}

bool CatalogInfo::isMainCatalog()
{
    return m_database.area(catalogArea).alias().toUpper().startsWith(QLatin1String("QUIZ"));
}

QString CatalogInfo::importedCatalogs()
{
    const QString file = QDir(m_state.Pfad).filePath(QStringLiteral("katalog.XPF"));
    if (!SettingsFile::exists(file))
        return QStringLiteral("eingespielte Kataloge :      keine");
    try {
        SettingsFile::restore(file, m_variables);
    } catch (const SettingsError& error) {
        // A damaged record of the imports is said as such; the line then lists what this run knows.
        m_alerts.alertBox(nullptr, error.message().replace(QLatin1Char('\n'), QLatin1Char(';')), {QStringLiteral("~Ok")},
                          11, QStringLiteral("Hinweis"));
    }
    QString list;
    for (double catalog : katnr())
        list += number(catalog, 2) + QLatin1Char(',');
    return QStringLiteral("eingespielte Kataloge : ") + list;
}

QList<double> CatalogInfo::katnr() const
{
    const QVariant value = m_variables.value(QStringLiteral("katnr"));
    const QVariantList entries = value.typeId() == QMetaType::QVariantList ? value.toList() : QVariantList{value};
    QList<double> numbers;
    for (const QVariant& entry : entries) {
        if (entry.typeId() == QMetaType::Double)
            numbers.append(entry.toDouble());
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

QString CatalogInfo::topicLine(const QVariant& anz, const QString& name)
{
    const double count = anz.toDouble();
    const int width = count < 10 ? 8 : count < 100 ? 7 : 6;
    return number(count, width) + QStringLiteral("  x  ") + name + QLatin1Char(';');
}

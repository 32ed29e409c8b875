#include "special/specialcatalogs.h"

#include "app/gamestate.h"
#include "app/mainwindow.h"
#include "data/datafilelock.h"
#include "highscore/highscorelist.h"
#include "platform/dbf/database.h"
#include "platform/filelookup.h"
#include "platform/messageboxes.h"
#include "special/cataloglook.h"
#include "special/specialcataloglist.h"
#include "special/specialchooser.h"
#include "special/titlepanel.h"
#include "ui/bdbuttonfunctions.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <memory>

namespace {

const QString mainCatalog = QStringLiteral("QUIZ.QUZ");
const QString keepPlaying = QStringLiteral("\nEs geht mit dem bisherigen Katalog weiter.");

QString counterText(int value)
{
    return QString::number(value).rightJustified(3, QLatin1Char(' '));
}

} // namespace

SpecialCatalogs::SpecialCatalogs(GameState& state, Parts parts, Calls calls)
    : m_state(state)
    , m_parts(parts)
    , m_calls(std::move(calls))
{
}

void SpecialCatalogs::spezial()
{
    const SpecialCatalogList list = SpecialCatalogList::build(m_state.Pfad, playingAlias(), *m_parts.lock);
    m_state.aKataloge.clear();
    for (const QString& name : list.aKataloge)
        m_state.aKataloge << name;
    m_state.haupt = list.haupt;
    // While a special catalog is in play, the way back to the main catalog is an entry of its own:
    // the list is empty only when there is nothing at all to choose.
    if (list.entries.isEmpty()) {
        m_parts.boxes->notice(m_state.oDlg, QStringLiteral("keine Spezial-Kataloge gefunden !"),
                              QStringLiteral("Service"));
        return;
    }

    auto dialog = std::make_unique<SpecialChooser>(m_parts.window, m_state.F, list.entries);
    m_state.oDlgs = dialog.get();
    const std::optional<QList<int>> chosen = dialog->run();
    m_state.oDlgs = nullptr;
    dialog.reset();
    closeChooser();
    if (chosen)
        zeigeSp(*chosen);
}

void SpecialCatalogs::zeigeSp(const QList<int>& positions)
{
    closeChooser();
    const QString catalog = chosenCatalog(positions);
    if (catalog.isEmpty())
        return;
    const QString highscores = QStringLiteral("HSC_") + SpecialCatalogList::withoutExtension(catalog)
                               + QStringLiteral(".QUZ");

    // Everything is checked before the game changes: a catalog that cannot be played leaves the
    // game with the catalog it had.
    QString problem = whyNotPlayable(catalog);
    if (problem.isEmpty())
        problem = prepareHighScores(highscores);
    if (!problem.isEmpty()) {
        notice(problem + keepPlaying);
        return;
    }

    const QString oldCatalog = m_state.kana;
    const QString oldHighscores = m_state.kahi;
    try {
        openTables(catalog, highscores);
    } catch (const DbfError& error) {
        notice(QStringLiteral("Der Katalog %1 kann nicht gespielt werden:\n%2")
                   .arg(SpecialCatalogList::withoutExtension(catalog), error.fault())
               + keepPlaying);
        openTables(oldCatalog, oldHighscores);
        return;
    }

    setWindowTitle(catalog);
    startNewGame();
    showLook(catalog);
    if (m_calls.wahl())
        m_calls.frageNeu();
}

QString SpecialCatalogs::playingAlias() const
{
    if (m_parts.database->isOpen(1))
        return m_parts.database->area(1).alias();
    return SpecialCatalogList::withoutExtension(m_state.kana);
}

QString SpecialCatalogs::chosenCatalog(const QList<int>& positions) const
{
    if (positions.isEmpty())
        return {};
    int p = positions.first();
    if (!m_state.haupt) {
        if (p == 1)
            return mainCatalog;
        --p;
    }
    if (p < 1 || p > m_state.aKataloge.size())
        return {};
    return m_state.aKataloge.at(p - 1).toString();
}

void SpecialCatalogs::closeChooser()
{
    // The chooser's own loop ends with it and destroys it.
    if (m_state.oDlgs)
        m_state.oDlgs->close();
    if (m_parts.window) {
        m_parts.window->activateWindow();
        m_parts.window->setFocus();
    }
}

QString SpecialCatalogs::whyNotPlayable(const QString& catalog) const
{
    const QString name = SpecialCatalogList::withoutExtension(catalog);
    QString fault;
    const int count = SpecialCatalogList::countQuestions(m_state.Pfad, catalog, *m_parts.lock, &fault);
    if (count < 0)
        return QStringLiteral("Der Katalog %1 kann nicht geöffnet werden:\n%2").arg(name, fault);
    if (count == 0)
        return QStringLiteral("Der Katalog %1 enthält keine Fragen.").arg(name);
    return {};
}

QString SpecialCatalogs::prepareHighScores(const QString& highscores) const
{
    if (!FileLookup::exists(m_state.Pfad, highscores))
        return createHighScores(highscores);
    m_parts.lock->encrypt(highscores, false);
    try {
        DbfTable::open(m_parts.database->tablePath(highscores));
    } catch (const DbfError& error) {
        m_parts.lock->crypt(highscores);
        return QStringLiteral("Die Bestenliste %1 kann nicht geöffnet werden:\n%2").arg(highscores, error.fault());
    }
    return {};
}

// A new high score table is a copy of "highscor.QUZ" with every slot emptied: as many places as
// the main list, none of its entries.
QString SpecialCatalogs::createHighScores(const QString& highscores) const
{
    const QString source = FileLookup::resolve(m_state.Pfad, QStringLiteral("highscor.QUZ"));
    const QString target = QDir(m_state.Pfad).filePath(highscores);
    if (!QFile::copy(source, target))
        return QStringLiteral("Die Bestenliste %1 kann nicht angelegt werden.").arg(highscores);
    m_parts.lock->encrypt(highscores, false);
    try {
        auto table = DbfTable::open(target);
        const int richtige = table->requireField(QStringLiteral("richtige"));
        const int name = table->requireField(QStringLiteral("name"));
        const int datum = table->requireField(QStringLiteral("datum"));
        for (int recno = 1; recno <= table->recordCount(); ++recno) {
            table->setValue(recno, richtige, 0);
            table->setValue(recno, name, QString());
            table->setValue(recno, datum, QVariant()); // the empty date
        }
        table->commit();
    } catch (const DbfError& error) {
        QFile::remove(target);
        return QStringLiteral("Die Bestenliste %1 kann nicht angelegt werden:\n%2").arg(highscores, error.fault());
    }
    return {};
}

void SpecialCatalogs::openTables(const QString& catalog, const QString& highscores)
{
    Database& database = *m_parts.database;
    m_parts.lock->encrypt(highscores, false);
    WorkArea& scores = database.use(2, highscores);
    scores.createIndex(HighScoreList::indexName, HighScoreList::indexKey);
    m_parts.lock->encrypt(catalog, true);
    m_state.anzfra = database.use(1, catalog).recCount();
    m_state.kana = catalog;
    m_state.kahi = highscores;
}

void SpecialCatalogs::setWindowTitle(const QString& catalog)
{
    QString title = QStringLiteral("Brimora 2.0 ");
    if (catalog != mainCatalog)
        title += QStringLiteral("   -   Spezialkatalog < ") + SpecialCatalogList::withoutExtension(catalog)
                 + QStringLiteral(" >");
    if (m_parts.window)
        m_parts.window->setWindowTitle(title);
}

// The game in progress ends: counters at zero, both jokers back, no question asked yet, and the
// advertising banner of a first wrong answer gone with it.
void SpecialCatalogs::startNewGame()
{
    m_calls.jokersBack();
    m_state.aArrayI.clear();
    m_state.fehler = 0;
    m_state.richtig = 0;
    QWidget* playField = m_parts.buttons->defaultParent;
    bdUpdateButton(*m_parts.buttons, {.button = 111, .caption = counterText(m_state.fehler), .parent = playField});
    bdUpdateButton(*m_parts.buttons, {.button = 112, .caption = counterText(m_state.richtig), .parent = playField});
    delete m_state.pb1;
    delete m_state.pb2;
    m_state.pb1 = nullptr;
    m_state.pb2 = nullptr;
}

void SpecialCatalogs::showLook(const QString& catalog)
{
    delete m_state.oXbb;
    m_state.oXbb = nullptr;
    if (catalog != mainCatalog) {
        const QString name = SpecialCatalogList::withoutExtension(catalog);
        const TitlePanel::Look look = CatalogLook::read(QDir(m_state.Pfad).filePath(name + QStringLiteral(".CFG")),
                                                        *m_parts.variables, name);
        if (m_state.oLogo)
            m_state.oLogo->hide();
        m_state.neuBG = true;
        m_state.oXbb = new TitlePanel(m_parts.buttons->defaultParent, m_state.F, look);
    } else {
        m_state.neuBG = false;
        // The hidden logo of before gives way to the new one.
        delete m_state.oLogo;
        m_state.oLogo = m_calls.displayLogo();
    }
}

void SpecialCatalogs::notice(const QString& text)
{
    m_parts.boxes->notice(m_state.oDlg, text, QStringLiteral("Katalogauswahl"));
}

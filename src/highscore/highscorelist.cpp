#include "highscore/highscorelist.h"

#include "app/gamestate.h"
#include "data/catalogname.h"
#include "highscore/scorenamedialog.h"
#include "platform/dbf/database.h"
#include "platform/messageboxes.h"
#include "ui/alertboxes.h"

#include <QDate>

namespace {

constexpr int places = 10;
constexpr int shownNameLength = 20;
// The style code of the reset question: a question mark, application-modal.
constexpr int resetQuestionStyle = 131104;
constexpr int informationIcon = 11;

const QString richtigeField = QStringLiteral("richtige");
const QString nameField = QStringLiteral("name");
const QString datumField = QStringLiteral("datum");

QString blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

// The place, right-aligned in 3 characters, with one more blank in front of 1 to 9.
QString placeText(int place)
{
    const QString text = QString::number(place).rightJustified(3, QLatin1Char(' '));
    return place < 10 ? QLatin1Char(' ') + text : text;
}

// The score, right-aligned in 4 characters, with extra blanks in front that stand in for the width
// of the missing digits in the proportional message font: one below 100, one more below 10, and six
// more for a 0, which also makes up for the empty date printing narrower than a real one.
QString scoreValueText(qlonglong richtige)
{
    QString text = QString::number(richtige).rightJustified(4, QLatin1Char(' '));
    if (richtige < 100)
        text.prepend(QLatin1Char(' '));
    if (richtige < 10)
        text.prepend(QLatin1Char(' '));
    if (richtige == 0)
        text.prepend(blanks(6));
    return text;
}

// The three fields of one slot of the list.
struct Slot
{
    QVariant richtige;
    QVariant name;
    QVariant datum;
};

const Slot emptySlot{0, QString(), QVariant()}; // the empty date

Slot readSlot(const WorkArea& highscores)
{
    return {highscores.fieldGet(richtigeField), highscores.fieldGet(nameField), highscores.fieldGet(datumField)};
}

void writeSlot(WorkArea& highscores, const Slot& slot)
{
    highscores.fieldPut(nameField, slot.name);
    highscores.fieldPut(richtigeField, slot.richtige);
    highscores.fieldPut(datumField, slot.datum);
}

// Writes a slot back after a failed entry, as far as the table still takes writes: a fault here
// leaves the record as the first fault left it, and the player has been told already.
void putBack(WorkArea& highscores, int recno, const Slot& slot)
{
    try {
        highscores.goTo(recno);
        writeSlot(highscores, slot);
    } catch (const DbfError&) {
    }
}

} // namespace

const QString HighScoreList::indexName = QStringLiteral("ihigh");
const QString HighScoreList::indexKey = QStringLiteral("descend(richtige)");

HighScoreList::HighScoreList(GameState& state, Database& database, MessageBoxes& boxes, AlertBoxes& alerts)
    : m_state(state)
    , m_database(database)
    , m_boxes(boxes)
    , m_alerts(alerts)
{
}

QString HighScoreList::dateText(const QVariant& date)
{
    const QDate day = date.toDate();
    // The empty date keeps the shape of a real one: blanks where the digits would be.
    if (!day.isValid())
        return QStringLiteral("  .  .    ");
    return day.toString(QStringLiteral("dd.MM.yyyy"));
}

QString HighScoreList::scoreText(WorkArea& highscores)
{
    QString text = QStringLiteral("Platz   Datum        Richtige       Name;")
                   + QString(70, QLatin1Char('-')) + QLatin1Char(';');
    highscores.goTop();
    for (int place = 1; place <= places; ++place) {
        // Past the last record every field reads blank: score 0, no name, empty date.
        const qlonglong richtige = highscores.fieldGet(richtigeField).toLongLong();
        const QString name = highscores.fieldGet(nameField).toString();
        text += placeText(place) + blanks(6) + dateText(highscores.fieldGet(datumField)) + blanks(7)
                + scoreValueText(richtige) + blanks(7) + name.left(shownNameLength) + QLatin1Char(';');
        highscores.skip();
    }
    return text;
}

QString HighScoreList::catalogName(const Database& database)
{
    if (!database.isOpen(1))
        return {};
    // Looking up a work area changes nothing in the database; its accessor is merely not const.
    const QString alias = const_cast<Database&>(database).area(1).alias();
    return CatalogName::inCapitals(alias);
}

void HighScoreList::score()
{
    m_database.select(2);
    const QString text = scoreText(m_database.area(2));
    m_alerts.alertBox(nullptr, text, {QStringLiteral("zurück zum Spiel")}, informationIcon,
                      QStringLiteral(" Highscoreliste ") + catalogName(m_database));
    m_database.select(1);
}

void HighScoreList::nullSc()
{
    if (m_boxes.yesNo(nullptr, QStringLiteral("Highscoreliste zurücksetzen ?"),
                      QStringLiteral(" Katalog ") + catalogName(m_database), resetQuestionStyle)
        != MessageBoxes::Yes)
        return;

    m_database.select(2);
    WorkArea& highscores = m_database.area(2);
    QString fault;
    try {
        // Without an index the passes run in record order and no index has to follow them.
        highscores.clearIndexes();
        for (highscores.goTop(); !highscores.eof(); highscores.skip())
            highscores.fieldPut(richtigeField, 0);
        for (highscores.goTop(); !highscores.eof(); highscores.skip())
            highscores.fieldPut(nameField, QString());
        for (highscores.goTop(); !highscores.eof(); highscores.skip())
            highscores.fieldPut(datumField, QVariant()); // the empty date
        m_database.commitAll();
    } catch (const DbfError& error) {
        fault = QStringLiteral("Die Highscore-Liste ließ sich nicht zurücksetzen.\n\n") + error.message();
    }
    // The index is built in any case: the next entry must go into the spare slot of the right order.
    try {
        highscores.createIndex(indexName, indexKey);
    } catch (const DbfError& error) {
        if (fault.isEmpty())
            fault = QStringLiteral("Die Highscore-Liste wurde zurückgesetzt, nur ihre Indexdatei ließ sich nicht "
                                   "schreiben. Die Liste bleibt trotzdem richtig sortiert.\n\n")
                    + error.message();
    }
    if (!fault.isEmpty())
        reportFault(fault);
    m_database.select(1);
}

void HighScoreList::scoreName()
{
    m_database.select(2);
    WorkArea& highscores = m_database.area(2);
    // The last record in index order is the spare slot that takes the new entry.
    highscores.goBottom();
    const int spare = highscores.recNo();
    int pushedOut = 0;
    Slot pushedOutBefore;
    try {
        {
            ScoreNameDialog dialog(m_state.oDlg, m_state.F, highscores);
            dialog.run();
        }
        if (!highscores.fieldGet(nameField).toString().trimmed().isEmpty()) {
            highscores.fieldPut(datumField, QDate::currentDate());
            highscores.fieldPut(richtigeField, m_state.richtig);
            // The entry has moved up to its place; the record now last becomes the new spare slot.
            highscores.goBottom();
            pushedOut = highscores.recNo();
            pushedOutBefore = readSlot(highscores);
            writeSlot(highscores, emptySlot);
            m_database.commitAll();
        }
    } catch (const DbfError& error) {
        // No half entry stays behind, and no entry is pushed out by an entry that was not made.
        if (pushedOut != 0 && pushedOut != spare)
            putBack(highscores, pushedOut, pushedOutBefore);
        putBack(highscores, spare, emptySlot);
        reportFault(QStringLiteral("Das Ergebnis ließ sich nicht in die Highscore-Liste eintragen; die Liste bleibt, "
                                   "wie sie war.\n\n")
                    + error.message());
    }
    m_database.select(1);
}

void HighScoreList::reportFault(const QString& text)
{
    m_boxes.notice(nullptr, text + QStringLiteral("\n\nDas Spiel geht weiter."), QStringLiteral("Hinweis"));
}

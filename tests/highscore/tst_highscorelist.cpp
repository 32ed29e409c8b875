#define QTEST_QPA_MOUSE_HANDLING
#include <QtTest>

#include "app/gamestate.h"
#include "data/cataloglayout.h"
#include "highscore/highscorelist.h"
#include "highscore/scorenamedialog.h"
#include "platform/bottomleft.h"
#include "platform/dbf/database.h"
#include "platform/dbf/dbftable.h"
#include "platform/scriptedmessageboxes.h"

#include "dbfpeer.h"
#include "filesnapshot.h"
#include "gamedata.h"
#include "scriptedalertboxes.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <functional>
#include <memory>

namespace {

const QString header = QStringLiteral(
    "Platz   Datum        Richtige       Name;"
    "----------------------------------------------------------------------;");

// The row of a slot past the entries: empty date, score 0 with its eleven blanks, blank name.
QString emptyRow(int place)
{
    const QString number = place < 10 ? QStringLiteral("   %1").arg(place) : QStringLiteral(" %1").arg(place);
    return number + QStringLiteral("        .  .                      0                           ;");
}

QString emptyRows(int from)
{
    QString rows;
    for (int place = from; place <= 10; ++place)
        rows += emptyRow(place);
    return rows;
}

// One entry to put into a record: {recno, richtige, name, date}.
QVariant entry(int recno, int richtige, const QString& name, QDate date)
{
    return QVariantList{recno, richtige, name, date};
}

QDate today()
{
    return QDate::currentDate();
}

// Answers the name dialog as a player would: waits until it is the active modal window (polling
// every 10 ms), then hands it to answer. A dialog that never comes, or that the answer did not
// close, is closed at the deadline and reported, so the test fails instead of hanging.
class DialogAnswer
{
public:
    explicit DialogAnswer(std::function<void(QWidget*)> answer)
        : m_answer(std::move(answer))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    bool answered() const { return m_answered; }
    bool leftOpen() const { return m_leftOpen; }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!m_answered && modal && modal->objectName() == QLatin1String("scoreNameDialog") && modal->isVisible()) {
            m_answered = true;
            m_dialog = modal;
            m_answer(modal);
            // A check that failed inside the answer must not leave the dialog waiting for a player.
            if (QTest::currentTestFailed()) {
                m_timer.stop();
                modal->close();
            }
            return;
        }
        // The dialog is gone once scoreName returns, and this answer with it; until then the
        // deadline keeps a dialog that did not end its loop from blocking the test.
        if (m_deadline.hasExpired()) {
            m_timer.stop();
            QWidget* open = m_dialog ? m_dialog.data() : modal;
            m_leftOpen = open != nullptr;
            // Sent straight to the widget: a hidden window no longer takes close() from outside.
            if (open) {
                QCloseEvent event;
                QCoreApplication::sendEvent(open, &event);
            }
        }
    }

    std::function<void(QWidget*)> m_answer;
    QTimer m_timer;
    QDeadlineTimer m_deadline{20000};
    QPointer<QWidget> m_dialog;
    bool m_answered = false;
    bool m_leftOpen = false;
};

QLineEdit* nameEdit(QWidget* dialog)
{
    return dialog->findChild<QLineEdit*>(QStringLiteral("nameEdit"));
}

// Types text into a widget key by key, as a player would; letters outside ASCII come as key
// events carrying their text, like those of a German keyboard.
void type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QPushButton* okButton(QWidget* dialog)
{
    return dialog->findChild<QPushButton*>(QStringLiteral("okButton"));
}

// The close box of the title bar: the window system asks the window to close.
void closeByCloseBox(QWidget* dialog)
{
    QCloseEvent event;
    QCoreApplication::sendEvent(dialog->windowHandle(), &event);
}

} // namespace

class TestHighScoreList : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listShowsTenRowsInIndexOrder_data();
    void listShowsTenRowsInIndexOrder();
    void scoreShowsListInAlertBoxTitledWithCatalog();
    void catalogNameIsAliasInCapitalsWithUmlauts_data();
    void catalogNameIsAliasInCapitalsWithUmlauts();
    void dateShowsGermanDayMonthYear();

    void resetOnYesEmptiesEverySlotAndRebuildsIndex();
    void resetOnNoChangesNothing();

    void nameDialogLooksAsScaled();
    void okWritesNameScoreAndTodayForOtherReaders();
    void enterWritesLikeOk();
    void closeBoxWritesNothing();
    void escapeWritesNothingLikeCloseBox();
    void blankNameRecordsNothing();
    void nameLongerThanTwentyCannotBeTyped();
    void entryMovesUpAndNewLastSlotIsEmptied();
    void fullListPushesOutLowestEntry();
    void firstResultAfterResetEntersAtPlaceOne();

private:
    void openTables(const QList<DbfField>& layout, int records);
    void put(const QVariantList& entries);
    WorkArea& highscores() { return m_database->area(2); }
    QVariantList record(int recno);
    // Record numbers of the table in index order.
    QList<int> indexOrder();
    void runScoreName(std::function<void(QWidget*)> answer);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Database> m_database;
    GameState m_state;
    ScriptedMessageBoxes m_boxes;
    ScriptedAlertBoxes m_alerts;
};

void TestHighScoreList::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    GameData::createMainFiles(m_dir->path());
    m_state = GameState();
    m_state.F = 1.3;
    m_boxes = ScriptedMessageBoxes();
    m_alerts = ScriptedAlertBoxes();
    openTables({}, 0);
}

void TestHighScoreList::cleanup()
{
    m_database.reset();
    m_dir.reset();
}

// Opens the tables as the game does; a layout replaces the shipped high score table by one of that
// layout with that many empty records.
void TestHighScoreList::openTables(const QList<DbfField>& layout, int records)
{
    m_database = std::make_unique<Database>();
    m_database->setDataDirectory(m_dir->path());
    m_database->setDefaultExtensions(QStringLiteral("QUZ"), QStringLiteral("QUI"));
    if (!layout.isEmpty()) {
        const QString path = QDir(m_dir->path()).filePath(QStringLiteral("HIGHSCOR.QUZ"));
        DbfTable::create(path, layout);
        auto table = DbfTable::open(path);
        for (int i = 0; i < records; ++i)
            table->appendRecord({0});
    }
    WorkArea& table = m_database->use(2, QStringLiteral("highscor"));
    table.createIndex(QStringLiteral("ihigh"), QStringLiteral("descend(richtige)"));
    table.clearIndexes();
    table.setIndex(QStringLiteral("ihigh"));
    m_database->use(1, QStringLiteral("quiz"));
}

void TestHighScoreList::put(const QVariantList& entries)
{
    for (const QVariant& e : entries) {
        const QVariantList values = e.toList();
        highscores().goTo(values.at(0).toInt());
        highscores().fieldPut(QStringLiteral("richtige"), values.at(1).toInt());
        highscores().fieldPut(QStringLiteral("name"), values.at(2).toString());
        highscores().fieldPut(QStringLiteral("datum"), values.at(3));
    }
    m_database->commitAll();
}

QVariantList TestHighScoreList::record(int recno)
{
    highscores().goTo(recno);
    return {highscores().fieldGet(QStringLiteral("richtige")).toInt(),
            highscores().fieldGet(QStringLiteral("name")).toString().trimmed(),
            highscores().fieldGet(QStringLiteral("datum")).toDate()};
}

QList<int> TestHighScoreList::indexOrder()
{
    QList<int> order;
    for (highscores().goTop(); !highscores().eof(); highscores().skip())
        order << highscores().recNo();
    return order;
}

void TestHighScoreList::runScoreName(std::function<void(QWidget*)> answer)
{
    QWidget mainWindow;
    mainWindow.setObjectName(QStringLiteral("mainWindow"));
    mainWindow.show();
    m_state.oDlg = &mainWindow;
    DialogAnswer player(std::move(answer));
    HighScoreList(m_state, *m_database, m_boxes, m_alerts).scoreName();
    m_state.oDlg = nullptr;
    QVERIFY2(player.answered(), "the name dialog never became the active modal window");
    QVERIFY2(!player.leftOpen(), "the name dialog stayed open after the answer");
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(m_database->selected(), 1);
}

void TestHighScoreList::listShowsTenRowsInIndexOrder_data()
{
    QTest::addColumn<int>("nameLength");
    QTest::addColumn<int>("records");
    QTest::addColumn<QVariantList>("entries");
    QTest::addColumn<QString>("rows");

    // Scores of one, two, three and no digits get one, three, five and eleven blanks in front.
    QTest::newRow("blanks before one, two, three digits and zero")
        << 20 << 11
        << QVariantList{entry(1, 42, QStringLiteral("Anna"), QDate(2024, 3, 5)),
                        entry(2, 123, QStringLiteral("Bernd Müller"), QDate(2023, 11, 17)),
                        entry(3, 5, QStringLiteral("Carla"), QDate(2025, 1, 1))}
        << QStringLiteral("   1      17.11.2023        123       Bernd Müller        ;"
                          "   2      05.03.2024          42       Anna                ;"
                          "   3      01.01.2025            5       Carla               ;"
                          "   4        .  .                      0                           ;"
                          "   5        .  .                      0                           ;"
                          "   6        .  .                      0                           ;"
                          "   7        .  .                      0                           ;"
                          "   8        .  .                      0                           ;"
                          "   9        .  .                      0                           ;"
                          " 10        .  .                      0                           ;");

    QTest::newRow("empty list after a reset") << 20 << 11 << QVariantList{} << emptyRows(1);

    QTest::newRow("equal scores in record order")
        << 20 << 11
        << QVariantList{entry(3, 20, QStringLiteral("Cem"), QDate(2024, 1, 3)),
                        entry(1, 20, QStringLiteral("Ada"), QDate(2024, 1, 1)),
                        entry(2, 30, QStringLiteral("Bea"), QDate(2024, 1, 2))}
        << QStringLiteral("   1      02.01.2024          30       Bea                 ;"
                          "   2      01.01.2024          20       Ada                 ;"
                          "   3      03.01.2024          20       Cem                 ;")
               + emptyRows(4);

    QVariantList ten;
    for (int i = 1; i <= 10; ++i)
        ten << entry(i, 10 * i, QStringLiteral("Spieler %1").arg(i), QDate(2024, 6, i));
    const QString tenRows = QStringLiteral(
        "   1      10.06.2024        100       Spieler 10          ;"
        "   2      09.06.2024          90       Spieler 9           ;"
        "   3      08.06.2024          80       Spieler 8           ;"
        "   4      07.06.2024          70       Spieler 7           ;"
        "   5      06.06.2024          60       Spieler 6           ;"
        "   6      05.06.2024          50       Spieler 5           ;"
        "   7      04.06.2024          40       Spieler 4           ;"
        "   8      03.06.2024          30       Spieler 3           ;"
        "   9      02.06.2024          20       Spieler 2           ;"
        " 10      01.06.2024          10       Spieler 1           ;");
    QTest::newRow("place 10 has one blank less") << 20 << 11 << ten << tenRows;

    QVariantList twelve = ten;
    twelve << entry(11, 5, QStringLiteral("Elf"), QDate(2024, 6, 11))
           << entry(12, 1, QStringLiteral("Zwölf"), QDate(2024, 6, 12));
    QTest::newRow("more than ten entries show the best ten") << 20 << 12 << twelve << tenRows;

    QTest::newRow("fewer than ten records still give ten rows")
        << 20 << 2 << QVariantList{entry(2, 7, QStringLiteral("Dora"), QDate(2024, 12, 24))}
        << QStringLiteral("   1      24.12.2024            7       Dora                ;") + emptyRows(2);

    QTest::newRow("names cut to 20 characters")
        << 30 << 11
        << QVariantList{entry(1, 15, QStringLiteral("Maximilian Mustermann-Schulze"), QDate(2024, 2, 29))}
        << QStringLiteral("   1      29.02.2024          15       Maximilian Musterman;") + emptyRows(2);
}

void TestHighScoreList::listShowsTenRowsInIndexOrder()
{
    QFETCH(int, nameLength);
    QFETCH(int, records);
    QFETCH(QVariantList, entries);
    QFETCH(QString, rows);

    QList<DbfField> layout = CatalogLayout::highScoreTable();
    layout[1].length = nameLength;
    openTables(layout, records);
    put(entries);
    QCOMPARE(HighScoreList::scoreText(highscores()), header + rows);
}

void TestHighScoreList::scoreShowsListInAlertBoxTitledWithCatalog()
{
    put({entry(4, 9, QStringLiteral("Emil"), QDate(2024, 7, 1))});
    m_database->select(1);
    HighScoreList(m_state, *m_database, m_boxes, m_alerts).score();

    QCOMPARE(m_alerts.calls().size(), 1);
    const ScriptedAlertBoxes::Call& call = m_alerts.calls().first();
    QVERIFY(!call.ownerGiven);
    QCOMPARE(call.text, header + QStringLiteral("   1      01.07.2024            9       Emil                ;")
                            + emptyRows(2));
    QCOMPARE(call.captions, QStringList{QStringLiteral("zurück zum Spiel")});
    QCOMPARE(call.icon, std::optional<int>(11));
    QCOMPARE(call.title, QStringLiteral(" Highscoreliste QUIZ"));
    QCOMPARE(m_database->selected(), 1);
}

void TestHighScoreList::catalogNameIsAliasInCapitalsWithUmlauts_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << QStringLiteral("quiz") << QStringLiteral("QUIZ");
    QTest::newRow("umlauts") << QStringLiteral("Länderküche_öl") << QStringLiteral("LÄNDERKÜCHE_ÖL");
    QTest::newRow("sharp s stays") << QStringLiteral("Fußball") << QStringLiteral("FUßBALL");
}

void TestHighScoreList::catalogNameIsAliasInCapitalsWithUmlauts()
{
    QFETCH(QString, alias);
    QFETCH(QString, name);
    m_database->use(1, QStringLiteral("quiz"), alias);
    QCOMPARE(HighScoreList::catalogName(*m_database), name);
}

void TestHighScoreList::dateShowsGermanDayMonthYear()
{
    QCOMPARE(HighScoreList::dateText(QDate(2024, 3, 5)), QStringLiteral("05.03.2024"));
    QCOMPARE(HighScoreList::dateText(QDate()), QStringLiteral("  .  .    "));
    QCOMPARE(HighScoreList::dateText(QVariant()), QStringLiteral("  .  .    "));
}

void TestHighScoreList::resetOnYesEmptiesEverySlotAndRebuildsIndex()
{
    put({entry(1, 12, QStringLiteral("Anna"), QDate(2024, 1, 1)), entry(5, 40, QStringLiteral("Bo"), QDate(2024, 2, 2)),
         entry(11, 3, QStringLiteral("Cleo"), QDate(2024, 3, 3))});
    QFile::remove(QDir(m_dir->path()).filePath(QStringLiteral("ihigh.QUI")));
    m_boxes = ScriptedMessageBoxes({MessageBoxes::Yes});

    HighScoreList(m_state, *m_database, m_boxes, m_alerts).nullSc();

    QCOMPARE(m_boxes.shown(), QStringList{QStringLiteral(" Katalog QUIZ: Highscoreliste zurücksetzen ?")});
    QCOMPARE(m_database->selected(), 1);
    for (int recno = 1; recno <= 11; ++recno)
        QCOMPARE(record(recno), (QVariantList{0, QString(), QDate()}));
    QCOMPARE(HighScoreList::scoreText(highscores()), header + emptyRows(1));
    QVERIFY(QFile::exists(QDir(m_dir->path()).filePath(QStringLiteral("ihigh.QUI"))));
    // The index is active again: a score set now moves its record to the top.
    QVERIFY(highscores().hasIndex());
    QCOMPARE(indexOrder(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    put({entry(7, 1, QStringLiteral("Dana"), today())});
    QCOMPARE(indexOrder().first(), 7);

    // What the game wrote, read by another DBF reader: every slot empty.
    m_database->closeAll();
    QList<QJsonObject> records;
    QString error;
    QVERIFY2(DbfPeer::read(QDir(m_dir->path()).filePath(QStringLiteral("HIGHSCOR.QUZ")), &records, &error),
             qPrintable(error));
    QCOMPARE(records.size(), 11);
    for (const QJsonObject& r : records) {
        const QJsonObject fields = r.value(QStringLiteral("fields")).toObject();
        if (r.value(QStringLiteral("recno")).toInt() == 7)
            continue;
        QCOMPARE(fields.value(QStringLiteral("RICHTIGE")).toInt(), 0);
        QVERIFY(fields.value(QStringLiteral("NAME")).isNull() || fields.value(QStringLiteral("NAME")).toString().isEmpty());
        QVERIFY(fields.value(QStringLiteral("DATUM")).isNull());
    }
}

void TestHighScoreList::resetOnNoChangesNothing()
{
    put({entry(2, 12, QStringLiteral("Anna"), QDate(2024, 1, 1))});
    const FileSnapshot before(m_dir->path());
    m_boxes = ScriptedMessageBoxes({MessageBoxes::No});

    HighScoreList(m_state, *m_database, m_boxes, m_alerts).nullSc();

    QCOMPARE(m_boxes.shown().size(), 1);
    QCOMPARE(before.changes(), QStringList());
    QCOMPARE(record(2), (QVariantList{12, QStringLiteral("Anna"), QDate(2024, 1, 1)}));
    QCOMPARE(indexOrder().first(), 2);
}

void TestHighScoreList::nameDialogLooksAsScaled()
{
    const double F = m_state.F;
    runScoreName([F](QWidget* dialog) {
        auto* box = qobject_cast<QDialog*>(dialog);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral(" Super Ergebnis"));
        QCOMPARE(box->windowModality(), Qt::ApplicationModal);
        QCOMPARE(box->parentWidget() ? box->parentWidget()->objectName() : QString(), QStringLiteral("mainWindow"));
        QCOMPARE(box->frameGeometry().size(), QSize(qRound(215 * F), qRound(145 * F)));
        QCOMPARE(box->font().pointSize(), 10);
        QLineEdit* edit = nameEdit(dialog);
        QPushButton* ok = okButton(dialog);
        auto* label = dialog->findChild<QLabel*>(QStringLiteral("nameLabel"));
        auto* banner = dialog->findChild<QLabel*>(QStringLiteral("bannerText"));
        QVERIFY(edit && ok && label && banner);
        QCOMPARE(ok->text(), QStringLiteral("Ok"));
        QCOMPARE(label->text(), QStringLiteral("Name:"));
        QCOMPARE(banner->text(), QStringLiteral(" bitte in die Highscore-Liste eintragen "));
        QCOMPARE(edit->maxLength(), 20);
        QCOMPARE(edit->text(), QString());
        QCOMPARE(dialog->focusWidget(), edit);
        const int height = dialog->height();
        QCOMPARE(ok->geometry(), BottomLeft::toQt({53 * F, 12 * F}, {96 * F, 24 * F}, height));
        QCOMPARE(label->geometry(), BottomLeft::toQt({12 * F, 48 * F}, {36 * F, 24 * F}, height));
        QCOMPARE(edit->geometry(), BottomLeft::toQt({60 * F, 50 * F}, {108 * F, 24 * F}, height));
        QCOMPARE(banner->geometry(), BottomLeft::toQt({2 * F, 84 * F}, {206 * F, 24 * F}, height));
        // Every text fits its control.
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
        QVERIFY(banner->fontMetrics().horizontalAdvance(banner->text()) <= banner->contentsRect().width());
        QVERIFY(ok->fontMetrics().height() <= ok->height());
        closeByCloseBox(dialog);
    });
}

void TestHighScoreList::okWritesNameScoreAndTodayForOtherReaders()
{
    m_state.richtig = 17;
    const QDate dayBefore = today();
    runScoreName([](QWidget* dialog) {
        type(nameEdit(dialog), QStringLiteral("Jörg Ähnlich"));
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
    });
    const QDate dayAfter = today();

    highscores().goTop();
    QCOMPARE(highscores().recNo(), 11);
    QCOMPARE(highscores().fieldGet(QStringLiteral("name")).toString().trimmed(), QStringLiteral("Jörg Ähnlich"));

    m_database->closeAll();
    QList<QJsonObject> records;
    QString error;
    QVERIFY2(DbfPeer::read(QDir(m_dir->path()).filePath(QStringLiteral("HIGHSCOR.QUZ")), &records, &error),
             qPrintable(error));
    QCOMPARE(records.size(), 11);
    const QJsonObject fields = records.at(10).value(QStringLiteral("fields")).toObject();
    QCOMPARE(fields.value(QStringLiteral("NAME")).toString(), QStringLiteral("Jörg Ähnlich"));
    QCOMPARE(fields.value(QStringLiteral("RICHTIGE")).toInt(), 17);
    const QString datum = fields.value(QStringLiteral("DATUM")).toString();
    QVERIFY2(datum == dayBefore.toString(Qt::ISODate) || datum == dayAfter.toString(Qt::ISODate), qPrintable(datum));
    for (int i = 0; i < 10; ++i)
        QVERIFY(records.at(i).value(QStringLiteral("fields")).toObject().value(QStringLiteral("DATUM")).isNull());
}

void TestHighScoreList::enterWritesLikeOk()
{
    m_state.richtig = 4;
    runScoreName([](QWidget* dialog) {
        type(nameEdit(dialog), QStringLiteral("Ida"));
        QTest::keyClick(nameEdit(dialog), Qt::Key_Return);
    });
    const QVariantList entered = record(11);
    QCOMPARE(entered.at(0), QVariant(4));
    QCOMPARE(entered.at(1), QVariant(QStringLiteral("Ida")));
    QVERIFY(entered.at(2).toDate().isValid());
}

void TestHighScoreList::closeBoxWritesNothing()
{
    put({entry(1, 30, QStringLiteral("Anna"), QDate(2024, 1, 1))});
    m_state.richtig = 12;
    const QString listBefore = HighScoreList::scoreText(highscores());
    const FileSnapshot before(m_dir->path());
    runScoreName([](QWidget* dialog) {
        type(nameEdit(dialog), QStringLiteral("Otto"));
        closeByCloseBox(dialog);
    });
    QCOMPARE(before.changes(), QStringList());
    QCOMPARE(HighScoreList::scoreText(highscores()), listBefore);
    QCOMPARE(record(11), (QVariantList{0, QString(), QDate()}));
}

void TestHighScoreList::escapeWritesNothingLikeCloseBox()
{
    m_state.richtig = 12;
    const FileSnapshot before(m_dir->path());
    runScoreName([](QWidget* dialog) {
        type(nameEdit(dialog), QStringLiteral("Otto"));
        QTest::keyClick(nameEdit(dialog), Qt::Key_Escape);
    });
    QCOMPARE(before.changes(), QStringList());
    QCOMPARE(record(11), (QVariantList{0, QString(), QDate()}));
}

void TestHighScoreList::blankNameRecordsNothing()
{
    m_state.richtig = 12;
    runScoreName([](QWidget* dialog) {
        type(nameEdit(dialog), QStringLiteral("   "));
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
    });
    QCOMPARE(HighScoreList::scoreText(highscores()), header + emptyRows(1));
}

void TestHighScoreList::nameLongerThanTwentyCannotBeTyped()
{
    m_state.richtig = 8;
    QString typed;
    runScoreName([&typed](QWidget* dialog) {
        type(nameEdit(dialog), QStringLiteral("Alexandra Katharina Friederike"));
        typed = nameEdit(dialog)->text();
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
    });
    QCOMPARE(typed, QStringLiteral("Alexandra Katharina "));
    QCOMPARE(record(11).at(1), QVariant(QStringLiteral("Alexandra Katharina")));
}

void TestHighScoreList::entryMovesUpAndNewLastSlotIsEmptied()
{
    put({entry(1, 50, QStringLiteral("Anna"), QDate(2024, 1, 1)), entry(2, 30, QStringLiteral("Bo"), QDate(2024, 1, 2)),
         entry(3, 10, QStringLiteral("Cleo"), QDate(2024, 1, 3))});
    m_state.richtig = 40;
    runScoreName([](QWidget* dialog) {
        type(nameEdit(dialog), QStringLiteral("Dana"));
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
    });
    QCOMPARE(indexOrder(), (QList<int>{1, 11, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    QCOMPARE(record(11).mid(0, 2), (QVariantList{40, QStringLiteral("Dana")}));
    QCOMPARE(record(10), (QVariantList{0, QString(), QDate()}));
}

void TestHighScoreList::fullListPushesOutLowestEntry()
{
    QVariantList ten;
    for (int i = 1; i <= 10; ++i)
        ten << entry(i, 110 - 10 * i, QStringLiteral("Spieler %1").arg(i), QDate(2024, 5, i));
    put(ten);
    m_state.richtig = 55;
    runScoreName([](QWidget* dialog) {
        type(nameEdit(dialog), QStringLiteral("Neu"));
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
    });
    // The entry with 10 was last behind the new one: its record is the new spare slot.
    QCOMPARE(record(10), (QVariantList{0, QString(), QDate()}));
    QCOMPARE(indexOrder(), (QList<int>{1, 2, 3, 4, 5, 11, 6, 7, 8, 9, 10}));
    const QStringList rows = HighScoreList::scoreText(highscores()).split(QLatin1Char(';'));
    QVERIFY(rows.at(7).startsWith(QStringLiteral("   6      ")));
    QVERIFY(rows.at(7).endsWith(QStringLiteral("          55       Neu                 ")));
    QVERIFY(rows.at(11).endsWith(QStringLiteral("          20       Spieler 9           ")));
}

void TestHighScoreList::firstResultAfterResetEntersAtPlaceOne()
{
    put({entry(3, 30, QStringLiteral("Alt"), QDate(2024, 1, 1))});
    m_boxes = ScriptedMessageBoxes({MessageBoxes::Yes});
    HighScoreList(m_state, *m_database, m_boxes, m_alerts).nullSc();
    m_state.richtig = 1;
    runScoreName([](QWidget* dialog) {
        type(nameEdit(dialog), QStringLiteral("Erster"));
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
    });
    const QString list = HighScoreList::scoreText(highscores());
    QCOMPARE(list.section(QLatin1Char(';'), 2, 2),
             QStringLiteral("   1      %1            1       Erster              ")
                 .arg(record(11).at(2).toDate().toString(QStringLiteral("dd.MM.yyyy"))));
    QCOMPARE(indexOrder().first(), 11);
}

QTEST_MAIN(TestHighScoreList)
#include "tst_highscorelist.moc"

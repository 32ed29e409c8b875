#define QTEST_QPA_MOUSE_HANDLING
#include <QtTest>

#include "app/gamestate.h"
#include "data/cataloglayout.h"
#include "info/aboutbox.h"
#include "info/cataloginfo.h"
#include "platform/dbf/database.h"
#include "platform/dbf/dbftable.h"
#include "platform/namedvariables.h"
#include "platform/settingsfile.h"

#include "gamedata.h"
#include "modalscript.h"
#include "scriptedalertboxes.h"
#include "testfiles.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace {

// What the about box showed while it was open.
struct AboutSeen
{
    QString title;
    QMap<QString, QString> texts;  // by object name
    bool details = false;
    int firstInfoWidth = 0;
    QString focus;                 // object name of the control with the focus
    bool endedByAction = true;     // the closing action really ended the box
    QString failure;               // the box did not come as expected
};

// A data directory with the main tables (or a special catalog in work area 1), the tables open as in
// the game, and a main window with a control that has the focus.
struct Game
{
    QTemporaryDir dir;
    GameState state;
    Database database;
    NamedVariables variables;
    ScriptedAlertBoxes alerts;
    QWidget mainWindow;
    QLineEdit* focusedControl = new QLineEdit(&mainWindow);
    std::unique_ptr<CatalogInfo> info;

    // catalog: the base name of the table in work area 1; alias: its alias (default from the name).
    explicit Game(const QString& catalog = QStringLiteral("quiz"), const QString& alias = {})
    {
        GameData::createMainFiles(dir.path());
        if (catalog != QLatin1String("quiz"))
            DbfTable::create(QDir(dir.path()).filePath(catalog.toUpper() + QStringLiteral(".QUZ")),
                             CatalogLayout::questionCatalog());
        state.Pfad = dir.path();
        database.setDataDirectory(dir.path());
        database.setDefaultExtensions(QStringLiteral("QUZ"), QStringLiteral("QUI"));
        database.use(5, QStringLiteral("gebiet"));
        database.use(1, catalog, alias);
        info = std::make_unique<CatalogInfo>(state, database, variables, alerts, &mainWindow);
        focusedControl->setObjectName(QStringLiteral("focusedControl"));
        mainWindow.resize(400, 300);
        mainWindow.show();
        QApplication::setActiveWindow(&mainWindow);
        focusedControl->setFocus();
    }

    // Replaces the topic table by one with these (name, anz) records, in this order.
    void setTopics(const QList<QPair<QString, int>>& topics)
    {
        database.close(5);
        const QString path = QDir(dir.path()).filePath(QStringLiteral("GEBIET.QUZ"));
        DbfTable::create(path, CatalogLayout::topicTable());
        auto table = DbfTable::open(path);
        for (const auto& [name, anz] : topics)
            table->appendRecord({name, anz});
        table.reset();
        database.use(5, QStringLiteral("gebiet"));
        database.select(1);
    }

    // Runs "Info ": reads the about box, runs during on it, then ends it with end.
    AboutSeen runInfo(const std::function<void(QWidget*)>& end = ModalScript::click(QStringLiteral("aboutOk")),
                      const std::function<void(QWidget*)>& during = {})
    {
        AboutSeen seen;
        ModalScript script;
        script.expect(QStringLiteral("aboutBox"), [&](QWidget* box) {
            seen.title = box->windowTitle();
            for (QLabel* label : box->findChildren<QLabel*>())
                seen.texts[label->objectName()] = label->text();
            seen.details = box->findChild<QPushButton*>(QStringLiteral("aboutDetails")) != nullptr;
            seen.firstInfoWidth = box->findChild<QLabel*>(QStringLiteral("aboutLine3"))->width();
            seen.focus = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
            if (during)
                during(box);
            end(box);
            // A box that stays open would keep info() from returning: end it and say so.
            if (box->isVisible()) {
                seen.endedByAction = false;
                static_cast<QDialog*>(box)->done(0);
            }
        });
        info->info();
        seen.failure = script.done() ? script.failure() : QStringLiteral("the about box did not come");
        return seen;
    }
};

std::function<void(QWidget*)> pressKey(Qt::Key key)
{
    return [key](QWidget* box) { QTest::keyClick(box->windowHandle(), key); };
}

} // namespace

class TestCatalogInfo : public QObject
{
    Q_OBJECT

private slots:
    void aboutBoxDescribesTheCatalogInPlay_data();
    void aboutBoxDescribesTheCatalogInPlay();
    void damagedImportRecordIsReported();
    void enterEscAndCloseBoxEndTheAboutBox_data();
    void enterEscAndCloseBoxEndTheAboutBox();
    void detailsShowsTheTopicsWithoutEndingTheAboutBox();
    void topicListFollowsTheActiveIndex_data();
    void topicListFollowsTheActiveIndex();
};

void TestCatalogInfo::aboutBoxDescribesTheCatalogInPlay_data()
{
    QTest::addColumn<QString>("catalog");
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QVariant>("katnr");  // invalid: no "katalog.XPF"
    QTest::addColumn<QString>("usw1");
    QTest::addColumn<QString>("usw2");
    QTest::addColumn<bool>("details");

    const QString topics = QStringLiteral("  12 Sachgebiete mit   345 Fragen");
    QTest::newRow("main catalog, nothing imported")
        << "quiz" << QString() << QVariant() << topics << "eingespielte Kataloge :      keine" << true;
    QTest::newRow("main catalog, catalogs 9 and 2 imported")
        << "quiz" << QString() << QVariant(QVariantList{9, 2}) << topics << "eingespielte Kataloge :  2, 9," << true;
    QTest::newRow("main catalog under an alias beginning with quiz")
        << "quiz" << "quizneu" << QVariant(QVariantList{3}) << topics << "eingespielte Kataloge :  3," << true;
    QTest::newRow("special catalog")
        << "sport" << QString() << QVariant(QVariantList{1}) << "Spezialkatalog < SPORT >" << "enthält   345 Fragen"
        << false;
}

void TestCatalogInfo::aboutBoxDescribesTheCatalogInPlay()
{
    QFETCH(QString, catalog);
    QFETCH(QString, alias);
    QFETCH(QVariant, katnr);
    QFETCH(QString, usw1);
    QFETCH(QString, usw2);
    QFETCH(bool, details);

    Game game(catalog, alias);
    game.state.anzgeb = 12;
    game.state.anzfra = 345;
    if (katnr.isValid()) {
        NamedVariables stored;
        stored.set(QStringLiteral("katnr"), katnr);
        SettingsFile::save(QDir(game.dir.path()).filePath(QStringLiteral("katalog.XPF")), QStringLiteral("katn*"),
                           stored);
    }

    const AboutSeen seen = game.runInfo();

    QVERIFY2(seen.failure.isEmpty(), qPrintable(seen.failure));
    QCOMPARE(seen.title, QStringLiteral("Programm Information "));
    QCOMPARE(seen.texts.value(QStringLiteral("aboutLine1")), QStringLiteral("Brimora 2.0"));
    QCOMPARE(seen.texts.value(QStringLiteral("aboutLine3")), usw1);
    QCOMPARE(seen.texts.value(QStringLiteral("aboutLine4")), usw2);
    QCOMPARE(seen.texts.value(QStringLiteral("aboutLine6")).split(QLatin1Char('\n')).size(), 6);
    QCOMPARE(seen.details, details);
    QCOMPARE(seen.firstInfoWidth, details ? 180 : 240);
    QVERIFY(seen.endedByAction);
    QVERIFY(game.alerts.calls().isEmpty());
}

void TestCatalogInfo::damagedImportRecordIsReported()
{
    Game game;
    QVERIFY(TestFiles::write(QDir(game.dir.path()).filePath(QStringLiteral("katalog.XPF")), "katnr = {9, \n"));
    game.variables.set(QStringLiteral("katnr"), QVariantList{4});  // imported in this run

    const AboutSeen seen = game.runInfo();

    QVERIFY2(seen.failure.isEmpty(), qPrintable(seen.failure));
    QCOMPARE(game.alerts.calls().size(), 1);
    QVERIFY(game.alerts.calls().first().text.contains(QStringLiteral("katalog.XPF")));
    QCOMPARE(seen.texts.value(QStringLiteral("aboutLine4")), QStringLiteral("eingespielte Kataloge :  4,"));
}

void TestCatalogInfo::enterEscAndCloseBoxEndTheAboutBox_data()
{
    QTest::addColumn<std::function<void(QWidget*)>>("end");
    QTest::newRow("Enter") << pressKey(Qt::Key_Return);
    QTest::newRow("Esc") << pressKey(Qt::Key_Escape);
    // What the window system sends when the player clicks the close box of the title bar.
    QTest::newRow("close box") << std::function<void(QWidget*)>([](QWidget* box) {
        QCloseEvent close;
        QCoreApplication::sendEvent(box->windowHandle(), &close);
    });
}

void TestCatalogInfo::enterEscAndCloseBoxEndTheAboutBox()
{
    QFETCH(std::function<void(QWidget*)>, end);
    Game game;
    QVERIFY(QTest::qWaitForWindowActive(&game.mainWindow));
    QTRY_COMPARE(QApplication::focusWidget(), game.focusedControl);

    const AboutSeen seen = game.runInfo(end);

    QVERIFY2(seen.failure.isEmpty(), qPrintable(seen.failure));
    QCOMPARE(seen.focus, QStringLiteral("aboutOk"));
    QVERIFY(seen.endedByAction);
    QTRY_COMPARE(QApplication::focusWidget(), game.focusedControl);
    QVERIFY(game.alerts.calls().isEmpty());
}

void TestCatalogInfo::detailsShowsTheTopicsWithoutEndingTheAboutBox()
{
    Game game;
    bool openAfterDetails = false;
    int selectedAfterDetails = 0;
    const AboutSeen seen = game.runInfo(ModalScript::click(QStringLiteral("aboutOk")), [&](QWidget* box) {
        auto* details = box->findChild<QPushButton*>(QStringLiteral("aboutDetails"));
        details->click();
        details->click();
        openAfterDetails = box->isVisible();
        selectedAfterDetails = game.database.selected();
    });

    QVERIFY2(seen.failure.isEmpty(), qPrintable(seen.failure));
    QVERIFY(openAfterDetails);
    QCOMPARE(selectedAfterDetails, 1);
    QCOMPARE(game.alerts.calls().size(), 2);
    QCOMPARE(game.alerts.calls().at(1).title, QStringLiteral("Info Sachgebiete"));
}

void TestCatalogInfo::topicListFollowsTheActiveIndex_data()
{
    QTest::addColumn<bool>("indexed");
    QTest::addColumn<QString>("text");

    const QString sport = QStringLiteral("       5  x  Sport                    ;");
    const QString history = QStringLiteral("   123  x  Geschichte               ;");
    const QString space = QStringLiteral("     42  x  Astronomie               ;");
    QTest::newRow("record order without index") << false << sport + history + space;
    QTest::newRow("name order with the index quizg") << true << space + history + sport;
}

void TestCatalogInfo::topicListFollowsTheActiveIndex()
{
    QFETCH(bool, indexed);
    QFETCH(QString, text);
    Game game;
    game.setTopics({{QStringLiteral("Sport"), 5}, {QStringLiteral("Geschichte"), 123}, {QStringLiteral("Astronomie"), 42}});
    if (indexed)
        game.database.area(5).createIndex(QStringLiteral("quizg"), QStringLiteral("name"));
    game.database.select(2);

    game.info->info2();

    QCOMPARE(game.alerts.calls().size(), 1);
    const ScriptedAlertBoxes::Call& call = game.alerts.calls().first();
    QCOMPARE(call.text, text);
    QCOMPARE(call.owner.data(), nullptr);
    QCOMPARE(call.captions, QStringList{QStringLiteral("      OK      ")});
    QCOMPARE(call.icon, std::optional<int>(11));
    QCOMPARE(call.title, QStringLiteral("Info Sachgebiete"));
    QCOMPARE(game.database.selected(), 1);
}

QTEST_MAIN(TestCatalogInfo)
#include "tst_cataloginfo.moc"

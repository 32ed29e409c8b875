#define QTEST_QPA_MOUSE_HANDLING
#include "app/application.h"
#include "app/mainwindow.h"
#include "data/cataloglayout.h"
#include "info/links.h"
#include "platform/dbf/dbftable.h"
#include "platform/palette.h"
#include "platform/scriptedmessageboxes.h"
#include "special/specialcatalogs.h"
#include "ui/bdbutton.h"
#include "ui/staticpart.h"

#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "filesnapshot.h"
#include "gamedata.h"
#include "offscreendesktop.h"
#include "modalscript.h"
#include "recordingsoundplayer.h"
#include "scriptedalertboxes.h"
#include "testfiles.h"
#include "urlcatcher.h"

// Playing another catalog: the chooser "Katalogauswahl" over a data directory with special
// catalogs, and the switch of a running game to the chosen one and back to the main catalog.
class TestSpecialCatalogs : public QObject
{
    Q_OBJECT

private:
    struct Game
    {
        QTemporaryDir dir;
        GameState state;
        ScriptedMessageBoxes boxes;
        ScriptedAlertBoxes alerts;
        RecordingSoundPlayer sounds;
        QList<int> exits;
        std::unique_ptr<Application> app;

        // catalogs: file name → number of questions; the game starts on the main catalog (3 questions).
        explicit Game(const QMap<QString, int>& catalogs, QList<int> answers = {}, QList<int> alertAnswers = {},
                      double scale = 1.0)
            : boxes(std::move(answers))
            , alerts(std::move(alertAnswers))
        {
            GameData::createMainFiles(dir.path(), 3);
            TestFiles::write(path("screen.xpf"), QStringLiteral("screen = %1\n").arg(scale).toUtf8());
            for (auto it = catalogs.cbegin(); it != catalogs.cend(); ++it)
                addCatalog(it.key(), it.value());
            app = std::make_unique<Application>(state, boxes, sounds, [this](int status) { exits << status; },
                                                Application::Environment{dir.path(), QString(), QString()}, &alerts);
            app->start();
        }

        QString path(const QString& name) const { return dir.filePath(name); }

        void addCatalog(const QString& file, int questions)
        {
            DbfTable::create(path(file), CatalogLayout::questionCatalog());
            auto table = DbfTable::open(path(file));
            const QString name = file.section(QLatin1Char('.'), 0, 0);
            for (int i = 1; i <= questions; ++i)
                table->appendRecord({"Thema", 1, QStringLiteral("%1-Frage %2?").arg(name).arg(i), "", "richtig", "",
                                     "falsch 1", "", "falsch 2", "", "falsch 3", "", "Info"});
        }

        // Opens the chooser; step answers it. The entries it showed are returned.
        QStringList openChooser(const ModalScript::Step& step)
        {
            QStringList shown;
            ModalScript script;
            script.expect(QStringLiteral("specialChooser"), [&](QWidget* dialog) {
                auto* list = dialog->findChild<QListWidget*>(QStringLiteral("specialList"));
                for (int row = 0; list && row < list->count(); ++row)
                    shown << list->item(row)->text();
                step(dialog);
            });
            app->specialCatalogs().spezial();
            if (!script.failure().isEmpty())
                QTest::qFail(qPrintable(script.failure()), __FILE__, __LINE__);
            return shown;
        }

        // Chooses the entry that begins with name by a double click.
        void choose(const QString& name)
        {
            openChooser([name](QWidget* dialog) {
                auto* list = dialog->findChild<QListWidget*>(QStringLiteral("specialList"));
                const QList<QListWidgetItem*> items = list->findItems(name + QStringLiteral("  ("), Qt::MatchStartsWith);
                QVERIFY(!items.isEmpty());
                list->scrollToItem(items.first());
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items.first()).center());
            });
        }

        QString title() const { return app->mainWindow()->windowTitle(); }
        BDbutton* button(int name) { return findButton(app->mainWindow()->clientArea(), name); }
        QString panelText(const char* name)
        {
            auto* label = state.oXbb ? state.oXbb->findChild<QLabel*>(QLatin1String(name)) : nullptr;
            return label ? label->text() : QStringLiteral("<none>");
        }
        int titlePanels()
        {
            return int(app->mainWindow()->clientArea()->findChildren<QWidget*>(QStringLiteral("titlePanel"),
                                                                               Qt::FindDirectChildrenOnly)
                           .size());
        }
        QString playingAlias() { return app->database().area(1).alias(); }
    };

    // The records of a high score table as "richtige|name|datum", in record order.
    static QStringList highScores(const DbfTable& table)
    {
        QStringList rows;
        for (int recno = 1; recno <= table.recordCount(); ++recno)
            rows << QStringLiteral("%1|%2|%3")
                        .arg(table.value(recno, 0).toInt())
                        .arg(table.value(recno, 1).toString().trimmed())
                        .arg(table.value(recno, 2).toDate().toString(Qt::ISODate));
        return rows;
    }

    // The high score table in use, open in work area 2.
    static QStringList highScores(Game& game) { return highScores(game.app->database().area(2).table()); }

    static QStringList emptyHighScores(int records) { return QStringList(records, QStringLiteral("0||")); }

    // A result in the high score table in use.
    static void enterScore(Game& game, int recno, int richtige, const QString& name)
    {
        DbfTable& table = game.app->database().area(2).table();
        table.setValue(recno, 0, richtige);
        table.setValue(recno, 1, name);
        table.setValue(recno, 2, QDate(2026, 3, 14));
    }

private slots:
    void theChooserListsTheSpecialCatalogs_data()
    {
        QTest::addColumn<QString>("playing");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("aKataloge");

        QTest::newRow("main catalog in play")
            << QString() << QStringList{"GESCHICHTE  (    2 Fragen )", "LEER  (    0 Fragen )", "SPORT  (    4 Fragen )",
                                        "SPORTWELT  (    5 Fragen )"}
            << QStringList{"GESCHICHTE.QUZ", "LEER.QUZ", "SPORT.QUZ", "SPORTWELT.QUZ"};
        QTest::newRow("SPORT in play")
            << "SPORT"
            << QStringList{"QUIZ Hauptkatalog  (    3 Fragen )", "GESCHICHTE  (    2 Fragen )",
                           "LEER  (    0 Fragen )", "QUIZNEU  (    1 Fragen )"}
            << QStringList{"GESCHICHTE.QUZ", "LEER.QUZ", "QUIZNEU.QUZ"};
    }

    void theChooserListsTheSpecialCatalogs()
    {
        QFETCH(QString, playing);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, aKataloge);
        // Names in any case; the game's own tables, templates and high score tables are no catalogs,
        // and the empty catalog LEER is listed all the same.
        Game game({{"sport.quz", 4}, {"GESCHICHTE.QUZ", 2}, {"Sportwelt.QUZ", 5}, {"LEER.QUZ", 0}, {"QUIZNEU.QUZ", 1},
                   {"TEMPLATE.QUZ", 1}, {"sachgeb.quz", 1}, {"HSC_X.QUZ", 1}, {"hsc_tennis.quz", 1}});
        if (!playing.isEmpty()) {
            game.choose(playing);
            QCOMPARE(game.playingAlias(), playing);
        }

        const QStringList shown = game.openChooser(ModalScript::click(QStringLiteral("specialCancel")));
        QCOMPARE(shown, entries);
        QStringList stateList;
        for (const QVariant& name : game.state.aKataloge)
            stateList << name.toString();
        QCOMPARE(stateList, aKataloge);
        QCOMPARE(game.state.haupt, playing.isEmpty());
        // Counting left the game's tables as they were, and work area 1 current.
        QCOMPARE(game.app->database().selected(), 1);
        QCOMPARE(game.playingAlias(), playing.isEmpty() ? QStringLiteral("QUIZ") : playing);
        QVERIFY(game.app->database().isOpen(2) && game.app->database().isOpen(5));
        // Every catalog counted is locked again.
        QCOMPARE(GameData::firstByte(game.path("GESCHICHTE.QUZ")), 0x1A);
    }

    void theChooserGrowsWithTheWindowAndLinksTheWebSite_data()
    {
        QTest::addColumn<double>("F");
        QTest::newRow("1.0") << 1.0;
        QTest::newRow("1.3") << 1.3;
    }

    void theChooserGrowsWithTheWindowAndLinksTheWebSite()
    {
        QFETCH(double, F);
        Game game({{"SPORT.QUZ", 4}}, {}, {}, F);
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
        game.openChooser([&](QWidget* dialog) {
            auto* list = dialog->findChild<QListWidget*>(QStringLiteral("specialList"));
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Katalogauswahl"));
            QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
            QCOMPARE(dialog->frameGeometry().size(), QSize(qRound(289 * F), qRound(400 * F)));
            QCOMPARE(list->size(), QSize(qRound(279 * F), qRound(245 * F)));
            QCOMPARE(list->font().pointSize(), qRound(10 * F));
            QCOMPARE(list->currentRow(), 0);
            QCOMPARE(QApplication::focusWidget(), list);
            dialog->findChild<QPushButton*>(QStringLiteral("specialWeb"))->click();
            dialog->findChild<QPushButton*>(QStringLiteral("specialCancel"))->click();
        });
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl(Links::productWebsite)});
    }

    void withoutSpecialCatalogsTheChooserSaysSo()
    {
        Game game({{"TEMPLATE.QUZ", 1}, {"HSC_QUIZ.QUZ", 1}, {"QUIZ2.QUZ", 1}});
        game.app->specialCatalogs().spezial();
        QCOMPARE(game.boxes.shown(), QStringList{"Service: keine Spezial-Kataloge gefunden !"});
        QVERIFY(!QApplication::activeModalWidget());
    }

    void leavingTheChooserWithoutAChoiceChangesNothing_data()
    {
        QTest::addColumn<bool>("byCloseBox");
        QTest::newRow("abbrechen") << false;
        QTest::newRow("close box") << true;
    }

    void leavingTheChooserWithoutAChoiceChangesNothing()
    {
        QFETCH(bool, byCloseBox);
        Game game({{"SPORT.QUZ", 4}, {"GESCHICHTE.QUZ", 2}});
        // Between two uses special catalogs are locked.
        GameData::setFirstByte(game.path("SPORT.QUZ"), 0x1A);
        GameData::setFirstByte(game.path("GESCHICHTE.QUZ"), 0x1A);
        const FileSnapshot files(game.dir.path());
        const QString question = game.button(555)->oStatic->text();
        const QList<int> asked = game.state.aArrayI.list();

        game.openChooser(byCloseBox ? ModalScript::Step([](QWidget* dialog) { dialog->close(); })
                                    : ModalScript::click(QStringLiteral("specialCancel")));

        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(files.changes(), QStringList());
        QCOMPARE(game.state.kana, QStringLiteral("QUIZ.QUZ"));
        QCOMPARE(game.state.kahi, QStringLiteral("HIGHSCOR.QUZ"));
        QCOMPARE(game.playingAlias(), QStringLiteral("QUIZ"));
        QCOMPARE(game.app->database().area(2).alias(), QStringLiteral("HIGHSCOR"));
        QCOMPARE(game.title(), QStringLiteral("Brimora 2.0"));
        QCOMPARE(game.button(555)->oStatic->text(), question);
        QCOMPARE(game.state.aArrayI.list(), asked);
        QVERIFY(!game.state.neuBG && !game.state.oXbb && game.state.oLogo->isVisible());
    }

    void switchingCatalogsStartsANewGameWithTheirOwnListAndLook()
    {
        // Yes for both jokers; "weiter" after the swap.
        Game game({{"SPORT.QUZ", 4}, {"GESCHICHTE.QUZ", 2}}, {MessageBoxes::Yes, MessageBoxes::Yes}, {2});
        enterScore(game, 1, 9, QStringLiteral("Hauptspieler"));
        game.app->joker(1);
        game.app->joker(0);
        QCOMPARE(game.button(333)->colorBG(), std::optional<int>(3));
        QCOMPARE(game.button(222)->colorBG(), std::optional<int>(3));
        game.state.fehler = 2;
        game.state.richtig = 5;
        QPointer<QWidget> mainLogo = game.state.oLogo;

        game.choose(QStringLiteral("SPORT"));

        QCOMPARE(game.title(), QStringLiteral("Brimora 2.0    -   Spezialkatalog < SPORT >"));
        QCOMPARE(game.state.kana, QStringLiteral("SPORT.QUZ"));
        QCOMPARE(game.state.kahi, QStringLiteral("HSC_SPORT.QUZ"));
        QCOMPARE(game.state.anzfra, 4);
        QCOMPARE(game.playingAlias(), QStringLiteral("SPORT"));
        QCOMPARE(game.app->database().area(2).alias(), QStringLiteral("HSC_SPORT"));
        QCOMPARE(highScores(game), emptyHighScores(11));
        QCOMPARE(game.state.fehler, 0);
        QCOMPARE(game.state.richtig, 0);
        QCOMPARE(game.button(111)->oStatic->text(), QStringLiteral("  0"));
        QCOMPARE(game.button(112)->oStatic->text(), QStringLiteral("  0"));
        QCOMPARE(game.button(333)->colorBG(), std::optional<int>(5));
        QCOMPARE(game.button(222)->colorBG(), std::optional<int>(5));
        QCOMPARE(game.state.aArrayI.size(), 1);
        QVERIFY(game.button(555)->oStatic->text().startsWith(QStringLiteral("SPORT-Frage")));
        QVERIFY(game.state.neuBG && game.state.oXbb && game.state.oXbb->isVisible());
        QVERIFY(mainLogo && !mainLogo->isVisible());
        QCOMPARE(game.titlePanels(), 1);

        // A result in SPORT's list, then another special catalog: its panel replaces SPORT's.
        enterScore(game, 2, 4, QStringLiteral("Sportlerin"));
        QPointer<QWidget> sportPanel = game.state.oXbb;
        game.choose(QStringLiteral("GESCHICHTE"));
        QCOMPARE(game.title(), QStringLiteral("Brimora 2.0    -   Spezialkatalog < GESCHICHTE >"));
        QVERIFY(!sportPanel);
        QCOMPARE(game.titlePanels(), 1);
        QVERIFY(game.state.oXbb->isVisible() && !game.state.oLogo->isVisible());

        // Back to SPORT: its list keeps the result.
        game.choose(QStringLiteral("SPORT"));
        QCOMPARE(highScores(game).at(1), QStringLiteral("4|Sportlerin|2026-03-14"));

        // Back to the main catalog: a list of its own, empty at first, the logo again, no panel.
        game.choose(QStringLiteral("QUIZ Hauptkatalog"));
        QCOMPARE(game.title(), QStringLiteral("Brimora 2.0 "));
        QCOMPARE(game.state.kana, QStringLiteral("QUIZ.QUZ"));
        QCOMPARE(game.state.kahi, QStringLiteral("HSC_QUIZ.QUZ"));
        QCOMPARE(game.app->database().area(2).alias(), QStringLiteral("HSC_QUIZ"));
        QCOMPARE(highScores(game), emptyHighScores(11));
        QCOMPARE(highScores(*DbfTable::open(game.path("HIGHSCOR.QUZ"))).first(), QStringLiteral("9|Hauptspieler|2026-03-14"));
        QCOMPARE(game.state.anzfra, 3);
        QVERIFY(!game.state.neuBG && !game.state.oXbb);
        QCOMPARE(game.titlePanels(), 0);
        QVERIFY(game.state.oLogo && game.state.oLogo->isVisible());
        QVERIFY(!mainLogo); // the hidden logo gave way to the new one
        QVERIFY(game.button(555)->oStatic->text().startsWith(QStringLiteral("Frage")));
        QCOMPARE(game.app->database().selected(), 1);
    }

    void quittingWhileASpecialCatalogIsPlayedLocksItAndItsList()
    {
        Game game({{"SPORT.QUZ", 4}});
        game.choose(QStringLiteral("SPORT"));
        game.app->app_Quit();
        QCOMPARE(game.exits, QList<int>{0});
        QCOMPARE(GameData::firstByte(game.path("SPORT.QUZ")), 0x1A);
        QCOMPARE(GameData::firstByte(game.path("HSC_SPORT.QUZ")), 0x1A);
        // The main files were closed at the switch and stay unlocked.
        QCOMPARE(GameData::firstByte(game.path("QUIZ.QUZ")), 0x83);
        QCOMPARE(GameData::firstByte(game.path("HIGHSCOR.QUZ")), 0x03);
    }

    void theTitlePanelTakesNothingFromTheCatalogBefore_data()
    {
        QTest::addColumn<QByteArray>("settings"); // GESCHICHTE.CFG; empty: no file
        QTest::addColumn<QStringList>("texts");   // name1, name2, oben, unten, copy
        QTest::addColumn<QList<int>>("colours");  // c_Cb, c_Co, c_Cu

        const QStringList defaults{"GESCHICHTE", "Spezialkatalog", "", "", ""};
        QTest::newRow("no settings file") << QByteArray() << defaults << QList<int>{8, -2, -2};
        QTest::newRow("damaged file") << QByteArray("c_Cb = 4\nc_name1 = \"offen\n") << defaults
                                      << QList<int>{8, -2, -2};
        QTest::newRow("bad values and gaps")
            << QByteArray("c_Cb = \"rot\"\nc_Co = 99\nc_Cu = 2.5\nc_name1 = 1066\nc_oben = \"Ritter\"\nscreen = 3\n")
            << QStringList{"GESCHICHTE", "Spezialkatalog", "Ritter", "", ""} << QList<int>{8, -2, -2};
        QTest::newRow("complete")
            << QByteArray("c_Cb = 12\nc_name1 = \"Geschichte  \"\nc_name2 = \"Von der Steinzeit bis heute \"\n"
                          "c_oben = \"oben\"\nc_Co = 6\nc_unten = \"unten\"\nc_Cu = -1\nc_copy = \"(c) Redaktion \"\n")
            << QStringList{"Geschichte", "Von der Steinzeit bis heute", "oben", "unten", "(c) Redaktion"}
            << QList<int>{12, 6, -1};
    }

    void theTitlePanelTakesNothingFromTheCatalogBefore()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, colours);
        Game game({{"SPORT.QUZ", 4}, {"GESCHICHTE.QUZ", 2}});
        TestFiles::write(game.path("SPORT.CFG"),
                         "c_Cb = 10\nc_name1 = \"SPORT\"\nc_name2 = \"Ballspiele\"\nc_oben = \"Tore\"\nc_Co = 4\n"
                         "c_unten = \"Punkte\"\nc_Cu = 3\nc_copy = \"(c) Sport\"\n");
        if (!settings.isEmpty())
            TestFiles::write(game.path("GESCHICHTE.CFG"), settings);
        game.choose(QStringLiteral("SPORT"));
        QCOMPARE(game.panelText("titleOben"), QStringLiteral("Tore"));

        game.choose(QStringLiteral("GESCHICHTE"));

        QCOMPARE(game.state.kana, QStringLiteral("GESCHICHTE.QUZ"));
        QCOMPARE((QStringList{game.panelText("titleName1"), game.panelText("titleName2"), game.panelText("titleOben"),
                              game.panelText("titleUnten"), game.panelText("titleCopy")}),
                 texts);
        QCOMPARE(game.state.oXbb->palette().color(QPalette::Window), Palette::color(colours[0]));
        QCOMPARE(game.state.oXbb->findChild<QLabel*>("titleOben")->palette().color(QPalette::WindowText),
                 Palette::color(colours[1]));
        QCOMPARE(game.state.oXbb->findChild<QLabel*>("titleUnten")->palette().color(QPalette::WindowText),
                 Palette::color(colours[2]));
        NamedVariables& variables = game.app->variables();
        QCOMPARE(variables.value("c_oben").toString(), texts[2]);
        QCOMPARE(variables.value("c_Cb").toInt(), colours[0]);
        // The catalog's file sets no other variable of the game.
        QCOMPARE(variables.value("screen").toDouble(), 1.0);
    }

    void aCatalogThatCannotBePlayedLeavesTheGameAsItWas_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("message");
        QTest::newRow("no questions") << "LEER"
                                      << "Katalogauswahl: Der Katalog LEER enthält keine Fragen.\n"
                                         "Es geht mit dem bisherigen Katalog weiter.";
        QTest::newRow("damaged") << "DEFEKT" << "Katalogauswahl: Der Katalog DEFEKT kann nicht geöffnet werden:\n";
    }

    void aCatalogThatCannotBePlayedLeavesTheGameAsItWas()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, message);
        Game game({{"SPORT.QUZ", 4}, {"LEER.QUZ", 0}});
        TestFiles::write(game.path("DEFEKT.QUZ"), QByteArray("\x03kein DBF", 9));
        game.choose(QStringLiteral("SPORT"));
        const QString question = game.button(555)->oStatic->text();
        const QList<int> asked = game.state.aArrayI.list();
        QPointer<QWidget> panel = game.state.oXbb;

        const QStringList shown = game.openChooser([chosen](QWidget* dialog) {
            auto* list = dialog->findChild<QListWidget*>(QStringLiteral("specialList"));
            const auto items = list->findItems(chosen + QStringLiteral("  ("), Qt::MatchStartsWith);
            QVERIFY(!items.isEmpty());
            // The double click as the list reports it.
            emit list->itemDoubleClicked(items.first());
        });

        QVERIFY(shown.contains(QStringLiteral("DEFEKT  (    ? Fragen )")));
        QVERIFY2(game.boxes.shown().last().startsWith(message), qPrintable(game.boxes.shown().last()));
        QCOMPARE(game.state.kana, QStringLiteral("SPORT.QUZ"));
        QCOMPARE(game.state.kahi, QStringLiteral("HSC_SPORT.QUZ"));
        QCOMPARE(game.playingAlias(), QStringLiteral("SPORT"));
        QCOMPARE(game.title(), QStringLiteral("Brimora 2.0    -   Spezialkatalog < SPORT >"));
        QCOMPARE(game.button(555)->oStatic->text(), question);
        QCOMPARE(game.state.aArrayI.list(), asked);
        QVERIFY(panel && panel->isVisible());
        QVERIFY(!QFileInfo::exists(game.path("HSC_" + chosen + ".QUZ")));
        QCOMPARE(GameData::firstByte(game.path(chosen + ".QUZ")), 0x1A);
    }
};

int main(int argc, char* argv[])
{
    QTemporaryDir screens;
    OffscreenDesktop::use(screens, 1600, 1200);
    QApplication app(argc, argv);
    TestSpecialCatalogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_specialcatalogs.moc"

#define QTEST_QPA_MOUSE_HANDLING
#include <QtTest>

#include "platform/bottomleft.h"
#include "platform/compoundfont.h"
#include "platform/palette.h"
#include "platform/scriptedmessageboxes.h"
#include "ui/bdbutton.h"
#include "ui/bdbuttonfunctions.h"
#include "ui/bitmapref.h"
#include "ui/soundplayer.h"
#include "ui/staticpart.h"

#include <QFontMetrics>
#include <QPointer>
#include <memory>

namespace {

QtMessageHandler previousHandler = nullptr;

// Writes what happens into one shared list, so the order of sound and action can be checked.
class SoundLog : public SoundPlayer
{
public:
    explicit SoundLog(QStringList& log)
        : m_log(log)
    {
    }
    void play(const QString& fileName) override { m_log << QStringLiteral("play ") + fileName; }
    void stop() override { m_log << QStringLiteral("stop"); }

private:
    QStringList& m_log;
};

QColor captionColor(BDbutton* button)
{
    return button->oStatic->palette().color(QPalette::WindowText);
}

StaticPart* hoverFrame(BDbutton* button)
{
    return button->findChild<StaticPart*>(QStringLiteral("hoverFrame"));
}

bool hoverFrameShown(BDbutton* button)
{
    StaticPart* frame = hoverFrame(button);
    return frame && frame->isVisible();
}

// A picture whose pixels all differ from their neighbours, so an inverted or moved square shows.
QImage pattern(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7) % 256, (y * 11) % 256, 200));
    }
    return image;
}

// The Qt geometry of a part placed at a bottom-left position with a size in its parent.
QRect placed(QWidget* part, QPointF position, QSizeF size)
{
    return BottomLeft::toQt(position, size, part->parentWidget()->height());
}

} // namespace

class TestBDbutton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void crGivesCarriageReturnLineFeeds_data();
    void crGivesCarriageReturnLineFeeds();
    void textSizeIsBoundingBoxPlusTwo_data();
    void textSizeIsBoundingBoxPlusTwo();
    void twoLineCaptionIsMeasuredLineByLine();
    void oneLineCaptionIsCentredBothWays();
    void absentWidthSizesButtonFromCaption();
    void buttonIsFoundByItsNumericName();
    void targetReceivesTheNewButton();
    void coloursGoToPanelAndCaption_data();
    void coloursGoToPanelAndCaption();
    void colourAsTextShowsNoticeAndGoesOn();
    void hoverShowsRaisedFrameAndFocusColour();
    void hitTestCountsEdgesInside_data();
    void hitTestCountsEdgesInside();
    void pressShowsSunkenFrame();
    void releaseInsideRunsActionWithButton();
    void pressDragOutReleaseOutsideRunsNothing();
    void soundPlaysAtPressBeforeAction();
    void disabledButtonIgnoresPointerButSounds();
    void enableRestoresCaptionAndPointer();
    void hitTestKeepsCreationSizeAfterResize();
    void updateWithLongerCaptionKeepsHolderSize();
    void updateLeavesOtherPropertiesUnchanged();
    void updateRecoloursButKeepsDisabledLook();
    void updateSoundPlaysWithActionAtRelease();
    void hideAndShowKeepState();
    void pictureAndCaptionArePlaced_data();
    void pictureAndCaptionArePlaced();
    void pictureFileIsShownUnderThePointer();
    void disabledPictureIsInvertedAtBottomLeft_data();
    void disabledPictureIsInvertedAtBottomLeft();

private:
    QString pictureFile(QSize size);

    BDbutton* make(BDButtonArgs args);
    void moveTo(BDbutton* button, QPointF bottomLeft);
    QPoint qtPoint(BDbutton* button, QPointF bottomLeft) const;

    std::unique_ptr<QWidget> host;
    std::unique_ptr<QTemporaryDir> pictures;
    QStringList log;
    std::unique_ptr<SoundLog> sounds;
    std::unique_ptr<ScriptedMessageBoxes> boxes;
    ButtonContext context;
};

void TestBDbutton::initTestCase()
{
    Q_INIT_RESOURCE(brimora);
    // The offscreen platform cannot grab the pointer for the whole desktop and says so at every
    // capture; inside the test window Qt's own capture works, and that is what the button uses.
    previousHandler = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& where, const QString& text) {
        if (text == QLatin1String("This plugin does not support grabbing the mouse"))
            return;
        previousHandler(type, where, text);
    });
}

void TestBDbutton::init()
{
    log.clear();
    pictures = std::make_unique<QTemporaryDir>();
    host = std::make_unique<QWidget>();
    host->setObjectName(QStringLiteral("clientArea"));
    host->resize(700, 400);
    host->setProperty("compoundFont", QStringLiteral("13.Helv"));
    sounds = std::make_unique<SoundLog>(log);
    boxes = std::make_unique<ScriptedMessageBoxes>();
    context = ButtonContext{boxes.get(), sounds.get(), host.get()};
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host.get()));
    // Start every test with the pointer in a corner no button covers; a move to the position the
    // pointer already has would not arrive.
    QTest::mouseMove(host.get(), QPoint(host->width() - 2, 2));
}

void TestBDbutton::cleanup()
{
    host.reset();
    pictures.reset();
}

QString TestBDbutton::pictureFile(QSize size)
{
    const QString path = pictures->filePath(QStringLiteral("bild-%1x%2.bmp").arg(size.width()).arg(size.height()));
    if (!QFile::exists(path))
        pattern(size.width(), size.height()).save(path);
    return path;
}

BDbutton* TestBDbutton::make(BDButtonArgs args)
{
    BDbutton* button = nullptr;
    args.target = &button;
    bdButton(context, args);
    return button;
}

QPoint TestBDbutton::qtPoint(BDbutton* button, QPointF bottomLeft) const
{
    return QPoint(qRound(bottomLeft.x()), button->height() - qRound(bottomLeft.y()));
}

void TestBDbutton::moveTo(BDbutton* button, QPointF bottomLeft)
{
    QTest::mouseMove(button, qtPoint(button, bottomLeft));
}

void TestBDbutton::crGivesCarriageReturnLineFeeds_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << 0 << "";
    QTest::newRow("one") << 1 << "\r\n";
    QTest::newRow("three") << 3 << "\r\n\r\n\r\n";
}

void TestBDbutton::crGivesCarriageReturnLineFeeds()
{
    QFETCH(int, count);
    QFETCH(QString, expected);
    QCOMPARE(cr(count), expected);
    QCOMPARE(cr(), QStringLiteral("\r\n"));
}

void TestBDbutton::textSizeIsBoundingBoxPlusTwo_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("font");
    QTest::newRow("joker") << "Joker" << "16.Arial";
    QTest::newRow("counter") << "   0" << "18.Arial";
    QTest::newRow("answer") << "Wer schrieb den Faust?" << "13.Helv";
}

void TestBDbutton::textSizeIsBoundingBoxPlusTwo()
{
    QFETCH(QString, text);
    QFETCH(QString, font);
    const QRect box = QFontMetrics(CompoundFont::toFont(font), host.get()).boundingRect(text);
    QCOMPARE(textSize(text, host.get(), font), QSizeF(box.width() + 2, box.height() + 2));
    QCOMPARE(textSize(QString(), host.get(), font), QSizeF(2, 2));
}

void TestBDbutton::twoLineCaptionIsMeasuredLineByLine()
{
    BDbutton* joker = make({.position = {848.4, 136.5},
                            .size = {78, 78},
                            .caption = QStringLiteral("Joker") + cr() + QStringLiteral("Tausch"),
                            .parent = host.get(),
                            .font = QStringLiteral("16.Arial"),
                            .colors = ColorList{5, 1, 1},
                            .autoSize = false,
                            .flat = true,
                            .name = 222});
    QVERIFY(joker);
    const QSizeF joker1 = textSize(QStringLiteral("Joker"), host.get(), QStringLiteral("16.Arial"));
    const QSizeF tausch = textSize(QStringLiteral("Tausch"), host.get(), QStringLiteral("16.Arial"));
    QVERIFY(tausch.width() > joker1.width());
    QCOMPARE(joker->oStatic->size(), QSize(qRound(tausch.width()), qRound(joker1.height() + tausch.height())));
    // Text style 17: centred horizontally, broken into lines; the holder is centred in the button.
    QVERIFY(joker->oStatic->wordWrap());
    QCOMPARE(joker->oStatic->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(joker->oStatic->text(), QStringLiteral("Joker\nTausch"));
    const QPoint holderCentre = joker->oStatic->mapTo(joker, joker->oStatic->rect().center());
    QVERIFY(qAbs(holderCentre.x() - joker->width() / 2) <= 1);
    QCOMPARE(joker->Caption, QStringLiteral("Joker\r\nTausch"));
}

void TestBDbutton::oneLineCaptionIsCentredBothWays()
{
    BDbutton* counter = make({.position = {930.8, 136.5}, .size = {78, 35.1}, .caption = QStringLiteral("   0"),
                              .font = QStringLiteral("18.Arial"), .colors = ColorList{3, 1, 1}, .name = 111});
    QVERIFY(counter);
    QCOMPARE(counter->oStatic->alignment(), Qt::AlignCenter);
    QVERIFY(!counter->oStatic->wordWrap());
    QCOMPARE(counter->oStatic->font().pointSize(), 18);
}

void TestBDbutton::absentWidthSizesButtonFromCaption()
{
    BDbutton* button = make({.position = {10, 10}, .size = {}, .caption = QStringLiteral("Highscore"),
                             .font = QStringLiteral("13.Helv")});
    QVERIFY(button);
    const QSizeF text = textSize(QStringLiteral("Highscore"), host.get(), QStringLiteral("13.Helv"));
    QVERIFY(button->autosize);
    QCOMPARE(button->iconsize, std::optional<QSizeF>(QSizeF(0, 0)));
    QCOMPARE(button->Size, QSizeF(text.width() + 6, text.height() + 10));
    QCOMPARE(button->size(), QSize(qRound(text.width() + 6), qRound(text.height() + 10)));
    // Bottom-left placement: 10 pixels above the host's bottom edge.
    QCOMPARE(button->geometry().bottom() + 1, host->height() - 10);
}

void TestBDbutton::buttonIsFoundByItsNumericName()
{
    QVERIFY(bdButton(context, {.position = {5, 5}, .size = {100, 40}, .caption = QStringLiteral("A"),
                               .parent = host.get(), .name = 666}));
    QVERIFY(bdButton(context, {.position = {200, 5}, .size = {100, 40}, .caption = QStringLiteral("B"),
                               .parent = host.get(), .name = 777}));
    BDbutton* right = findButton(host.get(), 666);
    QVERIFY(right);
    QCOMPARE(right->objectName(), QStringLiteral("666"));
    QCOMPARE(right->Caption, QStringLiteral("A"));
    QVERIFY(!findButton(host.get(), 888));

    QVERIFY(bdUpdateButton(context, {.button = 777, .caption = QStringLiteral("neu"), .parent = host.get()}));
    QCOMPARE(findButton(host.get(), 777)->oStatic->text(), QStringLiteral("neu"));
    QCOMPARE(right->oStatic->text(), QStringLiteral("A"));
}

void TestBDbutton::targetReceivesTheNewButton()
{
    QList<BDbutton*> list{nullptr};
    bdButton(context, {.position = {5, 5}, .size = {50, 20}, .target = &list});
    QCOMPARE(list.size(), 2);
    QVERIFY(list.at(1));
    QCOMPARE(list.at(1)->parentWidget(), host.get());
}

void TestBDbutton::coloursGoToPanelAndCaption_data()
{
    QTest::addColumn<QVariant>("hostBG");
    QTest::addColumn<int>("colorKind"); // 0 absent, 1 list, 2 number
    QTest::addColumn<int>("expectedBG");
    QTest::addColumn<int>("expectedText");
    QTest::newRow("answer (15, 1, 2)") << QVariant() << 1 << 15 << 1;
    QTest::newRow("number: parent's background") << QVariant(5) << 2 << 5 << 3;
    QTest::newRow("absent: parent's colours") << QVariant(4) << 0 << 4 << 10;
}

void TestBDbutton::coloursGoToPanelAndCaption()
{
    QFETCH(QVariant, hostBG);
    QFETCH(int, colorKind);
    QFETCH(int, expectedBG);
    QFETCH(int, expectedText);
    host->setProperty("colorBG", hostBG);
    host->setProperty("colorFG", 10);
    ButtonColors colors;
    if (colorKind == 1)
        colors = ColorList{15, 1, 2};
    else if (colorKind == 2)
        colors = 3;
    BDbutton* button = make({.position = {5, 5}, .size = {200, 50}, .caption = QStringLiteral("Antwort"), .colors = colors});
    QCOMPARE(button->colorBG(), std::optional<int>(expectedBG));
    QCOMPARE(button->oBkGrd->palette().color(QPalette::Window), Palette::color(expectedBG));
    QVERIFY(button->oBkGrd->autoFillBackground());
    QCOMPARE(captionColor(button), Palette::color(expectedText));
}

void TestBDbutton::colourAsTextShowsNoticeAndGoesOn()
{
    BDbutton* button = make({.position = {5, 5}, .size = {100, 40}, .caption = QStringLiteral("x"),
                             .colors = QStringLiteral("R/W"), .name = 555});
    QVERIFY(button);
    QVERIFY(button->isVisible());
    QCOMPARE(boxes->shown().size(), 1);
    QVERIFY2(boxes->shown().first().endsWith(QLatin1String("char color not supported yet")),
             qPrintable(boxes->shown().first()));
    QVERIFY(!button->colorBG());

    bdUpdateButton(context, {.button = 555, .colors = QStringLiteral("R/W")});
    QCOMPARE(boxes->shown().size(), 2);
}

void TestBDbutton::hoverShowsRaisedFrameAndFocusColour()
{
    BDbutton* button = make({.position = {50, 50}, .size = {200, 60}, .caption = QStringLiteral("Antwort"),
                             .colors = ColorList{15, 1, 2}, .flat = true, .name = 666});
    moveTo(button, {-20, -20});
    QVERIFY(!hoverFrameShown(button));
    QCOMPARE(captionColor(button), Palette::color(1));

    moveTo(button, {100, 30});
    QVERIFY(button->lFocus);
    QVERIFY(hoverFrameShown(button));
    QCOMPARE(hoverFrame(button)->kind(), 14);
    QCOMPARE(hoverFrame(button)->size(), QSize(200, 60));
    QCOMPARE(QWidget::mouseGrabber(), button);
    QCOMPARE(captionColor(button), Palette::color(2));

    moveTo(button, {260, 30});
    QVERIFY(!button->lFocus);
    QVERIFY(!hoverFrameShown(button));
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    QCOMPARE(captionColor(button), Palette::color(1));
}

void TestBDbutton::hitTestCountsEdgesInside_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<bool>("inside");
    QTest::newRow("right edge") << QPointF(200, 30) << true;
    QTest::newRow("top edge") << QPointF(100, 60) << true;
    QTest::newRow("top right corner") << QPointF(200, 60) << true;
    QTest::newRow("bottom left corner") << QPointF(0, 0) << true;
    QTest::newRow("right of the edge") << QPointF(201, 30) << false;
    QTest::newRow("above the top") << QPointF(100, 61) << false;
    QTest::newRow("left of the button") << QPointF(-1, 30) << false;
    QTest::newRow("below the button") << QPointF(100, -1) << false;
}

void TestBDbutton::hitTestCountsEdgesInside()
{
    QFETCH(QPointF, point);
    QFETCH(bool, inside);
    BDbutton* button = make({.position = {50, 50}, .size = {200, 60}, .caption = QStringLiteral("Antwort"),
                             .colors = ColorList{15, 1, 2}});
    moveTo(button, {100, 30});
    QVERIFY(button->lFocus);
    // The button holds the mouse, so it sees the pointer outside its own pixels too.
    moveTo(button, point);
    QCOMPARE(button->lFocus, inside);
    QCOMPARE(hoverFrameShown(button), inside);

    // A release at the point runs the action exactly when the point counts as inside.
    int runs = 0;
    button->activateAction = [&runs](const QVariant&, const QVariant&, BDbutton*) { ++runs; };
    moveTo(button, {100, 30});
    QTest::mousePress(button, Qt::LeftButton, {}, qtPoint(button, {100, 30}));
    moveTo(button, point);
    QTest::mouseRelease(button, Qt::LeftButton, {}, qtPoint(button, point));
    QCOMPARE(runs, inside ? 1 : 0);
}

void TestBDbutton::pressShowsSunkenFrame()
{
    BDbutton* button = make({.position = {50, 50}, .size = {200, 60}, .caption = QStringLiteral("Antwort")});
    moveTo(button, {100, 30});
    QTest::mousePress(button, Qt::LeftButton, {}, qtPoint(button, {100, 30}));
    QVERIFY(button->button);
    QCOMPARE(hoverFrame(button)->kind(), 15);
    QVERIFY(hoverFrameShown(button));
    QTest::mouseRelease(button, Qt::LeftButton, {}, qtPoint(button, {100, 30}));
    QVERIFY(!button->button);
    QCOMPARE(hoverFrame(button)->kind(), 14);
    QVERIFY(hoverFrameShown(button));
}

void TestBDbutton::releaseInsideRunsActionWithButton()
{
    QList<BDbutton*> callers;
    bool argumentsAbsent = false;
    bool capturedDuringAction = true;
    BDbutton* button = make({.position = {50, 50}, .size = {200, 60}, .caption = QStringLiteral("Antwort"),
                             .action = [&](const QVariant& a, const QVariant& b, BDbutton* self) {
                                 argumentsAbsent = !a.isValid() && !b.isValid();
                                 capturedDuringAction = QWidget::mouseGrabber() == self;
                                 callers << self;
                             },
                             .name = 666});
    moveTo(button, {100, 30});
    QTest::mouseClick(button, Qt::LeftButton, {}, qtPoint(button, {100, 30}));
    QCOMPARE(callers, QList<BDbutton*>{button});
    QVERIFY(argumentsAbsent);
    QVERIFY(!capturedDuringAction);
    // Still hovered and enabled: the button holds the mouse again.
    QCOMPARE(QWidget::mouseGrabber(), button);
}

void TestBDbutton::pressDragOutReleaseOutsideRunsNothing()
{
    int runs = 0;
    BDbutton* button = make({.position = {50, 50}, .size = {200, 60}, .caption = QStringLiteral("Antwort"),
                             .action = [&runs](const QVariant&, const QVariant&, BDbutton*) { ++runs; }});
    moveTo(button, {100, 30});
    QTest::mousePress(button, Qt::LeftButton, {}, qtPoint(button, {100, 30}));
    moveTo(button, {300, 100});
    // Held down outside: still pressed, sunken frame, mouse kept.
    QVERIFY(button->button);
    QVERIFY(hoverFrameShown(button));
    QCOMPARE(hoverFrame(button)->kind(), 15);
    QCOMPARE(QWidget::mouseGrabber(), button);

    QTest::mouseRelease(button, Qt::LeftButton, {}, qtPoint(button, {300, 100}));
    QCOMPARE(runs, 0);
    QVERIFY(!button->button);
    QVERIFY(hoverFrameShown(button));
    QCOMPARE(hoverFrame(button)->kind(), 14);

    moveTo(button, {310, 110});
    QVERIFY(!hoverFrameShown(button));
    QVERIFY(!button->lFocus);
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    QCOMPARE(runs, 0);
}

void TestBDbutton::soundPlaysAtPressBeforeAction()
{
    BDbutton* button = make({.position = {50, 50}, .size = {200, 60}, .caption = QStringLiteral("Antwort"),
                             .action = [this](const QVariant&, const QVariant&, BDbutton*) { log << "action"; },
                             .sound = QStringLiteral("ja.wav")});
    moveTo(button, {100, 30});
    QTest::mousePress(button, Qt::LeftButton, {}, qtPoint(button, {100, 30}));
    QCOMPARE(log, (QStringList{"stop", "play ja.wav"}));
    QTest::mouseRelease(button, Qt::LeftButton, {}, qtPoint(button, {100, 30}));
    QCOMPARE(log, (QStringList{"stop", "play ja.wav", "action"}));
}

void TestBDbutton::disabledButtonIgnoresPointerButSounds()
{
    int runs = 0;
    BDbutton* button = make({.position = {50, 50}, .size = {200, 60}, .caption = QStringLiteral("Joker"),
                             .colors = ColorList{5, 1, 1},
                             .action = [&runs](const QVariant&, const QVariant&, BDbutton*) { ++runs; },
                             .sound = QStringLiteral("no.wav"), .disabled = true});
    QVERIFY(!button->isenabled());
    QCOMPARE(captionColor(button), Palette::color(8));
    moveTo(button, {100, 30});
    QVERIFY(!button->lFocus);
    QVERIFY(!hoverFrameShown(button));
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    QCOMPARE(captionColor(button), Palette::color(8));
    QTest::mouseClick(button, Qt::LeftButton, {}, qtPoint(button, {100, 30}));
    QCOMPARE(runs, 0);
    QVERIFY(!button->button);
    // The press sound belongs to the press, also on a disabled button.
    QCOMPARE(log, (QStringList{"stop", "play no.wav"}));
}

void TestBDbutton::enableRestoresCaptionAndPointer()
{
    int runs = 0;
    BDbutton* button = make({.position = {50, 50}, .size = {200, 60}, .caption = QStringLiteral("Joker"),
                             .colors = ColorList{5, 1, 2},
                             .action = [&runs](const QVariant&, const QVariant&, BDbutton*) { ++runs; }});
    moveTo(button, {100, 30});
    QCOMPARE(QWidget::mouseGrabber(), button);
    QVERIFY(button->disable());
    // Disabling lets go of the mouse but leaves the hover state as it is.
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    QVERIFY(button->lFocus);
    QCOMPARE(captionColor(button), Palette::color(8));
    moveTo(button, {600, 300});
    QVERIFY(button->enable());
    QCOMPARE(captionColor(button), Palette::color(1));
    moveTo(button, {100, 30});
    QTest::mouseClick(button, Qt::LeftButton, {}, qtPoint(button, {100, 30}));
    QCOMPARE(runs, 1);
}

void TestBDbutton::hitTestKeepsCreationSizeAfterResize()
{
    BDbutton* button = make({.position = {50, 50}, .size = {200, 60}, .caption = QStringLiteral("Antwort"), .name = 666});
    QVERIFY(bdUpdateButton(context, {.button = 666, .size = {400, 60}}));
    QCOMPARE(button->size(), QSize(400, 60));
    QCOMPARE(button->Size, QSizeF(200, 60));

    moveTo(button, {300, 30});
    QVERIFY(!button->lFocus);
    moveTo(button, {150, 30});
    QVERIFY(button->lFocus);
    moveTo(button, {300, 30});
    QVERIFY(!button->lFocus);
    QVERIFY(!hoverFrameShown(button));
}

void TestBDbutton::updateWithLongerCaptionKeepsHolderSize()
{
    BDbutton* button = make({.position = {5, 5}, .size = {494, 58.5},
                             .caption = QStringLiteral("kurz") + cr() + QStringLiteral("zwei"),
                             .font = QStringLiteral("13.Helv"), .colors = ColorList{15, 1, 2}, .flat = true, .name = 888});
    const QSize holder = button->oStatic->size();
    const QString longer = QStringLiteral("Eine viel längere Antwort als vorher") + cr() + QStringLiteral("und noch mehr");
    QVERIFY(bdUpdateButton(context, {.button = 888, .caption = longer}));
    QCOMPARE(button->oStatic->size(), holder);
    QCOMPARE(button->oStatic->text(), QStringLiteral("Eine viel längere Antwort als vorher\nund noch mehr"));
    QCOMPARE(button->Caption, QStringLiteral("kurz\r\nzwei"));
}

void TestBDbutton::updateLeavesOtherPropertiesUnchanged()
{
    int runs = 0;
    BDbutton* button = make({.position = {20, 30}, .size = {200, 60}, .caption = QStringLiteral("Frage"),
                             .font = QStringLiteral("18.Helv"), .colors = ColorList{15, 1, 2},
                             .action = [&runs](const QVariant&, const QVariant&, BDbutton*) { ++runs; },
                             .sound = QStringLiteral("ja.wav"), .flat = true, .name = 555});
    const QRect geometry = button->geometry();

    QVERIFY(bdUpdateButton(context, {.button = 555, .caption = QStringLiteral("Neue Frage"), .parent = host.get(),
                                     .autoSize = false, .imageSize = {}}));
    QCOMPARE(button->oStatic->text(), QStringLiteral("Neue Frage"));
    QCOMPARE(button->geometry(), geometry);
    QCOMPARE(button->font, QStringLiteral("18.Helv"));
    QCOMPARE(button->colorBG(), std::optional<int>(15));
    QCOMPARE(button->colorFG(), std::optional<int>(1));
    QCOMPARE(button->focuscolor, 2);
    QCOMPARE(captionColor(button), Palette::color(1));
    QCOMPARE(button->sound, std::optional<QString>(QStringLiteral("ja.wav")));
    QVERIFY(button->flat);
    QVERIFY(button->isenabled());
    QVERIFY(button->isVisible());
    QVERIFY(!button->autosize);

    moveTo(button, {100, 30});
    QTest::mouseClick(button, Qt::LeftButton, {}, qtPoint(button, {100, 30}));
    QCOMPARE(runs, 1);
    QCOMPARE(log, (QStringList{"stop", "play ja.wav"}));

    // Moving keeps the size; bottom-left counting: y up.
    QVERIFY(bdUpdateButton(context, {.button = 555, .position = {40, 50}}));
    QCOMPARE(button->size(), geometry.size());
    QCOMPARE(button->x(), 40);
    QCOMPARE(button->geometry().bottom() + 1, host->height() - 50);
    QCOMPARE(button->oStatic->text(), QStringLiteral("Neue Frage"));
}

void TestBDbutton::updateRecoloursButKeepsDisabledLook()
{
    BDbutton* button = make({.position = {20, 30}, .size = {200, 60}, .caption = QStringLiteral("Antwort"),
                             .colors = ColorList{15, 1, 2}, .name = 777});
    QVERIFY(bdUpdateButton(context, {.button = 777, .colors = ColorList{5, 1, 1}}));
    QCOMPARE(button->oBkGrd->palette().color(QPalette::Window), Palette::color(5));
    QCOMPARE(button->oStatic->palette().color(QPalette::Window), Palette::color(5));
    QCOMPARE(captionColor(button), Palette::color(1));
    QCOMPARE(button->focuscolor, 1);

    QVERIFY(bdUpdateButton(context, {.button = 777, .disable = true}));
    QVERIFY(bdUpdateButton(context, {.button = 777, .colors = ColorList{3, 0, 0}}));
    QVERIFY(!button->isenabled());
    QCOMPARE(button->oBkGrd->palette().color(QPalette::Window), Palette::color(3));
    QCOMPARE(captionColor(button), Palette::color(8));

    QVERIFY(bdUpdateButton(context, {.button = 777, .enable = true}));
    QVERIFY(button->isenabled());
    QCOMPARE(captionColor(button), Palette::color(0));
}

void TestBDbutton::updateSoundPlaysWithActionAtRelease()
{
    BDbutton* button = make({.position = {20, 30}, .size = {200, 60}, .caption = QStringLiteral("Joker"), .name = 333});
    QVERIFY(bdUpdateButton(context, {.button = 333,
                                     .action = [this](const QVariant&, const QVariant&, BDbutton*) { log << "joker"; },
                                     .sound = QStringLiteral("noo.wav")}));
    QVERIFY(!button->sound);
    moveTo(button, {100, 30});
    QTest::mousePress(button, Qt::LeftButton, {}, qtPoint(button, {100, 30}));
    QVERIFY(log.isEmpty());
    QTest::mouseRelease(button, Qt::LeftButton, {}, qtPoint(button, {100, 30}));
    QCOMPARE(log, (QStringList{"stop", "play noo.wav", "joker"}));
}

void TestBDbutton::hideAndShowKeepState()
{
    int runs = 0;
    BDbutton* button = make({.position = {20, 30}, .size = {200, 60}, .caption = QStringLiteral("Antwort"),
                             .colors = ColorList{15, 1, 2},
                             .action = [&runs](const QVariant&, const QVariant&, BDbutton*) { ++runs; }, .name = 999});
    BDbutton* disabled = make({.position = {300, 30}, .size = {200, 60}, .caption = QStringLiteral("Joker"),
                               .colors = ColorList{3, 1, 1}, .disabled = true, .name = 333});
    moveTo(button, {100, 30});
    QVERIFY(bdUpdateButton(context, {.button = 999, .hide = true}));
    QVERIFY(bdUpdateButton(context, {.button = 333, .hide = true}));
    QVERIFY(!button->isVisible());
    QVERIFY(!disabled->isVisible());
    QCOMPARE(QWidget::mouseGrabber(), nullptr);

    QVERIFY(bdUpdateButton(context, {.button = 999, .show = true}));
    QVERIFY(bdUpdateButton(context, {.button = 333, .show = true}));
    QVERIFY(button->isVisible());
    QCOMPARE(button->oStatic->text(), QStringLiteral("Antwort"));
    QCOMPARE(button->colorBG(), std::optional<int>(15));
    QCOMPARE(captionColor(button), Palette::color(1));
    QVERIFY(!disabled->isenabled());
    QCOMPARE(captionColor(disabled), Palette::color(8));

    moveTo(button, {100, 31});
    QVERIFY(hoverFrameShown(button));
    QCOMPARE(captionColor(button), Palette::color(2));
    QTest::mouseClick(button, Qt::LeftButton, {}, qtPoint(button, {100, 31}));
    QCOMPARE(runs, 1);
}

void TestBDbutton::pictureAndCaptionArePlaced_data()
{
    QTest::addColumn<QSize>("picture");     // a picture file of this size; empty: built-in picture 333
    QTest::addColumn<bool>("side");
    QTest::addColumn<QSizeF>("buttonSize"); // empty: automatic size
    QTest::addColumn<QSizeF>("iconSize");   // the picture holder's size
    const QSize builtIn;                     // picture 333 is 55 x 60
    QTest::newRow("file above, automatic") << QSize(48, 32) << false << QSizeF() << QSizeF(48, 32);
    QTest::newRow("built-in above, automatic") << builtIn << false << QSizeF() << QSizeF(55, 60);
    QTest::newRow("file beside, automatic") << QSize(40, 40) << true << QSizeF() << QSizeF(40, 40);
    QTest::newRow("built-in beside, automatic") << builtIn << true << QSizeF() << QSizeF(55, 60);
    QTest::newRow("file beside, fits") << QSize(60, 20) << true << QSizeF(200, 40) << QSizeF(60, 20);
    QTest::newRow("file above, fixed size") << QSize(60, 20) << false << QSizeF(200, 80) << QSizeF(60, 20);
    // Too wide for the room beside the caption: 200 less the caption less the margins of an
    // automatically sized button, 15 (filled in below).
    QTest::newRow("file beside, too wide") << QSize(300, 20) << true << QSizeF(200, 40) << QSizeF(-1, 20);
    QTest::newRow("file beside, too high") << QSize(30, 60) << true << QSizeF(200, 40) << QSizeF(30, 34);
}

void TestBDbutton::pictureAndCaptionArePlaced()
{
    QFETCH(QSize, picture);
    QFETCH(bool, side);
    QFETCH(QSizeF, buttonSize);
    QFETCH(QSizeF, iconSize);
    const QString caption = QStringLiteral("Post");
    const QSizeF text = textSize(caption, host.get(), QStringLiteral("13.Helv"));
    const double tw = text.width();
    const double th = text.height();
    if (iconSize.width() < 0)
        iconSize.setWidth(buttonSize.width() - tw - 15);
    const double iw = iconSize.width();
    const double ih = iconSize.height();

    const ButtonImage image = picture.isEmpty() ? ButtonImage(333) : ButtonImage(pictureFile(picture));
    OptionalPair size;
    if (!buttonSize.isEmpty())
        size = {buttonSize.width(), buttonSize.height()};
    BDbutton* button = make({.position = {20, 20}, .size = size, .caption = caption, .font = QStringLiteral("13.Helv"),
                             .colors = ColorList{15, 1, 2}, .image = image, .imageSize = {}, .imageAtSide = side});
    QVERIFY(button && button->oIcon);
    QCOMPARE(button->side, side);
    QCOMPARE(button->iconsize, std::optional<QSizeF>(iconSize));

    // Automatic size from caption and picture: above, the wider of both and both heights; beside,
    // both widths and the higher of both.
    QSizeF expectedSize = buttonSize;
    if (buttonSize.isEmpty())
        expectedSize = side ? QSizeF(tw + iw + 15, std::max(th, ih) + 6) : QSizeF(std::max(tw, iw) + 6, th + ih + 10);
    QCOMPARE(button->Size, expectedSize);
    const double W = expectedSize.width();
    const double H = expectedSize.height();

    // Above: both centred, the caption near the bottom, the picture on it. Beside: the picture 5
    // pixels from the left, the caption 10 pixels after it, both centred in the height.
    QPointF iconAt((W - iw) / 2, th + 2);
    QPointF captionAt((W - tw) / 2, 2);
    if (side) {
        iconAt = QPointF(5, (ih > th && H <= ih) ? 2 : (H - ih) / 2);
        captionAt = QPointF(iw + 10, (ih <= th && H <= th) ? 2 : (H - th) / 2);
    }
    QCOMPARE(button->oIcon->geometry(), placed(button->oIcon, iconAt, iconSize));
    QCOMPARE(button->oStatic->geometry(), placed(button->oStatic, captionAt, text));
    // Beside: the caption lies after the picture and inside the panel.
    if (side) {
        QVERIFY(button->oStatic->geometry().left() >= button->oIcon->geometry().right() + 5);
        QVERIFY(button->oStatic->geometry().right() < button->oBkGrd->width());
    }

    // A picture file lies in a picture view that covers its holder.
    auto* view = button->oIcon->findChild<BitmapRef*>();
    QCOMPARE(view != nullptr, !picture.isEmpty());
    if (view) {
        QCOMPARE(view->geometry(), button->oIcon->rect());
        QVERIFY(!view->lIsEmpty);
        QCOMPARE(view->oBmp.size(), picture);
    }
}

void TestBDbutton::pictureFileIsShownUnderThePointer()
{
    BDbutton* button = make({.position = {50, 50}, .size = {}, .caption = QStringLiteral("Post"),
                             .colors = ColorList{5, 1, 2}, .image = ButtonImage(pictureFile(QSize(64, 48))),
                             .imageSize = {}});
    auto* view = button->oIcon->findChild<BitmapRef*>();
    QVERIFY(view);
    // The view has the panel's background and shows the picture shrunk into its border of one pixel.
    QCOMPARE(view->backcolor, 5);
    const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.pixel(0, 0), Palette::color(5).rgb());
    QCOMPARE(shown.pixel(1, 1), pattern(64, 48).pixel(0, 0));

    // The pointer over the picture is over the button.
    const QPoint overPicture = view->mapTo(button, view->rect().center());
    QTest::mouseMove(button, overPicture);
    QVERIFY(button->lFocus);
    QCOMPARE(captionColor(button), Palette::color(2));
    int runs = 0;
    button->activateAction = [&runs](const QVariant&, const QVariant&, BDbutton*) { ++runs; };
    QTest::mouseClick(button, Qt::LeftButton, {}, overPicture);
    QCOMPARE(runs, 1);
}

void TestBDbutton::disabledPictureIsInvertedAtBottomLeft_data()
{
    QTest::addColumn<bool>("fromFile");
    QTest::newRow("built-in picture") << false;
    QTest::newRow("picture file") << true;
}

void TestBDbutton::disabledPictureIsInvertedAtBottomLeft()
{
    QFETCH(bool, fromFile);
    const ButtonImage image = fromFile ? ButtonImage(pictureFile(QSize(64, 48))) : ButtonImage(333);
    BDbutton* button = make({.position = {20, 20}, .size = {}, .caption = QStringLiteral("Post"),
                             .colors = ColorList{15, 1, 2}, .image = image, .imageSize = {}});
    QVERIFY(button->oIcon);
    const QSizeF picture = fromFile ? QSizeF(64, 48) : QSizeF(55, 60);
    QCOMPARE(button->iconsize, std::optional<QSizeF>(picture));
    const QSizeF text = textSize(QStringLiteral("Post"), host.get(), button->font);
    QCOMPARE(button->Size, QSizeF(std::max(text.width(), picture.width()) + 6, text.height() + picture.height() + 10));

    const QImage before = button->oIcon->grab().toImage();
    button->disable();
    const QImage after = button->oIcon->grab().toImage();
    const int bottom = before.height() - 1;
    // The square from (0, 0) to (31, 31) from the bottom left is inverted, the rest stays.
    for (const QPoint corner : {QPoint(0, bottom), QPoint(5, bottom - 5), QPoint(31, bottom - 31)})
        QCOMPARE(after.pixelColor(corner).rgb() & 0xFFFFFF, ~before.pixelColor(corner).rgb() & 0xFFFFFF);
    for (const QPoint outside : {QPoint(32, bottom), QPoint(0, bottom - 32), QPoint(40, 5)})
        QCOMPARE(after.pixelColor(outside), before.pixelColor(outside));
    button->enable();
    QCOMPARE(button->oIcon->grab().toImage(), before);
}

QTEST_MAIN(TestBDbutton)
#include "tst_bdbutton.moc"

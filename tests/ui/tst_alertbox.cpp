#define QTEST_QPA_MOUSE_HANDLING
#include <QtTest>

#include "platform/palette.h"
#include "ui/alertbox.h"
#include "ui/qtalertboxes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>
#include <functional>

namespace {

const QString rightAnswer = QStringLiteral(
    "deine Antwort war richtig !;  ;Zusatzinfos anzeigen oder  ;weiter zur n\u00e4chsten Frage ? ");

// Waits (polling every 10 ms) until the alert box is open, then hands it to act once. When the box
// is still open at the deadline, it is closed, so a broken box fails the test instead of hanging.
class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(std::function<void(AlertBox*)> act)
        : m_act(std::move(act))
        , m_deadline(10000)
    {
        connect(&m_timer, &QTimer::timeout, this, &BoxAnswerer::poll);
        m_timer.start(10);
    }

    bool answered = false;  // the box was found and handed to act
    bool leftOpen = false;  // the box was still open at the deadline

private:
    void poll()
    {
        auto* box = qobject_cast<AlertBox*>(QApplication::activeModalWidget());
        if (box && box->isVisible() && !answered) {
            answered = true;
            m_act(box);
            return;
        }
        if (m_deadline.hasExpired()) {
            m_timer.stop();
            if (box && box->isVisible()) {
                leftOpen = true;
                box->close();
            }
        }
    }

    std::function<void(AlertBox*)> m_act;
    QDeadlineTimer m_deadline;
    QTimer m_timer;
};

QPushButton* button(AlertBox* box, int number)
{
    return box->findChild<QPushButton*>(QStringLiteral("alertButton%1").arg(number));
}

void press(AlertBox* box, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(box->windowHandle(), key, modifiers);
}

// Where a window sits on the desktop, bottom-left, y upwards.
QPointF bottomLeftOnDesktop(const QRect& frame, const QRect& desktop)
{
    return QPointF(frame.x() - desktop.x(), desktop.height() - (frame.y() - desktop.y()) - frame.height());
}

double frameQuarter(const QWidget* window)
{
    return (window->frameGeometry().width() - window->width()) / 4.0;
}

} // namespace

class TestAlertBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void clickedButtonGivesItsNumber_data();
    void clickedButtonGivesItsNumber();
    void fiveCaptionsGiveFourButtons();
    void escOnAnyButtonGivesZero_data();
    void escOnAnyButtonGivesZero();
    void closeBoxGivesZero();
    void enterRightAfterOpeningChoosesButtonOne();
    void enterChoosesTheFocusedButton_data();
    void enterChoosesTheFocusedButton();
    void tildeMarksTheMnemonic();
    void boxIsApplicationModalWithItsTitle();
    void boxIsCentredOverItsOwner_data();
    void boxIsCentredOverItsOwner();
    void boxIsSizedToTextButtonsAndIcon();
    void linesAreCentredWithoutIcon();
    void textIsRecordedOnceAndReplayed();
    void focusGoesBackAfterTheBox();

private:
    int run(const std::function<void(AlertBox*)>& act, QWidget* owner, const QString& text,
            const QStringList& captions = {QStringLiteral("~Ok")}, std::optional<int> icon = {},
            const QString& title = QStringLiteral(" "));

    QWidget* mainWindow = nullptr;
};

void TestAlertBox::initTestCase()
{
    QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
}

void TestAlertBox::init()
{
    mainWindow = new QWidget;
    mainWindow->setObjectName(QStringLiteral("mainWindow"));
    mainWindow->setGeometry(100, 100, 560, 351);
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
}

void TestAlertBox::cleanup()
{
    delete mainWindow;
    mainWindow = nullptr;
}

int TestAlertBox::run(const std::function<void(AlertBox*)>& act, QWidget* owner, const QString& text,
                      const QStringList& captions, std::optional<int> icon, const QString& title)
{
    QtAlertBoxes boxes(mainWindow);
    BoxAnswerer answerer(act);
    const int result = boxes.alertBox(owner, text, captions, icon, title);
    if (!answerer.answered)
        qWarning("the alert box was never seen open");
    if (answerer.leftOpen)
        qWarning("the alert box was still open at the deadline");
    return (answerer.answered && !answerer.leftOpen) ? result : -1;
}

void TestAlertBox::clickedButtonGivesItsNumber_data()
{
    QTest::addColumn<int>("number");
    for (int j = 1; j <= 4; ++j)
        QTest::addRow("button %d", j) << j;
}

void TestAlertBox::clickedButtonGivesItsNumber()
{
    QFETCH(int, number);
    const int result = run(
        [number](AlertBox* box) { QTest::mouseClick(button(box, number), Qt::LeftButton); }, nullptr,
        QStringLiteral("W\u00e4hle;eine Zahl"),
        {QStringLiteral("eins"), QStringLiteral("zwei"), QStringLiteral("drei"), QStringLiteral("vier")});
    QCOMPARE(result, number);
}

void TestAlertBox::fiveCaptionsGiveFourButtons()
{
    int buttons = -1;
    bool fifth = true;
    const int result = run(
        [&](AlertBox* box) {
            buttons = int(box->findChildren<QPushButton*>().size());
            fifth = button(box, 5) != nullptr;
            QTest::mouseClick(button(box, 4), Qt::LeftButton);
        },
        nullptr, QStringLiteral("f\u00fcnf"),
        {QStringLiteral("eins"), QStringLiteral("zwei"), QStringLiteral("drei"), QStringLiteral("vier"),
         QStringLiteral("f\u00fcnf")});
    QCOMPARE(buttons, 4);
    QVERIFY(!fifth);
    QCOMPARE(result, 4);
}

void TestAlertBox::escOnAnyButtonGivesZero_data()
{
    QTest::addColumn<int>("number");
    for (int j = 1; j <= 3; ++j)
        QTest::addRow("on button %d", j) << j;
}

void TestAlertBox::escOnAnyButtonGivesZero()
{
    QFETCH(int, number);
    QString focused;
    const int result = run(
        [&](AlertBox* box) {
            for (int j = 1; j < number; ++j)
                press(box, Qt::Key_Tab);
            focused = box->focusWidget() ? box->focusWidget()->objectName() : QString();
            press(box, Qt::Key_Escape);
        },
        nullptr, QStringLiteral("Frage"), {QStringLiteral("~Ja"), QStringLiteral("~Nein"), QStringLiteral("~Mehr")});
    QCOMPARE(focused, QStringLiteral("alertButton%1").arg(number));
    QCOMPARE(result, 0);
}

void TestAlertBox::closeBoxGivesZero()
{
    bool hiddenAtOnce = false;
    const int result = run(
        [&](AlertBox* box) {
            // What the window system sends when the player clicks the close box of the title bar.
            QCloseEvent close;
            QCoreApplication::sendEvent(box->windowHandle(), &close);
            hiddenAtOnce = !box->isVisible();
        },
        nullptr, QStringLiteral("Zu"), {QStringLiteral("eins"), QStringLiteral("zwei")});
    QVERIFY(hiddenAtOnce);
    QCOMPARE(result, 0);
}

void TestAlertBox::enterRightAfterOpeningChoosesButtonOne()
{
    QString focused;
    const int result = run(
        [&](AlertBox* box) {
            focused = box->focusWidget() ? box->focusWidget()->objectName() : QString();
            press(box, Qt::Key_Return);
        },
        nullptr, QStringLiteral("Los"), {QStringLiteral("eins"), QStringLiteral("zwei"), QStringLiteral("drei")});
    QCOMPARE(focused, QStringLiteral("alertButton1"));
    QCOMPARE(result, 1);
}

void TestAlertBox::enterChoosesTheFocusedButton_data()
{
    QTest::addColumn<int>("tabs");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("number");
    QTest::newRow("return on button 3") << 2 << int(Qt::Key_Return) << 3;
    QTest::newRow("keypad enter on button 2") << 1 << int(Qt::Key_Enter) << 2;
    QTest::newRow("tab wraps to button 1") << 3 << int(Qt::Key_Return) << 1;
}

void TestAlertBox::enterChoosesTheFocusedButton()
{
    QFETCH(int, tabs);
    QFETCH(int, key);
    QFETCH(int, number);
    const int result = run(
        [&](AlertBox* box) {
            for (int j = 0; j < tabs; ++j)
                press(box, Qt::Key_Tab);
            press(box, Qt::Key(key));
        },
        nullptr, QStringLiteral("Los"), {QStringLiteral("eins"), QStringLiteral("zwei"), QStringLiteral("drei")});
    QCOMPARE(result, number);
}

void TestAlertBox::tildeMarksTheMnemonic()
{
    QString okText;
    const int okResult = run(
        [&](AlertBox* box) {
            okText = button(box, 1)->text();
            press(box, Qt::Key_O, Qt::AltModifier);
        },
        nullptr, QStringLiteral("Hinweis"));
    QCOMPARE(okText, QStringLiteral("&Ok"));
    QCOMPARE(okResult, 1);

    QStringList texts;
    const int result = run(
        [&](AlertBox* box) {
            texts << button(box, 1)->text() << button(box, 2)->text() << button(box, 3)->text();
            press(box, Qt::Key_N, Qt::AltModifier);
        },
        nullptr, QStringLiteral("Frage"), {QStringLiteral("~Ja"), QStringLiteral("~Nein"), QStringLiteral("A & B")});
    QCOMPARE(texts, (QStringList{"&Ja", "&Nein", "A && B"}));
    QCOMPARE(result, 2);
}

void TestAlertBox::boxIsApplicationModalWithItsTitle()
{
    Qt::WindowModality modality = Qt::NonModal;
    QString title;
    QString defaultTitle;
    bool minMax = true;
    run(
        [&](AlertBox* box) {
            modality = box->windowModality();
            title = box->windowTitle();
            minMax = box->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
            QTest::mouseClick(button(box, 1), Qt::LeftButton);
        },
        nullptr, QStringLiteral("x"), {QStringLiteral("~Ok")}, 11, QStringLiteral("  1. richtige Antwort"));
    QCOMPARE(modality, Qt::ApplicationModal);
    QCOMPARE(title, QStringLiteral("  1. richtige Antwort"));
    QVERIFY(!minMax);

    run([&](AlertBox* box) {
        defaultTitle = box->windowTitle();
        box->close();
    }, nullptr, QStringLiteral("x"));
    QCOMPARE(defaultTitle, QStringLiteral(" "));
}

void TestAlertBox::boxIsCentredOverItsOwner_data()
{
    QTest::addColumn<int>("ownerHeight");
    QTest::addColumn<bool>("child");
    QTest::addColumn<bool>("defaultOwner");
    QTest::newRow("main window by default, even height") << 351 << false << true;
    QTest::newRow("main window by default, odd height") << 352 << false << true;
    QTest::newRow("own window") << 301 << false << false;
    QTest::newRow("control inside a window") << 351 << true << false;
}

void TestAlertBox::boxIsCentredOverItsOwner()
{
    QFETCH(int, ownerHeight);
    QFETCH(bool, child);
    QFETCH(bool, defaultOwner);

    mainWindow->resize(560, ownerHeight);
    QWidget window;
    window.setGeometry(150, 180, 500, ownerHeight);
    auto* control = new QWidget(&window);
    control->setGeometry(40, 30, 300, 201);
    if (!defaultOwner) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    QWidget* owner = defaultOwner ? mainWindow : child ? control : &window;

    QPointF where;
    QPointF expected;
    run(
        [&](AlertBox* box) {
            const QRect desktop = owner->screen()->virtualGeometry();
            const QRect boxFrame = box->frameGeometry();
            where = bottomLeftOnDesktop(boxFrame, desktop);
            // The centring offset, fractions dropped, counted from the owner's bottom-left corner.
            const QSize ownerOuter = owner->isWindow() ? owner->frameGeometry().size() : owner->size();
            expected = QPointF(std::trunc((ownerOuter.width() - boxFrame.width()) / 2.0),
                               std::trunc((ownerOuter.height() - boxFrame.height()) / 2.0));
            if (child)
                expected += QPointF(control->x(), window.height() - control->y() - control->height());
            const QWidget* top = owner->window();
            expected += bottomLeftOnDesktop(top->frameGeometry(), desktop);
            expected += QPointF(frameQuarter(top), frameQuarter(top));
            box->close();
        },
        defaultOwner ? nullptr : owner, QStringLiteral("Mitte;der Box"), {QStringLiteral("~Ok")}, 11);
    QVERIFY2(std::abs(where.x() - expected.x()) <= 0.5 && std::abs(where.y() - expected.y()) <= 0.5,
             qPrintable(QStringLiteral("box at (%1, %2), expected (%3, %4)")
                            .arg(where.x()).arg(where.y()).arg(expected.x()).arg(expected.y())));
}

void TestAlertBox::boxIsSizedToTextButtonsAndIcon()
{
    QSize client;
    QList<QRect> buttons;
    QRect icon;
    QList<double> lineX;
    run(
        [&](AlertBox* box) {
            client = box->size();
            for (int j = 1; j <= 2; ++j)
                buttons << button(box, j)->geometry();
            if (auto* label = box->findChild<QLabel*>(QStringLiteral("alertIcon")))
                icon = label->geometry();
            for (const AlertBoxLayout::Line& line : std::as_const(box->aText.lines))
                lineX << line.position.x();
            QTest::mouseClick(button(box, 2), Qt::LeftButton);
        },
        nullptr, rightAnswer, {QStringLiteral("Zusatzinfo"), QStringLiteral("weiter")}, 11,
        QStringLiteral("  1. richtige Antwort"));

    // The same sizes, measured here in the dialog font and the message font.
    const QFontMetricsF dialog(QApplication::font());
    const QFontMetricsF message(QApplication::font("QMessageBox"));
    const double bw = 1.5 * dialog.horizontalAdvance(QStringLiteral("Zusatzinfo"));
    const double bh = 2 * dialog.height();
    const double g = bw / 10;
    const double R = 2 * (bw + g);
    double WT = 0;
    double HT = 0;
    for (const QString& line : {QStringLiteral("deine Antwort war richtig !"), QStringLiteral(" "),
                                QStringLiteral("Zusatzinfos anzeigen oder  "),
                                QStringLiteral("weiter zur n\u00e4chsten Frage ? ")}) {
        WT = std::max(WT, message.horizontalAdvance(line));
        HT += 2 + message.height();
    }
    const double CW = std::max(R + 20, WT + 20) + 45;
    const double CH = HT + 2 * bh + 10;
    QCOMPARE(client, QSize(int(std::lround(CW)), int(std::lround(CH))));

    QCOMPARE(icon, QRect(10, 15, 30, 30));
    QCOMPARE(lineX, (QList<double>{52.5, 52.5, 52.5, 52.5}));

    QCOMPARE(buttons.size(), 2);
    const double xB = R < WT ? std::trunc((WT - R) / 2) + 45 + g / 2 : 52.5;
    for (int j = 0; j < 2; ++j) {
        const QRect& b = buttons.at(j);
        QVERIFY2(std::abs(b.x() - (xB + j * (bw + g))) <= 0.5, qPrintable(QString::number(b.x())));
        QVERIFY(std::abs(b.width() - bw) <= 1);
        QVERIFY(std::abs(b.height() - bh) <= 1);
        // Bottom-left y = bh / 2: the row sits half a button above the bottom edge.
        QVERIFY(std::abs((client.height() - b.bottom() - 1) - bh / 2) <= 0.5);
    }
}

void TestAlertBox::linesAreCentredWithoutIcon()
{
    QList<AlertBoxLayout::Line> lines;
    int width = 0;
    run(
        [&](AlertBox* box) {
            lines = box->aText.lines;
            width = box->width();
            box->close();
        },
        nullptr, QStringLiteral("eine sehr viel l\u00e4ngere Zeile;kurz"));
    QCOMPARE(lines.size(), 2);
    const double WT = std::max(lines.at(0).width, lines.at(1).width);
    const double xT = std::trunc((width - WT) / 2);
    QCOMPARE(lines.at(0).position.x(), xT + (WT - lines.at(0).width) / 2);
    QCOMPARE(lines.at(1).position.x(), xT + (WT - lines.at(1).width) / 2);
    QVERIFY(lines.at(1).position.x() > lines.at(0).position.x());
}

void TestAlertBox::textIsRecordedOnceAndReplayed()
{
    const QPicture* first = nullptr;
    const QPicture* second = nullptr;
    int textPixels = 0;
    int textPixelsAgain = 0;
    const QColor textColour = Palette::color(1);
    // Pixels of the message colour (antialiased edges are mixed with the background and not counted).
    auto countTextColour = [&](const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (std::abs(c.red() - textColour.red()) + std::abs(c.green() - textColour.green())
                        + std::abs(c.blue() - textColour.blue()) < 60)
                    ++count;
            }
        return count;
    };
    run(
        [&](AlertBox* box) {
            const QImage image = box->grab().toImage();
            first = box->aText.picture.get();
            textPixels = countTextColour(image);
            const QImage again = box->grab().toImage();
            second = box->aText.picture.get();
            textPixelsAgain = countTextColour(again);
            box->close();
        },
        nullptr, QStringLiteral("Blaue Schrift;auf grauem Grund"));
    QVERIFY(first != nullptr);
    QCOMPARE(second, first);
    QVERIFY2(textPixels > 20, qPrintable(QString::number(textPixels)));
    QCOMPARE(textPixelsAgain, textPixels);
}

void TestAlertBox::focusGoesBackAfterTheBox()
{
    auto* edit = new QLineEdit(mainWindow);
    edit->setObjectName(QStringLiteral("edit"));
    edit->setGeometry(10, 10, 100, 24);
    edit->show();
    QApplication::setActiveWindow(mainWindow);
    edit->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow));
    QTRY_COMPARE(QApplication::focusWidget(), edit);

    QString during;
    const int result = run(
        [&](AlertBox* box) {
            during = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
            QTest::mouseClick(button(box, 1), Qt::LeftButton);
        },
        nullptr, QStringLiteral("Fokus"));
    QCOMPARE(result, 1);
    QCOMPARE(during, QStringLiteral("alertButton1"));
    QCOMPARE(mainWindow->focusWidget(), edit);
    QTRY_COMPARE(QApplication::focusWidget(), edit);
}

QTEST_MAIN(TestAlertBox)
#include "tst_alertbox.moc"

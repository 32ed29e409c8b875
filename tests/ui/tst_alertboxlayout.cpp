#include <QtTest>

#include "ui/alertboxlayout.h"

#include <QHash>

// Texts are "measured" by hand: in the dialog font a caption is 7 pixels a character and 14 high, in
// the message font a line is 8 pixels a character and 16 high, unless a text has a size of its own.
namespace {

const QHash<QString, QSizeF> captionSizes = {
    {QStringLiteral("abcd"), QSizeF(30, 14)},
    {QStringLiteral("wxyz"), QSizeF(40, 14)},
    {QStringLiteral("MM"), QSizeF(60, 14)},
};

const QHash<QString, QSizeF> messageSizes = {
    {QStringLiteral("Hoch"), QSizeF(32, 20)},
};

QSizeF captionExtent(const QString& text)
{
    return captionSizes.value(text, QSizeF(7.0 * text.size(), 14));
}

QSizeF messageExtent(const QString& text)
{
    return messageSizes.value(text, QSizeF(8.0 * text.size(), 16));
}

AlertBoxLayout::Result layoutOf(const QString& text, const QStringList& captions, bool icon,
                                std::optional<QSizeF> client = {})
{
    AlertBoxLayout::Input input;
    input.text = text;
    input.captions = captions;
    input.captionExtent = captionExtent;
    input.messageExtent = messageExtent;
    input.icon = icon;
    input.iconSize = icon ? QSizeF(30, 30) : QSizeF(0, 0);
    input.clientSize = client;
    return AlertBoxLayout::compute(input);
}

const QString rightAnswer = QStringLiteral(
    "deine Antwort war richtig !;  ;Zusatzinfos anzeigen oder  ;weiter zur n\u00e4chsten Frage ? ");

using Numbers = QList<double>;

} // namespace

class TestAlertBoxLayout : public QObject
{
    Q_OBJECT

private slots:
    void cutStrSplitsAtTheFirstSeparator_data();
    void cutStrSplitsAtTheFirstSeparator();
    void messageIsCutIntoLinesAtSemicolons_data();
    void messageIsCutIntoLinesAtSemicolons();
    void centerPosDropsTheFractionTowardZero_data();
    void centerPosDropsTheFractionTowardZero();
    void boxIsSizedByTextButtonsAndIcon_data();
    void boxIsSizedByTextButtonsAndIcon();
    void linesIconAndButtonsArePlacedByTheFormulas_data();
    void linesIconAndButtonsArePlacedByTheFormulas();
};

void TestAlertBoxLayout::cutStrSplitsAtTheFirstSeparator_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("rest");

    QTest::newRow("first of two") << ";" << "ab;cd;ef" << "ab" << "cd;ef";
    QTest::newRow("at the start") << ";" << ";x" << "" << "x";
    QTest::newRow("at the end") << ";" << "x;" << "x" << "";
    QTest::newRow("none") << ";" << "a long line" << "a long line" << "";
    QTest::newRow("empty") << ";" << "" << "" << "";
    QTest::newRow("longer separator") << "--" << "a-b--c" << "a-b" << "c";
}

void TestAlertBoxLayout::cutStrSplitsAtTheFirstSeparator()
{
    QFETCH(QString, separator);
    QFETCH(QString, text);
    QFETCH(QString, result);
    QFETCH(QString, rest);

    QCOMPARE(AlertBoxLayout::cutStr(separator, text), result);
    QCOMPARE(text, rest);
}

void TestAlertBoxLayout::messageIsCutIntoLinesAtSemicolons_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<Numbers>("heights");

    QTest::newRow("two separators in a row give a blank line")
        << "a;;b" << QStringList{"a", " ", "b"} << Numbers{16, 16, 16};
    QTest::newRow("a separator at the end gives no line") << "a;" << QStringList{"a"} << Numbers{16};
    QTest::newRow("blank pieces at the end give one blank line")
        << "a; ; " << QStringList{"a", " "} << Numbers{16, 16};
    QTest::newRow("only blanks give no line") << "     " << QStringList{} << Numbers{};
    QTest::newRow("empty message gives no line") << "" << QStringList{} << Numbers{};
    QTest::newRow("tabs and line breaks count as blank")
        << "\t\r\n;x;\t;" << QStringList{" ", "x", " "} << Numbers{16, 16, 16};
    QTest::newRow("blanks around a piece stay")
        << "  a  ; b" << QStringList{"  a  ", " b"} << Numbers{16, 16};
    QTest::newRow("a long line is never wrapped")
        << QString(120, QLatin1Char('x')) << QStringList{QString(120, QLatin1Char('x'))} << Numbers{16};
    QTest::newRow("right answer") << rightAnswer
                                  << QStringList{"deine Antwort war richtig !", " ", "Zusatzinfos anzeigen oder  ",
                                                 "weiter zur n\u00e4chsten Frage ? "}
                                  << Numbers{16, 16, 16, 16};
}

void TestAlertBoxLayout::messageIsCutIntoLinesAtSemicolons()
{
    QFETCH(QString, message);
    QFETCH(QStringList, lines);
    QFETCH(Numbers, heights);

    QList<AlertBoxLayout::Line> prepared;
    const QSizeF block = AlertBoxLayout::prepareText(prepared, message, messageExtent);

    QStringList texts;
    double widest = 0;
    double total = 0;
    for (const AlertBoxLayout::Line& line : prepared) {
        texts << line.text;
        QCOMPARE(line.width, 8.0 * line.text.size());
        widest = std::max(widest, line.width);
        total += 2 + line.height;
    }
    QCOMPARE(texts, lines);
    for (qsizetype i = 0; i < heights.size(); ++i)
        QCOMPARE(prepared.at(i).height, heights.at(i));
    QCOMPARE(block, QSizeF(widest, total));
}

void TestAlertBoxLayout::centerPosDropsTheFractionTowardZero_data()
{
    QTest::addColumn<QSizeF>("inner");
    QTest::addColumn<QSizeF>("outer");
    QTest::addColumn<QPointF>("position");

    QTest::newRow("even") << QSizeF(100, 50) << QSizeF(300, 150) << QPointF(100, 50);
    QTest::newRow("odd rounds down") << QSizeF(100, 50) << QSizeF(301, 153) << QPointF(100, 51);
    QTest::newRow("fractional") << QSizeF(231, 56) << QSizeF(251.5, 138) << QPointF(10, 41);
    QTest::newRow("inner larger rounds up toward zero") << QSizeF(103, 57) << QSizeF(100, 50)
                                                        << QPointF(-1, -3);
}

void TestAlertBoxLayout::centerPosDropsTheFractionTowardZero()
{
    QFETCH(QSizeF, inner);
    QFETCH(QSizeF, outer);
    QFETCH(QPointF, position);

    QCOMPARE(AlertBoxLayout::centerPos(inner, outer), position);
}

void TestAlertBoxLayout::boxIsSizedByTextButtonsAndIcon_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<bool>("icon");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("longest");
    QTest::addColumn<double>("bw");
    QTest::addColumn<double>("bh");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("R");
    QTest::addColumn<QSizeF>("textBlock");
    QTest::addColumn<QSizeF>("client");

    // "Zusatzinfo": 10 characters, 70 x 14 -> buttons 105 x 28, gap a tenth of 105, row 2 x 115.5.
    // Widest line 28 characters (224), four lines of 2 + 16.
    QTest::newRow("right answer with icon")
        << rightAnswer << QStringList{"Zusatzinfo", "weiter"} << true << 2 << 0 << 105.0 << 28.0 << 10.5
        << 231.0 << QSizeF(224, 72) << QSizeF(251 + 45, 72 + 56 + 10);
    QTest::newRow("right answer without icon")
        << rightAnswer << QStringList{"Zusatzinfo", "weiter"} << false << 2 << 0 << 105.0 << 28.0 << 10.5
        << 231.0 << QSizeF(224, 72) << QSizeF(251, 138);
    // One line of 100 characters: as wide as the line plus 20, plus 45 with the icon.
    QTest::newRow("one long line") << QString(100, QLatin1Char('x')) << QStringList{"~Ok"} << false << 1 << 0
                                   << 31.5 << 28.0 << 10.5 << 42.0 << QSizeF(800, 18) << QSizeF(820, 84);
    QTest::newRow("one long line with icon")
        << QString(100, QLatin1Char('x')) << QStringList{"~Ok"} << true << 1 << 0 << 31.5 << 28.0 << 10.5
        << 42.0 << QSizeF(800, 18) << QSizeF(865, 84);
    // Five captions: four buttons; the long fifth is not measured.
    QTest::newRow("five captions give four buttons")
        << "a" << QStringList{"eins", "zwei", "drei", "vier", "f\u00fcnfte Wahl"} << false << 4 << 0 << 42.0
        << 28.0 << 10.5 << 210.0 << QSizeF(8, 18) << QSizeF(230, 84);
    // Equal lengths: the first is measured (30 wide), not the wider second (40).
    QTest::newRow("equal lengths measure the first")
        << "a" << QStringList{"abcd", "wxyz"} << false << 2 << 0 << 45.0 << 28.0 << 11.25 << 112.5
        << QSizeF(8, 18) << QSizeF(132.5, 84);
    // Longest by characters, not by width: "iiiiii" (42 wide) beats the wider "MM" (60).
    QTest::newRow("longest by characters") << "a" << QStringList{"MM", "iiiiii"} << false << 2 << 1 << 63.0
                                           << 28.0 << 10.5 << 147.0 << QSizeF(8, 18) << QSizeF(167, 84);
    QTest::newRow("empty message: only the buttons")
        << "" << QStringList{"~Ok"} << false << 1 << 0 << 31.5 << 28.0 << 10.5 << 42.0 << QSizeF(0, 0)
        << QSizeF(62, 66);
    // Line heights 16, 20, 16: block height 18 + 22 + 18.
    QTest::newRow("lines of their own height") << "a;Hoch;b" << QStringList{"~Ok"} << false << 1 << 0 << 31.5
                                               << 28.0 << 10.5 << 42.0 << QSizeF(32, 58) << QSizeF(62, 124);
}

void TestAlertBoxLayout::boxIsSizedByTextButtonsAndIcon()
{
    QFETCH(QString, text);
    QFETCH(QStringList, captions);
    QFETCH(bool, icon);
    QFETCH(int, buttons);
    QFETCH(int, longest);
    QFETCH(double, bw);
    QFETCH(double, bh);
    QFETCH(double, g);
    QFETCH(double, R);
    QFETCH(QSizeF, textBlock);
    QFETCH(QSizeF, client);

    const AlertBoxLayout::Result r = layoutOf(text, captions, icon);
    QCOMPARE(r.buttonCount, buttons);
    QCOMPARE(r.buttonPositions.size(), buttons);
    QCOMPARE(r.longest, longest);
    QCOMPARE(r.m, int(captions.at(longest).size()));
    QCOMPARE(r.bw, bw);
    QCOMPARE(r.bh, bh);
    QCOMPARE(r.g, g);
    QCOMPARE(r.R, R);
    QCOMPARE(r.textBlock, textBlock);
    QCOMPARE(r.clientSize, client);
    QCOMPARE(r.actualClient, client);
}

void TestAlertBoxLayout::linesIconAndButtonsArePlacedByTheFormulas_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<bool>("icon");
    QTest::addColumn<QSizeF>("client");      // the client size the box got; invalid: the one it asked for
    QTest::addColumn<Numbers>("lineX");
    QTest::addColumn<Numbers>("lineY");
    QTest::addColumn<QPointF>("iconPosition");
    QTest::addColumn<Numbers>("buttonX");
    QTest::addColumn<double>("buttonY");

    const QStringList zusatz{"Zusatzinfo", "weiter"};
    // Client 296 x 138. Text at 1.75 x 30 = 52.5, from yT = 2.25 x 28 = 63: lines at 63 + 72 - 18 i.
    // Icon at (10, 138 - 45). Row 231 >= block 224: buttons from 52.5, one 115.5 further, at 14.
    QTest::newRow("right answer with icon")
        << rightAnswer << zusatz << true << QSizeF() << Numbers{52.5, 52.5, 52.5, 52.5}
        << Numbers{117, 99, 81, 63} << QPointF(10, 93) << Numbers{52.5, 168} << 14.0;
    // Client 251 x 138: block at INT(27 / 2) = 13, each line centred in it (224 - width) / 2.
    // Row centred: INT((251 - 231) / 2) + 10.5 / 2.
    QTest::newRow("right answer without icon")
        << rightAnswer << zusatz << false << QSizeF() << Numbers{17, 121, 17, 13} << Numbers{117, 99, 81, 63}
        << QPointF() << Numbers{15.25, 130.75} << 14.0;
    // With the icon and a row narrower than the block: row centred in the block, plus 45 + g / 2.
    // Block 320 wide, row 42: INT(278 / 2) + 45 + 5.25.
    QTest::newRow("icon, row narrower than the text")
        << QString(40, QLatin1Char('x')) << QStringList{"~Ok"} << true << QSizeF() << Numbers{52.5}
        << Numbers{63} << QPointF(10, 84 - 45) << Numbers{189.25} << 14.0;
    // Each line steps down by its own height times its number: 63 + 58 - i (2 + h).
    QTest::newRow("lines of their own height")
        << "a;Hoch;b" << QStringList{"~Ok"} << false << QSizeF() << Numbers{27, 15, 27} << Numbers{103, 77, 67}
        << QPointF() << Numbers{15.25} << 14.0;
    // The box got 300 x 200: text and buttons are centred in that.
    QTest::newRow("client size the box really got")
        << "a;;b" << QStringList{"~Ok"} << false << QSizeF(300, 200) << Numbers{146, 146, 146}
        << Numbers{99, 81, 63} << QPointF() << Numbers{134.25} << 14.0;
    QTest::newRow("icon in the client size the box really got")
        << "a" << QStringList{"~Ok"} << true << QSizeF(300, 200) << Numbers{52.5} << Numbers{63}
        << QPointF(10, 155) << Numbers{52.5} << 14.0;
    // Four equal buttons 42 wide with gaps of 10.5, centred in 230: INT(10) + 5.25.
    QTest::newRow("four buttons")
        << "a" << QStringList{"eins", "zwei", "drei", "vier", "f\u00fcnf"} << false << QSizeF() << Numbers{111}
        << Numbers{63} << QPointF() << Numbers{15.25, 67.75, 120.25, 172.75} << 14.0;
    QTest::newRow("empty message") << "" << QStringList{"~Ok"} << false << QSizeF() << Numbers{} << Numbers{}
                                   << QPointF() << Numbers{15.25} << 14.0;
}

void TestAlertBoxLayout::linesIconAndButtonsArePlacedByTheFormulas()
{
    QFETCH(QString, text);
    QFETCH(QStringList, captions);
    QFETCH(bool, icon);
    QFETCH(QSizeF, client);
    QFETCH(Numbers, lineX);
    QFETCH(Numbers, lineY);
    QFETCH(QPointF, iconPosition);
    QFETCH(Numbers, buttonX);
    QFETCH(double, buttonY);

    const AlertBoxLayout::Result r =
        layoutOf(text, captions, icon, client.isValid() ? std::optional<QSizeF>(client) : std::nullopt);
    QCOMPARE(r.lines.size(), lineX.size());
    for (qsizetype i = 0; i < r.lines.size(); ++i) {
        QCOMPARE(r.lines.at(i).position.x(), lineX.at(i));
        QCOMPARE(r.lines.at(i).position.y(), lineY.at(i));
    }
    if (icon)
        QCOMPARE(r.iconPosition, iconPosition);
    QCOMPARE(r.buttonPositions.size(), buttonX.size());
    for (qsizetype j = 0; j < buttonX.size(); ++j)
        QCOMPARE(r.buttonPositions.at(j), QPointF(buttonX.at(j), buttonY));
}

QTEST_APPLESS_MAIN(TestAlertBoxLayout)
#include "tst_alertboxlayout.moc"

#include <QtTest>

#include "info/help.h"
#include "platform/scriptedmessageboxes.h"

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void textIsTheNineParagraphs();
    void jokerParagraphsOnConsecutiveLinesOthersWithEmptyLine();
    void helpShowsTextTitledKurzanleitung();
};

void TestHelp::textIsTheNineParagraphs()
{
    QCOMPARE(Help::text(),
             QStringLiteral("Es werden in zufälliger Reihenfolge unterschiedlich schwere Fragen aus verschiedenen "
                            "Themengebieten gestellt. Zu jeder Frage werden 4 mögliche Lösungen angeboten.\r\r"
                            "Zur Unterstützung stehen Ihnen 2 Joker zur Verfügung:\r"
                            "50/50-Joker: es werden zufällig 2 falsche Antworten entfernt.\r"
                            "Tausch-Joker: es wird eine andere Frage gestellt.\r\r"
                            "Das Spiel endet mit der dritten falschen Antwort.\r\r"
                            "Zu fast jeder Frage stellt das Programm auf Wunsch nach der Auflösung zusätzliche "
                            "Informationen zur Verfügung.\r\r"
                            "Die 10 besten Ergebnisse werden in einer Highscore-Liste gespeichert. Diese "
                            "Bestenliste kann jederzeit mit einem Klick auf die Frage angezeigt werden.\r\r"
                            "Auf Wunsch können Spezialkataloge gespielt werden, die sich nur mit einem "
                            "Themengebiet befassen.\r\r"
                            "Viel Spass :-)"));
}

void TestHelp::jokerParagraphsOnConsecutiveLinesOthersWithEmptyLine()
{
    const QString text = Help::text();
    QVERIFY(!text.contains(QLatin1Char('\n')));
    const QStringList lines = text.split(QLatin1Char('\r'));
    // Nine paragraphs, one line each, and an empty line between all but the three on the jokers.
    QCOMPARE(lines.size(), 9 + 6);
    const QList<int> emptyLines{1, 5, 7, 9, 11, 13};
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(lines.at(i).isEmpty(), emptyLines.contains(i));
    QVERIFY(lines.at(2).startsWith(QStringLiteral("Zur Unterstützung")));
    QVERIFY(lines.at(3).startsWith(QStringLiteral("50/50-Joker")));
    QVERIFY(lines.at(4).startsWith(QStringLiteral("Tausch-Joker")));
}

void TestHelp::helpShowsTextTitledKurzanleitung()
{
    ScriptedMessageBoxes boxes;
    Help::help(boxes);
    // The recording shows the carriage returns as the line breaks the box shows.
    QCOMPARE(boxes.shown(),
             QStringList{QStringLiteral("Kurzanleitung: ") + QString(Help::text()).replace(QLatin1Char('\r'), QLatin1Char('\n'))});
}

QTEST_GUILESS_MAIN(TestHelp)
#include "tst_help.moc"

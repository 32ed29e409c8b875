#include "platform/cp850.h"

#include "childprocess.h"

#include <QtTest>

// Code page 850, the character set of the game's tables: every byte means what iconv's CP850 says,
// every such character goes back to its byte, and a character the code page lacks is refused.
class TestCp850 : public QObject
{
    Q_OBJECT

private:
    static QByteArray allBytes()
    {
        QByteArray bytes(256, '\0');
        for (int b = 0; b < 256; ++b)
            bytes[b] = char(b);
        return bytes;
    }

    QString m_iconv; // the 256 characters as iconv decodes them

private slots:
    void initTestCase()
    {
        const ChildProcess iconv = ChildProcess::run(QStringLiteral("iconv"),
                                                     {QStringLiteral("-f"), QStringLiteral("CP850"),
                                                      QStringLiteral("-t"), QStringLiteral("UTF-8")},
                                                     allBytes());
        QVERIFY2(iconv.finished() && iconv.exitCode() == 0 && iconv.err().isEmpty(), qPrintable(iconv.describe()));
        m_iconv = QString::fromUtf8(iconv.out());
        QCOMPARE(m_iconv.size(), 256); // one character of the basic plane per byte
    }

    void everyByteDecodesAsIconvDecodesIt()
    {
        const QString decoded = Cp850::decode(allBytes());
        QCOMPARE(decoded.size(), 256);
        for (int b = 0; b < 256; ++b) {
            const QString context = QStringLiteral("byte %1").arg(b, 2, 16, QLatin1Char('0'));
            QVERIFY2(decoded[b] == m_iconv[b], qPrintable(context + QStringLiteral(": U+%1 instead of U+%2")
                                                                    .arg(decoded[b].unicode(), 4, 16, QLatin1Char('0'))
                                                                    .arg(m_iconv[b].unicode(), 4, 16, QLatin1Char('0'))));
            QVERIFY2(Cp850::toUnicode(uchar(b)) == m_iconv[b], qPrintable(context));
        }
    }

    void everyCharacterOfTheCodePageEncodesToItsByte()
    {
        bool ok = false;
        QCOMPARE(Cp850::encode(m_iconv, &ok).toHex(' '), allBytes().toHex(' '));
        QVERIFY(ok);
        for (QChar c : m_iconv)
            QVERIFY2(Cp850::canEncode(c), qPrintable(QString(c)));
    }

    void charactersOutsideTheCodePageAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("euro sign") << QStringLiteral("€");
        QTest::newRow("check mark") << QStringLiteral("✓");
        QTest::newRow("capital sharp s") << QStringLiteral("ẞ");
        QTest::newRow("typographic quotes") << QStringLiteral("„“");
        QTest::newRow("en dash") << QStringLiteral("–");
        QTest::newRow("alpha of code page 437") << QStringLiteral("α");
        QTest::newRow("character beyond 16 bits") << QStringLiteral("😀");
        QTest::newRow("one bad character among good ones") << QStringLiteral("Köln kostet 5 €");
    }

    void charactersOutsideTheCodePageAreRefused()
    {
        QFETCH(QString, text);
        bool ok = true;
        Cp850::encode(text, &ok);
        QVERIFY(!ok);
        QVERIFY(!Cp850::canEncode(text.back()));
    }
};

QTEST_GUILESS_MAIN(TestCp850)
#include "tst_cp850.moc"

#include <QtTest>

#include "info/links.h"

#include <QDesktopServices>
#include <QUrl>

#include "urlcatcher.h"

namespace {

const QStringList schemes{QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("mailto")};

} // namespace

class TestLinks : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addressesAreOursUnderReservedDomain();
    void targetGoesToRegisteredProgram_data();
    void targetGoesToRegisteredProgram();
    void targetWithoutSchemeIsHandedOnUnchanged();

private:
    UrlCatcher m_catcher;
};

void TestLinks::init()
{
    m_catcher.opened.clear();
    for (const QString& scheme : schemes)
        QDesktopServices::setUrlHandler(scheme, &m_catcher, "open");
}

void TestLinks::cleanup()
{
    for (const QString& scheme : schemes)
        QDesktopServices::unsetUrlHandler(scheme);
}

void TestLinks::addressesAreOursUnderReservedDomain()
{
    QCOMPARE(Links::productWebsite, QStringLiteral("https://www.brimora.example"));
    QCOMPARE(Links::productMail, QStringLiteral("kontakt@brimora.example"));
    QCOMPARE(Links::advertiserPage, QStringLiteral("www.quizabend.example"));
    QCOMPARE(Links::makerMail, QStringLiteral("werbung@brimora.example"));
}

void TestLinks::targetGoesToRegisteredProgram_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("opened");
    QTest::newRow("product web site") << Links::productWebsite << QStringLiteral("https://www.brimora.example");
    QTest::newRow("contact mail") << QStringLiteral("mailto:") + Links::productMail
                                  << QStringLiteral("mailto:kontakt@brimora.example");
    QTest::newRow("maker mail") << QStringLiteral("mailto:") + Links::makerMail
                                << QStringLiteral("mailto:werbung@brimora.example");
    QTest::newRow("advertiser page") << Links::advertiserPage << QStringLiteral("http://www.quizabend.example");
}

void TestLinks::targetGoesToRegisteredProgram()
{
    QFETCH(QString, target);
    QFETCH(QString, opened);
    Links::openRegisteredFile(target);
    QCOMPARE(m_catcher.opened.size(), 1);
    QCOMPARE(m_catcher.opened.first().toString(), opened);
}

void TestLinks::targetWithoutSchemeIsHandedOnUnchanged()
{
    Links::openRegisteredFile(QStringLiteral("www.quizabend.example"));
    QCOMPARE(m_catcher.opened.size(), 1);
    const QUrl url = m_catcher.opened.first();
    // The browser gets the address as written; only the web scheme a browser assumes is added.
    QCOMPARE(url.scheme(), QStringLiteral("http"));
    QCOMPARE(url.toString(QUrl::RemoveScheme).mid(2), QStringLiteral("www.quizabend.example"));
    QCOMPARE(url.host(), QStringLiteral("www.quizabend.example"));
    QVERIFY(url.path().isEmpty());
}

QTEST_GUILESS_MAIN(TestLinks)
#include "tst_links.moc"

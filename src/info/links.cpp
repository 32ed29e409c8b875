#include "info/links.h"

#include <QDesktopServices>
#include <QUrl>

const QString Links::productWebsite = QStringLiteral("https://www.brimora.example");
const QString Links::productMail = QStringLiteral("kontakt@brimora.example");
const QString Links::advertiserPage = QStringLiteral("www.quizabend.example");
const QString Links::makerMail = QStringLiteral("werbung@brimora.example");

void Links::openRegisteredFile(const QString& target)
{
    // The target goes to the desktop as it is. A link with a scheme ("https:", "mailto:") keeps it;
    // an address without one, like "www.quizabend.example", is read the way a browser's address
    // bar reads it, as a web address, so the browser opens it.
    QDesktopServices::openUrl(QUrl::fromUserInput(target));
}

#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Takes what would go to the browser or the mail program (QDesktopServices::setUrlHandler), so a
// test starts no program and sees the address.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

#include "dbfpeer.h"

#include "childprocess.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>

namespace {

const QString python = QStringLiteral("/usr/bin/python3");

} // namespace

QString DbfPeer::script()
{
    return QDir(QStringLiteral(BRIMORA_FIXTURES_DIR)).absoluteFilePath(QStringLiteral("../support/dbfpeer.py"));
}

bool DbfPeer::read(const QString& table, QList<QJsonObject>* records, QString* error)
{
    const ChildProcess run = ChildProcess::run(python, {script(), QStringLiteral("read"), table});
    if (!run.finished() || run.exitCode() != 0 || !run.err().isEmpty()) {
        *error = run.describe();
        return false;
    }
    records->clear();
    for (const QByteArray& line : run.out().split('\n')) {
        if (line.isEmpty())
            continue;
        QJsonParseError parseError;
        const QJsonDocument doc = QJsonDocument::fromJson(line, &parseError);
        if (!doc.isObject()) {
            *error = QStringLiteral("unreadable line from dbfpeer.py: %1").arg(parseError.errorString());
            return false;
        }
        records->append(doc.object());
    }
    return true;
}

bool DbfPeer::write(const QString& path, const QString& fields, const QJsonArray& records, QString* error)
{
    const QString contentFile = path + QStringLiteral(".content.json");
    QFile content(contentFile);
    if (!content.open(QIODevice::WriteOnly)) {
        *error = content.errorString();
        return false;
    }
    content.write(QJsonDocument(QJsonObject{{QStringLiteral("fields"), fields}, {QStringLiteral("records"), records}})
                   .toJson());
    content.close();
    const ChildProcess run = ChildProcess::run(python, {script(), QStringLiteral("write"), path, contentFile});
    QFile::remove(contentFile);
    if (!run.finished() || run.exitCode() != 0 || !run.err().isEmpty()) {
        *error = run.describe();
        return false;
    }
    return true;
}

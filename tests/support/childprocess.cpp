#include "childprocess.h"

#include <QProcess>

ChildProcess ChildProcess::run(const QString& program, const QStringList& arguments, const QByteArray& input)
{
    ChildProcess result;
    result.m_command = (QStringList{program} + arguments).join(QLatin1Char(' '));
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(60000)) {
        result.m_err = process.errorString().toUtf8();
        return result;
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished(5000);
        result.m_err = "no end within a minute; " + process.readAllStandardError();
        return result;
    }
    result.m_finished = process.exitStatus() == QProcess::NormalExit;
    result.m_exitCode = process.exitCode();
    result.m_out = process.readAllStandardOutput();
    result.m_err = process.readAllStandardError();
    return result;
}

QString ChildProcess::describe() const
{
    return QStringLiteral("%1: %2, exit status %3: %4")
        .arg(m_command, m_finished ? QStringLiteral("finished") : QStringLiteral("did not finish"))
        .arg(m_exitCode)
        .arg(QString::fromUtf8(m_err).trimmed());
}

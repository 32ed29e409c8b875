#include "app/restart.h"

#include <QProcess>
#include <QProcessEnvironment>

bool Restart::start(const QString& program)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments({});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(environmentName()), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    return process.startDetached();
}

bool Restart::isRestarted()
{
    return qEnvironmentVariableIsSet(environmentName());
}

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs a program to its end for a test, under a one-minute limit, and keeps what it printed.
class ChildProcess
{
public:
    // Starts program with the arguments, writes input to its standard input and waits up to a minute.
    static ChildProcess run(const QString& program, const QStringList& arguments, const QByteArray& input = {});

    // Ran to its end on its own (it started, did not crash and was not stopped at the limit).
    bool finished() const { return m_finished; }
    int exitCode() const { return m_exitCode; }
    const QByteArray& out() const { return m_out; }
    const QByteArray& err() const { return m_err; }
    // One line for a failing test: program, exit status and standard error.
    QString describe() const;

private:
    QString m_command;
    bool m_finished = false;
    int m_exitCode = -1;
    QByteArray m_out;
    QByteArray m_err;
};

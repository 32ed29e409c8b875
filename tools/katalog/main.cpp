#include "tabledump.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

int usage(QTextStream& err)
{
    err << "Aufruf: brimora-katalog dump DATEI.QUZ\n"
           "  dump   gibt jeden Datensatz der Tabelle als JSON-Objekt in einer Zeile aus\n";
    err.flush();
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("dump"))
        return TableDump::run(args[1], out, err);
    return usage(err);
}

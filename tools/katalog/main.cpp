#include "catalogbuild.h"
#include "tabledump.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

namespace {

int usage(QTextStream& err)
{
    err << "Aufruf: brimora-katalog dump DATEI.QUZ\n"
           "        brimora-katalog build QUELLE.txt ZIELORDNER [--name QUIZ] [--mit-sachgebieten] [--mit-highscores]\n"
           "  dump   gibt jeden Datensatz der Tabelle als JSON-Objekt in einer Zeile aus\n"
           "  build  baut aus der Textquelle den Fragenkatalog NAME.QUZ mit NAME.DBT (Vorgabe QUIZ),\n"
           "         auf Wunsch auch GEBIET.QUZ und eine leere HIGHSCOR.QUZ\n";
    err.flush();
    return 2;
}

// Reads the arguments after "build"; false when they do not make a build.
bool buildOptions(const QStringList& args, CatalogBuild::Options* options)
{
    QStringList places;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--name") && i + 1 < args.size())
            options->name = args[++i];
        else if (arg == QLatin1String("--mit-sachgebieten"))
            options->withTopics = true;
        else if (arg == QLatin1String("--mit-highscores"))
            options->withHighScores = true;
        else if (arg.startsWith(QLatin1String("--")))
            return false;
        else
            places << arg;
    }
    if (places.size() != 2)
        return false;
    options->source = places[0];
    options->targetFolder = places[1];
    return true;
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
    CatalogBuild::Options options;
    if (!args.isEmpty() && args[0] == QLatin1String("build") && buildOptions(args.mid(1), &options))
        return CatalogBuild::run(options, out, err);
    return usage(err);
}

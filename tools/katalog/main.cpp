#include "catalogbuild.h"
#include "catalogcheck.h"
#include "catalogexport.h"
#include "tabledump.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#include <cstring>
#include <memory>

namespace {

int usage(QTextStream& err)
{
    err << "Aufruf: brimora-katalog dump DATEI.QUZ\n"
           "        brimora-katalog build QUELLE.txt ZIELORDNER [--name QUIZ] [--mit-sachgebieten] [--mit-highscores]\n"
           "        brimora-katalog check DATEI [--gegen ANDERE]...\n"
           "        brimora-katalog export DATEI.QUZ ZIEL.txt\n"
           "  dump    gibt jeden Datensatz der Tabelle als JSON-Objekt in einer Zeile aus\n"
           "  build   baut aus der Textquelle den Fragenkatalog NAME.QUZ mit NAME.DBT (Vorgabe QUIZ),\n"
           "          auf Wunsch auch GEBIET.QUZ und eine leere HIGHSCOR.QUZ\n"
           "  check   prüft eine Textquelle oder einen gebauten Katalog und meldet jeden Fehler;\n"
           "          mit --gegen darf keine Frage auch in der anderen Datei stehen\n"
           "  export  schreibt einen gebauten Katalog als Textquelle\n";
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

// Reads the arguments after "check"; false when they do not make a check.
bool checkOptions(const QStringList& args, CatalogCheck::Options* options)
{
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--gegen") && i + 1 < args.size())
            options->others << args[++i];
        else if (args[i].startsWith(QLatin1String("--")))
            return false;
        else
            files << args[i];
    }
    if (files.size() != 1)
        return false;
    options->file = files.first();
    return true;
}

// "check" measures texts in the play field's fonts, which needs the GUI part of Qt; without a
// display it works on the offscreen platform.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char* argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "check") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

int main(int argc, char* argv[])
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString verb = args.value(0);
    if (args.size() == 2 && verb == QLatin1String("dump"))
        return TableDump::run(args[1], out, err);
    if (args.size() == 3 && verb == QLatin1String("export"))
        return CatalogExport::run(args[1], args[2], out, err);
    CatalogBuild::Options build;
    if (verb == QLatin1String("build") && buildOptions(args.mid(1), &build))
        return CatalogBuild::run(build, out, err);
    CatalogCheck::Options check;
    if (verb == QLatin1String("check") && checkOptions(args.mid(1), &check))
        return CatalogCheck::run(check, out, err);
    return usage(err);
}

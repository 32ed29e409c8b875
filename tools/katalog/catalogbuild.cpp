#include "catalogbuild.h"

#include "data/cataloglayout.h"
#include "data/catalogsource.h"
#include "platform/dbf/dbftable.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>

#include <filesystem>
#include <system_error>

namespace {

int fail(QTextStream& err, const QString& message)
{
    err << message << '\n';
    err.flush();
    return 1;
}

// Writes the tables into folder under their final names.
void writeTables(const QString& folder, const CatalogBuild::Options& options, const QString& name,
                 const CatalogSource& source)
{
    const QDir dir(folder);
    const QString catalogPath = dir.filePath(name + QStringLiteral(".QUZ"));
    DbfTable::create(catalogPath, CatalogLayout::questionCatalog());
    {
        const auto catalog = DbfTable::open(catalogPath);
        const int info = int(CatalogLayout::questionCatalog().size()) - 1;
        for (const CatalogSource::Record& record : source.records()) {
            QList<QVariant> values = record.values;
            values[info] = CatalogLayout::infoForTable(values[info].toString());
            catalog->appendRecord(values);
        }
        catalog->commit();
    }

    if (options.withTopics) {
        QStringList topics;
        QHash<QString, int> counts;
        for (const CatalogSource::Record& record : source.records()) {
            const QString topic = record.values.first().toString();
            if (!counts.contains(topic))
                topics << topic;
            ++counts[topic];
        }
        const QString topicPath = dir.filePath(QStringLiteral("GEBIET.QUZ"));
        DbfTable::create(topicPath, CatalogLayout::topicTable());
        const auto table = DbfTable::open(topicPath);
        for (const QString& topic : topics)
            table->appendRecord({topic, counts.value(topic)});
        table->commit();
    }

    if (options.withHighScores) {
        const QString highScorePath = dir.filePath(QStringLiteral("HIGHSCOR.QUZ"));
        DbfTable::create(highScorePath, CatalogLayout::highScoreTable());
        const auto table = DbfTable::open(highScorePath);
        for (int i = 0; i < CatalogBuild::highScoreEntries; ++i)
            table->appendRecord({0, QString(), QVariant()});
        table->commit();
    }
}

// Moves every file of from into to, replacing files of the same name and removing files whose
// names differ only in case (the game finds its files without regard to case). On failure the files
// moved so far are removed again.
bool moveInto(const QString& from, const QString& to, QString* fault)
{
    QStringList moved;
    const QStringList made = QDir(from).entryList(QDir::Files, QDir::Name);
    const QStringList present = QDir(to).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& file : made) {
        for (const QString& other : present) {
            if (other != file && other.compare(file, Qt::CaseInsensitive) == 0)
                QFile::remove(QDir(to).filePath(other));
        }
        const QString target = QDir(to).filePath(file);
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(QDir(from).filePath(file)).toStdString(),
                                QFile::encodeName(target).toStdString(), error);
        if (error) {
            *fault = QStringLiteral("%1 lässt sich nicht anlegen: %2.")
                         .arg(target, QString::fromLocal8Bit(error.message().c_str()));
            for (const QString& done : moved)
                QFile::remove(done);
            return false;
        }
        moved << target;
    }
    return true;
}

} // namespace

int CatalogBuild::run(const Options& options, QTextStream& out, QTextStream& err)
{
    const QString name = options.name.toUpper();
    if (name.isEmpty() || name.size() > 64 || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || name.contains(QLatin1Char('.')) || name.startsWith(QLatin1Char('-')))
        return fail(err, QStringLiteral("„%1“ taugt nicht als Katalogname (ohne Endung, ohne Ordner, ohne Punkt).")
                             .arg(options.name));
    if ((options.withTopics && name == QLatin1String("GEBIET"))
        || (options.withHighScores && name == QLatin1String("HIGHSCOR")))
        return fail(err, QStringLiteral("Der Katalog darf nicht „%1“ heißen, diese Tabelle wird ebenfalls geschrieben.")
                             .arg(name));

    const CatalogSource source = CatalogSource::read(options.source);
    if (!source.isValid()) {
        for (const CatalogSource::Error& error : source.errors())
            err << error.text(options.source) << '\n';
        err << QStringLiteral("%1: %2 Fehler; es wurde nichts geschrieben.\n")
                   .arg(options.source)
                   .arg(source.errors().size());
        err.flush();
        return 1;
    }

    const QFileInfo target(options.targetFolder);
    const bool madeFolder = !target.exists();
    if (madeFolder && !QDir().mkpath(options.targetFolder))
        return fail(err, QStringLiteral("%1: Der Zielordner lässt sich nicht anlegen.").arg(options.targetFolder));
    if (!QFileInfo(options.targetFolder).isDir())
        return fail(err, QStringLiteral("%1: Das ist kein Ordner.").arg(options.targetFolder));
    const QString folder = QFileInfo(options.targetFolder).absoluteFilePath();
    const auto removeMadeFolder = [&]() {
        if (madeFolder)
            QDir().rmdir(folder);
    };

    QString fault;
    {
        // Beside the target, so the final rename stays on one file system.
        QTemporaryDir work(QDir(folder).filePath(QStringLiteral(".brimora-katalog-XXXXXX")));
        if (!work.isValid()) {
            removeMadeFolder();
            return fail(err, QStringLiteral("%1: Im Zielordner lässt sich nichts anlegen: %2.")
                                 .arg(folder, work.errorString()));
        }
        try {
            writeTables(work.path(), options, name, source);
        } catch (const DbfError& error) {
            fault = error.message();
        }
        if (fault.isEmpty())
            moveInto(work.path(), folder, &fault);
    }
    if (!fault.isEmpty()) {
        removeMadeFolder();
        return fail(err, fault);
    }

    out << QStringLiteral("%1: %2 Fragen\n").arg(QDir(folder).filePath(name + QStringLiteral(".QUZ")))
                                           .arg(source.records().size());
    out.flush();
    return 0;
}

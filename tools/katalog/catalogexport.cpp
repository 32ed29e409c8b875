#include "catalogexport.h"

#include "catalogbuild.h"
#include "catalogfile.h"
#include "data/catalogsource.h"
#include "tabledump.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTemporaryDir>

namespace {

QString sourceText(const CatalogFile& catalog)
{
    const QStringList names = CatalogSource::fieldNames();
    QString text = QStringLiteral("# Fragen aus %1, ausgegeben von brimora-katalog export\n")
                       .arg(QFileInfo(catalog.path()).fileName());
    for (const CatalogFile::Question& question : catalog.questions()) {
        text += QLatin1Char('\n');
        for (int field = 0; field < names.size(); ++field) {
            const QString& value = question.values.at(field);
            text += names.at(field) + QLatin1Char(':') + (value.isEmpty() ? QString() : QLatin1Char(' ') + value)
                + QLatin1Char('\n');
        }
    }
    return text;
}

// Every record of a table as "brimora-katalog dump" gives it; false after a message in *fault.
bool dumpRecords(const QString& table, QList<QJsonObject>* records, QString* fault)
{
    QString dumped;
    QTextStream out(&dumped);
    QTextStream err(fault);
    if (TableDump::run(table, out, err) != 0)
        return false;
    for (const QString& line : dumped.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        records->append(QJsonDocument::fromJson(line.toUtf8()).object());
    return true;
}

QString shown(const QJsonValue& value)
{
    if (value.isNull() || value.isUndefined())
        return QStringLiteral("nichts");
    const QString text = value.isString() ? value.toString() : QString::number(value.toDouble());
    return QStringLiteral("„%1“").arg(text.size() > 40 ? text.left(40) + QStringLiteral("…") : text);
}

// How the rebuilt record differs from the table's, one line per field.
QStringList recordDifferences(const QString& table, const QJsonObject& original, const QJsonObject& rebuilt)
{
    const QString where = QStringLiteral("%1: Datensatz %2").arg(table, QString::number(original.value(QStringLiteral("recno")).toInt()));
    QStringList lines;
    if (original.value(QStringLiteral("deleted")).toBool())
        lines << QStringLiteral("%1 ist als gelöscht markiert; die Textfassung kennt keine Löschmarke.").arg(where);
    const QJsonObject before = original.value(QStringLiteral("fields")).toObject();
    const QJsonObject after = rebuilt.value(QStringLiteral("fields")).toObject();
    for (auto field = before.begin(); field != before.end(); ++field) {
        if (!after.contains(field.key()))
            lines << QStringLiteral("%1, %2: Das Feld gehört nicht zum Fragenkatalog und fehlt in der Textfassung.")
                         .arg(where, field.key());
        else if (after.value(field.key()) != field.value())
            lines << QStringLiteral("%1, %2: Aus der Textfassung wird %3 statt %4.")
                         .arg(where, field.key(), shown(after.value(field.key())), shown(field.value()));
    }
    return lines;
}

// Builds the text in a temporary folder and compares both tables; one line per difference.
QStringList rebuildDifferences(const QString& table, const QString& text)
{
    QTemporaryDir work;
    if (!work.isValid())
        return {QStringLiteral("Zum Vergleich lässt sich kein vorläufiger Ordner anlegen: %1.").arg(work.errorString())};
    // A text that does not build is reported with the question numbers, which are the record numbers.
    const CatalogFile exported = CatalogFile::load(text);
    if (!exported.problems().isEmpty()) {
        QStringList lines;
        for (const CatalogFile::Problem& problem : exported.problems())
            lines << problem.text;
        return lines;
    }
    QString built;
    QString faults;
    QTextStream buildOut(&built);
    QTextStream buildErr(&faults);
    CatalogBuild::Options options;
    options.source = text;
    options.targetFolder = work.path();
    options.name = QStringLiteral("EXPORT");
    if (CatalogBuild::run(options, buildOut, buildErr) != 0)
        return faults.split(QLatin1Char('\n'), Qt::SkipEmptyParts);

    QList<QJsonObject> before;
    QList<QJsonObject> after;
    QString fault;
    if (!dumpRecords(table, &before, &fault) || !dumpRecords(QDir(work.path()).filePath(QStringLiteral("EXPORT.QUZ")), &after, &fault))
        return fault.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList lines;
    if (before.size() != after.size())
        lines << QStringLiteral("%1: Die Tabelle hat %2 Datensätze, die Textfassung ergibt %3.")
                     .arg(table, QString::number(before.size()), QString::number(after.size()));
    for (qsizetype i = 0; i < std::min(before.size(), after.size()); ++i)
        lines << recordDifferences(table, before.at(i), after.at(i));
    return lines;
}

int fail(QTextStream& err, const QStringList& lines)
{
    for (const QString& line : lines)
        err << line << '\n';
    err.flush();
    return 1;
}

} // namespace

int CatalogExport::run(const QString& table, const QString& target, QTextStream& out, QTextStream& err)
{
    if (!CatalogFile::isTablePath(table))
        return fail(err, {QStringLiteral("%1: export liest einen gebauten Katalog (NAME.QUZ mit NAME.DBT).").arg(table)});
    const CatalogFile catalog = CatalogFile::load(table);
    // A table that does not open, holds no record or lacks a catalog field gives no catalog text.
    bool readable = catalog.count() > 0;
    for (int field = 0; field < CatalogFile::FieldCount; ++field)
        readable = readable && catalog.hasField(field);
    if (!readable) {
        QStringList lines;
        for (const CatalogFile::Problem& problem : catalog.problems())
            lines << problem.text;
        return fail(err, lines << QStringLiteral("%1: Es wurde nichts geschrieben.").arg(target));
    }

    const QString text = sourceText(catalog);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.flush() || !file.commit())
        return fail(err, {QStringLiteral("%1 lässt sich nicht schreiben: %2.").arg(target, file.errorString())});

    const QStringList differences = rebuildDifferences(table, target);
    if (!differences.isEmpty()) {
        return fail(err, QStringList(differences)
                             << QStringLiteral("%1: geschrieben, aber neu gebaut ergibt der Text nicht dieselben Datensätze "
                                               "wie %2 (Abweichungen: %3).")
                                    .arg(target, table, QString::number(differences.size())));
    }
    out << QStringLiteral("%1: %2 Fragen aus %3; neu gebaut ergeben sie dieselben Datensätze.\n")
               .arg(target, QString::number(catalog.count()), table);
    out.flush();
    return 0;
}

#pragma once

#include "childprocess.h"
#include "testfiles.h"

#include "data/catalogsource.h"
#include "platform/dbf/dbftable.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

// Catalog texts for the tests of the catalog tool, and the tool itself run as a separate process.
class KatalogFixture
{
public:
    // A catalog text: one block per question, the values in field order ("gebiet" … "info"),
    // after a comment line, blocks separated by blank lines.
    static QByteArray text(const QList<QStringList>& questions)
    {
        const QStringList names = CatalogSource::fieldNames();
        QStringList lines{QStringLiteral("# Testkatalog")};
        for (const QStringList& values : questions) {
            for (int i = 0; i < values.size(); ++i)
                lines << names[i] + QStringLiteral(": ") + values[i];
            lines << QString();
        }
        return lines.join(QLatin1Char('\n')).toUtf8();
    }

    // The first line of question n (from 1) in text(): the comment, then 14 lines per question.
    static int firstLine(int n) { return 2 + 14 * (n - 1); }

    static ChildProcess tool(const QStringList& arguments)
    {
        return ChildProcess::run(QStringLiteral(BRIMORA_KATALOG_TOOL), arguments);
    }

    // Writes the text as name into dir and builds it there as NAME.QUZ; returns the table's path,
    // empty when the build failed.
    static QString buildTable(const QDir& dir, const QString& name, const QList<QStringList>& questions)
    {
        const QString source = dir.filePath(name + QStringLiteral(".txt"));
        if (!TestFiles::write(source, text(questions)))
            return {};
        const ChildProcess build = tool({QStringLiteral("build"), source, dir.path(), QStringLiteral("--name"), name});
        if (!build.finished() || build.exitCode() != 0) {
            qWarning().noquote() << build.describe();
            return {};
        }
        return dir.filePath(name.toUpper() + QStringLiteral(".QUZ"));
    }

    // Overwrites the start of field name in record recno of a table (an empty name: the record's
    // deleted flag), as a damaged or foreign table would hold it.
    static bool patchRecord(const QString& path, int recno, const QString& name, const QByteArray& bytes)
    {
        int offset = 0; // counted from the deleted flag
        try {
            const auto table = DbfTable::open(path);
            if (!name.isEmpty())
                offset = table->fields().at(table->requireField(name)).offset;
        } catch (const DbfError& error) {
            qWarning().noquote() << error.message();
            return false;
        }
        const QByteArray header = TestFiles::read(path).left(12);
        const int headerLength = quint8(header[8]) | quint8(header[9]) << 8;
        const int recordLength = quint8(header[10]) | quint8(header[11]) << 8;
        QFile file(path);
        return file.open(QIODevice::ReadWrite) && file.seek(headerLength + qint64(recordLength) * (recno - 1) + offset)
            && file.write(bytes) == bytes.size();
    }
};

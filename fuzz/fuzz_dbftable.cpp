// Opens a table with its memo file through a work area and reads every record, field and memo, in
// record order and along an index on a text field and one on a number field.
//
// The input describes both files: a 4-byte little-endian length, that many bytes of QUIZ.QUZ, the
// rest QUIZ.DBT. An input without a rest has no memo file at all. Besides "no crash, no hang", it
// checks what the engine promises: every fault is a DbfError naming file and fault, a walk visits
// each record once, an index finds the keys it holds, and reading never changes a byte of the files.
#include "fuzzscratch.h"
#include "platform/dbf/database.h"
#include "platform/dbf/dbferror.h"

#include <QtEndian>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

const QString tableFile = QStringLiteral("QUIZ.QUZ");
const QString memoFile = QStringLiteral("QUIZ.DBT");
const QString indexName = QStringLiteral("IFUZZ");
const QString indexFile = QStringLiteral("IFUZZ.QUI");

struct TableFiles
{
    QByteArray table;
    QByteArray memo;
    bool withMemo = false;
};

TableFiles split(const uint8_t* data, size_t size)
{
    const auto* bytes = reinterpret_cast<const char*>(data);
    if (size < 4)
        return {QByteArray(bytes, qsizetype(size)), {}, false};
    const size_t tableSize = std::min<size_t>(qFromLittleEndian<quint32>(data), size - 4);
    const size_t memoSize = size - 4 - tableSize;
    return {QByteArray(bytes + 4, qsizetype(tableSize)), QByteArray(bytes + 4 + tableSize, qsizetype(memoSize)),
            memoSize > 0};
}

template<typename Step>
void attempt(Step step)
{
    try {
        step();
    } catch (const DbfError& error) {
        FuzzScratch::require(!error.fileName().isEmpty() && !error.fault().isEmpty(),
                             "a DbfError without file name or fault");
    }
}

// Every field on its own, so a damaged field does not hide the ones after it.
void readRecord(WorkArea& area)
{
    attempt([&] { (void)area.deleted(); });
    for (int field = 0; field < area.table().fields().size(); ++field)
        attempt([&] { (void)area.fieldGet(field); });
}

// Visits every record in the active order, once forwards and a few steps backwards; reads every
// field on the way when asked (the index walks only check the order: the index read the keys).
void walk(WorkArea& area, bool readFields)
{
    const auto visit = [&] {
        if (readFields)
            readRecord(area);
    };
    int visited = 0;
    for (area.goTop(); !area.eof(); area.skip()) {
        FuzzScratch::require(++visited <= area.recCount(), "a walk visits more records than the table has");
        visit();
    }
    FuzzScratch::require(visited == area.recCount(), "a walk misses records");
    visit();  // the blank record at the end of file

    area.goBottom();
    for (int steps = 0; steps < 3 && !area.bof(); ++steps, area.skip(-1))
        visit();
    area.goTo(area.recCount() / 2 + 1);
    visit();
}

int firstFieldOfType(const DbfTable& table, char type)
{
    for (int field = 0; field < table.fields().size(); ++field) {
        if (table.fields().at(field).type == type)
            return field;
    }
    return -1;
}

// Builds an index on the key, walks along it, seeks the first key and opens the index file again.
void useIndex(WorkArea& area, int field, const QString& key)
{
    attempt([&] {
        area.createIndex(indexName, key);
        walk(area, false);
        area.goTop();
        if (area.eof())
            return;
        const QVariant first = area.fieldGet(field);
        FuzzScratch::require(area.seek(first), "the index does not find a key it holds");
        FuzzScratch::require(area.fieldGet(field) == first, "seek lands on a record with another key");
    });
    area.clearIndexes();
    attempt([&] {
        area.setIndex(indexName);
        walk(area, false);
    });
    area.clearIndexes();
}

void readTable(Database& database)
{
    WorkArea& area = database.use(1, QStringLiteral("quiz"));
    walk(area, true);
    const DbfTable& table = area.table();
    if (const int text = firstFieldOfType(table, 'C'); text >= 0)
        useIndex(area, text, table.fields().at(text).name);
    if (const int number = firstFieldOfType(table, 'N'); number >= 0)
        useIndex(area, number, QStringLiteral("descend(%1)").arg(table.fields().at(number).name));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TableFiles files = split(data, size);
    // No index file of an earlier input: each run depends on its own input alone.
    FuzzScratch::remove(indexFile);
    FuzzScratch::write(tableFile, files.table);
    if (files.withMemo)
        FuzzScratch::write(memoFile, files.memo);
    else
        FuzzScratch::remove(memoFile);

    {
        Database database;
        database.setDataDirectory(FuzzScratch::directory());
        database.setDefaultExtensions(QStringLiteral("QUZ"), QStringLiteral("QUI"));
        attempt([&] { readTable(database); });
    }

    FuzzScratch::require(FuzzScratch::read(tableFile) == files.table, "reading changed the table");
    if (files.withMemo)
        FuzzScratch::require(FuzzScratch::read(memoFile) == files.memo, "reading changed the memo file");
    return 0;
}

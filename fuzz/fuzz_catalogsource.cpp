// Parses a catalog source text. Besides "no crash, no hang", it checks what the parser promises:
// every record it accepts can be stored in the question catalog as it stands (every field present,
// each text in code page 850 and within its field's width, STUFE a digit), and every fault has a
// message and a line within the text, in line order.
#include "data/cataloglayout.h"
#include "data/catalogsource.h"
#include "fuzzscratch.h"
#include "platform/cp850.h"

#include <cstddef>
#include <cstdint>

namespace {

void checkRecord(const CatalogSource::Record& record, const QList<DbfField>& layout, int lines)
{
    FuzzScratch::require(record.line >= 1 && record.line <= lines, "a record outside the text");
    FuzzScratch::require(record.values.size() == layout.size(), "a record without all fields");
    for (int field = 0; field < layout.size(); ++field) {
        const QVariant& value = record.values.at(field);
        if (layout.at(field).type == 'N') {
            FuzzScratch::require(value.typeId() == QMetaType::Int && value.toInt() >= 0 && value.toInt() <= 9,
                                 "STUFE is not a digit");
            continue;
        }
        bool encodable = true;
        const QByteArray stored = Cp850::encode(value.toString(), &encodable);
        FuzzScratch::require(encodable && !stored.contains('\x1A'), "a text the table cannot store");
        FuzzScratch::require(layout.at(field).type == 'M' || stored.size() <= layout.at(field).length,
                             "a text longer than its field");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    const CatalogSource source = CatalogSource::parse(text);
    const int lines = int(text.count('\n')) + 1;

    static const QList<DbfField> layout = CatalogLayout::questionCatalog();
    int previousLine = 0;
    for (const CatalogSource::Record& record : source.records()) {
        checkRecord(record, layout, lines);
        FuzzScratch::require(record.line > previousLine, "records out of text order");
        previousLine = record.line;
    }
    previousLine = 0;
    for (const CatalogSource::Error& error : source.errors()) {
        FuzzScratch::require(error.line >= previousLine && error.line <= lines, "a fault outside the text or order");
        FuzzScratch::require(!error.message.isEmpty(), "a fault without message");
        previousLine = error.line;
    }
    FuzzScratch::require(source.isValid() == source.errors().isEmpty(), "valid although faulty");
    FuzzScratch::require(!source.records().isEmpty() || !source.errors().isEmpty(), "neither records nor faults");
    return 0;
}

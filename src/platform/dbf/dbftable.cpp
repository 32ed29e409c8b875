#include "platform/dbf/dbftable.h"

#include "platform/cp850.h"
#include "platform/filelookup.h"

#include <QDate>
#include <QFileInfo>
#include <QMap>
#include <QSaveFile>
#include <QtEndian>

#include <cerrno>
#include <cmath>
#include <limits>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int fileHeaderSize = 32;
constexpr int descriptorSize = 32;
constexpr int memoBlockSize = 512;
constexpr char fieldTerminator = 0x0D;
constexpr char endOfFile = 0x1A;

using Kind = DbfError::Kind;

bool consistsOf(const QByteArray& bytes, QByteArrayView allowed)
{
    for (char c : bytes) {
        if (!allowed.contains(c))
            return false;
    }
    return true;
}

QByteArray trimmed(const QByteArray& bytes)
{
    qsizetype start = 0;
    qsizetype end = bytes.size();
    while (start < end && (bytes[start] == ' ' || bytes[start] == '\0'))
        ++start;
    while (end > start && (bytes[end - 1] == ' ' || bytes[end - 1] == '\0'))
        --end;
    return bytes.mid(start, end - start);
}

QByteArray rightAligned(const QByteArray& text, int width)
{
    return QByteArray(width - text.size(), ' ') + text;
}

QString typeName(char type)
{
    switch (type) {
    case 'C': return QStringLiteral("Text");
    case 'N': return QStringLiteral("Zahl");
    case 'D': return QStringLiteral("Datum");
    case 'M': return QStringLiteral("Memo");
    case 'L': return QStringLiteral("Logisch");
    }
    return QString(QChar(type));
}

// Exact length each fixed-size field type must have.
int requiredLength(char type)
{
    switch (type) {
    case 'D': return 8;
    case 'M': return 10;
    case 'L': return 1;
    }
    return 0;
}

} // namespace

std::unique_ptr<DbfTable> DbfTable::open(const QString& path)
{
    std::unique_ptr<DbfTable> table(new DbfTable);
    table->m_path = path;
    if (!QFileInfo(path).isFile())
        table->fail(Kind::FileMissing, QStringLiteral("Die Tabelle ist nicht vorhanden."));

    table->m_file.setFileName(path);
    if (!table->m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        table->m_readOnly = true;
        if (!table->m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            table->fail(Kind::CannotOpen, QStringLiteral("Die Tabelle lässt sich nicht öffnen: %1.")
                                              .arg(table->m_file.errorString()));
    }
    if (::flock(table->m_file.handle(), LOCK_EX | LOCK_NB) != 0)
        table->fail(Kind::InUse, QStringLiteral("Die Tabelle wird gerade von einem anderen Programm benutzt."));

    table->readHeader();
    table->openMemo();
    return table;
}

void DbfTable::create(const QString& path, const QList<DbfField>& fields)
{
    const auto failCreate = [&](const QString& file, const QString& fault) {
        throw DbfError(Kind::WriteFailed, file, fault);
    };
    bool withMemo = false;
    int recordLength = 1;
    QByteArray descriptors;
    for (const DbfField& f : fields) {
        const QByteArray name = f.name.toUpper().toLatin1();
        const int fixed = requiredLength(f.type);
        if (name.isEmpty() || name.size() > 10 || !QByteArrayLiteral("CNDML").contains(f.type) || f.length < 1
            || f.length > 255 || (fixed && f.length != fixed))
            failCreate(path, QStringLiteral("Das Feld „%1“ lässt sich so nicht anlegen.").arg(f.name));
        QByteArray d(descriptorSize, '\0');
        d.replace(0, name.size(), name);
        d[11] = f.type;
        d[16] = char(f.length);
        d[17] = char(f.type == 'N' ? f.decimals : 0);
        descriptors += d;
        recordLength += f.length;
        withMemo = withMemo || f.type == 'M';
    }
    if (fields.isEmpty())
        failCreate(path, QStringLiteral("Eine Tabelle braucht mindestens ein Feld."));

    QByteArray header(fileHeaderSize, '\0');
    const QDate today = QDate::currentDate();
    header[0] = char(withMemo ? 0x83 : 0x03);
    header[1] = char(today.year() % 100);
    header[2] = char(today.month());
    header[3] = char(today.day());
    qToLittleEndian<quint16>(quint16(fileHeaderSize + descriptors.size() + 1), header.data() + 8);
    qToLittleEndian<quint16>(quint16(recordLength), header.data() + 10);
    header[29] = 0x02; // language driver: code page 850

    const auto write = [&](const QString& file, const QByteArray& bytes) {
        QSaveFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush() || !out.commit())
            failCreate(file, QStringLiteral("Die Datei ließ sich nicht anlegen: %1.").arg(out.errorString()));
    };
    if (withMemo) {
        QByteArray memoHeader(memoBlockSize, '\0');
        qToLittleEndian<quint32>(1, memoHeader.data());
        memoHeader[16] = 0x03; // dBASE III memo file
        const QFileInfo info(path);
        write(info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".DBT"), memoHeader);
    }
    write(path, header + descriptors + QByteArray(1, fieldTerminator) + QByteArray(1, endOfFile));
}

DbfTable::~DbfTable()
{
    // Closing the files releases their locks.
    m_memo.close();
    m_file.close();
}

void DbfTable::fail(DbfError::Kind kind, const QString& fault, const QString& file) const
{
    throw DbfError(kind, file.isEmpty() ? m_path : file, fault);
}

void DbfTable::readHeader()
{
    const qint64 fileSize = m_file.size();
    m_file.seek(0);
    const QByteArray head = m_file.read(fileHeaderSize);
    if (head.size() < fileHeaderSize)
        fail(Kind::ShortHeader, QStringLiteral("Die Datei ist kürzer als ein Tabellenkopf (%1 Byte).").arg(fileSize));

    m_version = static_cast<unsigned char>(head[0]);
    if (m_version == 0x1A)
        fail(Kind::Locked, QStringLiteral("Die Tabelle ist gesperrt (das erste Byte ist 1A)."));
    if (m_version != 0x03 && m_version != 0x83)
        fail(Kind::BadVersion, QStringLiteral("Das ist keine dBASE-III-Tabelle (Versionsbyte %1).")
                                   .arg(QString::number(m_version, 16).toUpper().rightJustified(2, QLatin1Char('0'))));

    const auto* raw = reinterpret_cast<const uchar*>(head.constData());
    const quint32 count = qFromLittleEndian<quint32>(raw + 4);
    m_headerLength = qFromLittleEndian<quint16>(raw + 8);
    m_recordLength = qFromLittleEndian<quint16>(raw + 10);

    if (m_headerLength < fileHeaderSize + 1 || m_headerLength > fileSize)
        fail(Kind::BadHeaderLength, QStringLiteral("Die Kopflänge %1 passt nicht zur Dateigröße %2.")
                                        .arg(m_headerLength).arg(fileSize));

    const QByteArray descriptors = m_file.read(m_headerLength - fileHeaderSize);
    int offset = 1; // after the deleted flag
    bool terminated = false;
    for (int pos = 0; pos < descriptors.size(); pos += descriptorSize) {
        if (descriptors[pos] == fieldTerminator) {
            terminated = true;
            break;
        }
        if (pos + descriptorSize > descriptors.size())
            break;
        const QByteArray d = descriptors.mid(pos, descriptorSize);
        DbfField field;
        const qsizetype nul = d.indexOf('\0');
        field.name = QString::fromLatin1(d.left(qMin<qsizetype>(nul < 0 ? 11 : nul, 11))).trimmed().toUpper();
        field.type = static_cast<char>(QChar::toUpper(static_cast<uchar>(d[11])));
        field.length = static_cast<uchar>(d[16]);
        field.decimals = static_cast<uchar>(d[17]);
        field.offset = offset;
        const int fixed = requiredLength(field.type);
        if (field.name.isEmpty() || !QByteArrayLiteral("CNDML").contains(field.type) || field.length == 0
            || (fixed && field.length != fixed))
            fail(Kind::BadField, QStringLiteral("Die Feldbeschreibung %1 ist ungültig (Typ %2, Länge %3).")
                                     .arg(m_fields.size() + 1).arg(QChar(field.type)).arg(field.length));
        offset += field.length;
        m_fields.append(field);
    }
    if (!terminated)
        fail(Kind::NoFieldTerminator, QStringLiteral("Die Feldliste ist nicht mit dem Zeichen 0D abgeschlossen."));
    if (m_fields.isEmpty())
        fail(Kind::NoFields, QStringLiteral("Die Tabelle hat keine Felder."));
    if (offset != m_recordLength)
        fail(Kind::BadRecordLength, QStringLiteral("Die Satzlänge %1 passt nicht zu den Feldern (%2 Byte).")
                                        .arg(m_recordLength).arg(offset));
    if (qint64(count) * m_recordLength > fileSize - m_headerLength)
        fail(Kind::RecordCountTooLarge, QStringLiteral("Der Kopf zählt %1 Datensätze, die Datei enthält nur %2.")
                                            .arg(count).arg((fileSize - m_headerLength) / m_recordLength));
    m_recordCount = int(count);
}

void DbfTable::openMemo()
{
    bool hasMemoField = false;
    for (const DbfField& f : m_fields)
        hasMemoField = hasMemoField || f.type == 'M';
    m_hasMemo = hasMemoField || m_version == 0x83;
    if (!m_hasMemo)
        return;

    const QFileInfo info(m_path);
    const QString memo = FileLookup::resolve(info.absolutePath(), info.completeBaseName() + QStringLiteral(".DBT"));
    if (!QFileInfo(memo).isFile())
        fail(Kind::MemoMissing, QStringLiteral("Die Memo-Datei %1 fehlt.").arg(QFileInfo(memo).fileName()));
    m_memo.setFileName(memo);
    const auto mode = m_readOnly ? QIODevice::ReadOnly : QIODevice::ReadWrite;
    if (!m_memo.open(mode | QIODevice::Unbuffered))
        fail(Kind::CannotOpen, QStringLiteral("Die Memo-Datei lässt sich nicht öffnen: %1.").arg(m_memo.errorString()),
             memo);
    if (::flock(m_memo.handle(), LOCK_EX | LOCK_NB) != 0)
        fail(Kind::InUse, QStringLiteral("Die Memo-Datei wird gerade von einem anderen Programm benutzt."), memo);
}

QString DbfTable::memoPath() const
{
    return m_memo.fileName();
}

int DbfTable::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int DbfTable::requireField(const QString& name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        fail(Kind::UnknownField, QStringLiteral("Die Tabelle hat kein Feld „%1“.").arg(name));
    return i;
}

qint64 DbfTable::recordOffset(int recno) const
{
    return m_headerLength + qint64(recno - 1) * m_recordLength;
}

void DbfTable::checkRecordNumber(int recno) const
{
    if (recno < 1 || recno > m_recordCount)
        fail(Kind::NotPositioned, QStringLiteral("Datensatz %1 gibt es nicht (die Tabelle hat %2).")
                                      .arg(recno).arg(m_recordCount));
}

QByteArray DbfTable::readRecord(int recno) const
{
    checkRecordNumber(recno);
    if (m_cachedRecno != recno) {
        QFile& file = const_cast<QFile&>(m_file);
        file.seek(recordOffset(recno));
        QByteArray record = file.read(m_recordLength);
        if (record.size() != m_recordLength)
            fail(Kind::RecordCountTooLarge, QStringLiteral("Datensatz %1 ist unvollständig.").arg(recno));
        m_cachedRecord = record;
        m_cachedRecno = recno;
    }
    return m_cachedRecord;
}

QByteArray DbfTable::fieldBytes(int recno, int field) const
{
    const DbfField& f = m_fields.at(field);
    return readRecord(recno).mid(f.offset, f.length);
}

bool DbfTable::isDeleted(int recno) const
{
    return readRecord(recno).at(0) == '*';
}

QVariant DbfTable::blankValue(int field) const
{
    switch (m_fields.at(field).type) {
    case 'C': return QString(m_fields.at(field).length, QLatin1Char(' '));
    case 'D': return QDate();
    case 'M': return QString();
    }
    return QVariant();
}

qint64 DbfTable::memoBlock(int recno, int field) const
{
    const QByteArray digits = trimmed(fieldBytes(recno, field));
    if (digits.isEmpty())
        return 0;
    bool ok = false;
    const qint64 block = digits.toLongLong(&ok);
    if (!ok || block < 0)
        fail(Kind::InvalidValue, QStringLiteral("Datensatz %1, Feld %2: „%3“ ist keine Memo-Blocknummer.")
                                     .arg(recno).arg(m_fields.at(field).name, QString::fromLatin1(digits)));
    return block;
}

QVariant DbfTable::value(int recno, int field) const
{
    const DbfField& f = m_fields.at(field);
    const QByteArray bytes = fieldBytes(recno, field);
    auto invalid = [&]() {
        fail(Kind::InvalidValue, QStringLiteral("Datensatz %1, Feld %2: „%3“ ist kein gültiger Wert vom Typ %4.")
                                     .arg(recno).arg(f.name, Cp850::decode(bytes), typeName(f.type)));
    };
    switch (f.type) {
    case 'C':
        return Cp850::decode(bytes);
    case 'N': {
        QByteArray text = trimmed(bytes);
        while (text.startsWith('*') || text.endsWith('*'))
            text = text.startsWith('*') ? text.mid(1) : text.chopped(1);
        if (text.isEmpty())
            return QVariant();
        bool ok = false;
        const qlonglong whole = text.toLongLong(&ok);
        if (ok)
            return whole;
        const double number = text.replace(',', '.').toDouble(&ok);
        if (!ok)
            invalid();
        return number;
    }
    case 'D': {
        if (consistsOf(bytes, QByteArrayView(" 0\0", 3)))
            return QDate();
        const QDate date = QDate::fromString(QString::fromLatin1(bytes), QStringLiteral("yyyyMMdd"));
        if (!date.isValid())
            invalid();
        return date;
    }
    case 'L': {
        const char c = bytes.at(0);
        if (QByteArrayLiteral("TtYy").contains(c))
            return true;
        if (QByteArrayLiteral("FfNn").contains(c))
            return false;
        if (c == ' ' || c == '?')
            return QVariant();
        invalid();
        return QVariant();
    }
    case 'M': {
        const qint64 block = memoBlock(recno, field);
        return block == 0 ? QString() : readMemo(block);
    }
    }
    return QVariant();
}

QString DbfTable::readMemo(qint64 block) const
{
    QFile& memo = const_cast<QFile&>(m_memo);
    const qint64 start = block * memoBlockSize;
    if (start >= memo.size())
        fail(Kind::MemoBlockOutOfRange, QStringLiteral("Memo-Block %1 liegt hinter dem Ende der Memo-Datei.").arg(block),
             memo.fileName());
    memo.seek(start);
    QByteArray text;
    while (true) {
        const QByteArray chunk = memo.read(memoBlockSize);
        if (chunk.isEmpty())
            break;
        const qsizetype end = chunk.indexOf(endOfFile);
        if (end >= 0) {
            text += chunk.left(end);
            break;
        }
        text += chunk;
    }
    return Cp850::decode(text);
}

void DbfTable::checkWritable() const
{
    if (m_readOnly)
        fail(Kind::ReadOnly, QStringLiteral("Die Tabelle ist schreibgeschützt."));
}

QByteArray DbfTable::encodeValue(int field, const QVariant& value) const
{
    const DbfField& f = m_fields.at(field);
    auto doesNotFit = [&](const QString& why) {
        fail(Kind::ValueDoesNotFit, QStringLiteral("Feld %1: %2").arg(f.name, why));
    };
    auto wrongType = [&]() {
        fail(Kind::WrongType, QStringLiteral("Feld %1 (%2) nimmt keinen Wert vom Typ %3 auf.")
                                  .arg(f.name, typeName(f.type), QString::fromLatin1(value.typeName())));
    };
    const bool blank = !value.isValid() || value.isNull();
    switch (f.type) {
    case 'C': {
        if (!blank && value.typeId() != QMetaType::QString)
            wrongType();
        QString text = blank ? QString() : value.toString();
        bool ok = true;
        QByteArray bytes = Cp850::encode(text, &ok);
        if (!ok)
            doesNotFit(QStringLiteral("„%1“ enthält Zeichen, die die Tabelle nicht speichern kann.").arg(text));
        while (bytes.size() > f.length && bytes.endsWith(' '))
            bytes.chop(1);
        if (bytes.size() > f.length)
            doesNotFit(QStringLiteral("„%1“ ist länger als %2 Zeichen.").arg(text).arg(f.length));
        return bytes + QByteArray(f.length - bytes.size(), ' ');
    }
    case 'N': {
        if (blank)
            return QByteArray(f.length, ' ');
        const int t = value.typeId();
        if (t != QMetaType::Int && t != QMetaType::LongLong && t != QMetaType::UInt && t != QMetaType::ULongLong
            && t != QMetaType::Double && t != QMetaType::Float)
            wrongType();
        const double number = value.toDouble();
        if (!std::isfinite(number))
            doesNotFit(QStringLiteral("%1 ist keine endliche Zahl.").arg(number));
        const QByteArray text = QByteArray::number(number, 'f', f.decimals);
        if (text.size() > f.length)
            doesNotFit(QStringLiteral("%1 hat mehr als %2 Stellen.").arg(QString::fromLatin1(text)).arg(f.length));
        return rightAligned(text, f.length);
    }
    case 'D': {
        if (blank)
            return QByteArray(8, ' ');
        if (value.typeId() != QMetaType::QDate)
            wrongType();
        const QDate date = value.toDate();
        if (!date.isValid() || date.year() < 1 || date.year() > 9999)
            doesNotFit(QStringLiteral("Das Datum liegt außerhalb der Jahre 1 bis 9999."));
        return date.toString(QStringLiteral("yyyyMMdd")).toLatin1();
    }
    case 'L':
        if (blank)
            return QByteArray(1, ' ');
        if (value.typeId() != QMetaType::Bool)
            wrongType();
        return QByteArray(1, value.toBool() ? 'T' : 'F');
    }
    return QByteArray(f.length, ' ');
}

// The memo text as the memo file will hold it; refused when it cannot be stored there. Nothing is written.
QByteArray DbfTable::memoText(int field, const QVariant& value) const
{
    const bool blank = !value.isValid() || value.isNull();
    if (!blank && value.typeId() != QMetaType::QString)
        fail(Kind::WrongType, QStringLiteral("Feld %1: Ein Memo-Feld nimmt nur Text auf.").arg(m_fields.at(field).name));
    bool ok = true;
    const QByteArray bytes = blank ? QByteArray() : Cp850::encode(value.toString(), &ok);
    if (!ok || bytes.contains(endOfFile))
        fail(Kind::ValueDoesNotFit, QStringLiteral("Feld %1: Der Memo-Text enthält Zeichen, die die Memo-Datei nicht "
                                                   "speichern kann.").arg(m_fields.at(field).name));
    return bytes;
}

// Writes a memo text to new blocks at the end of the memo file and returns the field's bytes.
// Old blocks of a changed memo are left where they are, as dBASE III does; nothing is overwritten.
QByteArray DbfTable::memoField(const QByteArray& text)
{
    if (text.isEmpty())
        return QByteArray(10, ' ');
    return rightAligned(QByteArray::number(writeMemo(text)), 10);
}

qint64 DbfTable::writeMemo(const QByteArray& text)
{
    m_memo.seek(0);
    const QByteArray header = m_memo.read(4);
    qint64 next = header.size() == 4 ? qFromLittleEndian<quint32>(header.constData()) : 1;
    const qint64 blocksInFile = (m_memo.size() + memoBlockSize - 1) / memoBlockSize;
    next = qMax(qMax<qint64>(next, 1), blocksInFile);

    QByteArray data = text + QByteArray(2, endOfFile);
    const qint64 blocks = (data.size() + memoBlockSize - 1) / memoBlockSize;
    data.append(QByteArray(blocks * memoBlockSize - data.size(), '\0'));
    if (next + blocks > std::numeric_limits<quint32>::max())
        fail(Kind::ValueDoesNotFit, QStringLiteral("Die Memo-Datei ist voll."), m_memo.fileName());

    // The text first, then the pointer to the next free block: a crash in between only leaves
    // blocks that the next memo overwrites.
    writeAt(m_memo, next * memoBlockSize, data);
    QByteArray pointer(4, '\0');
    qToLittleEndian<quint32>(quint32(next + blocks), pointer.data());
    writeAt(m_memo, 0, pointer);
    return next;
}

void DbfTable::writeAt(QFile& file, qint64 offset, const QByteArray& bytes)
{
    if (!file.seek(offset))
        fail(Kind::WriteFailed, QStringLiteral("Schreiben ist fehlgeschlagen: %1.").arg(file.errorString()),
             file.fileName());
    const qint64 written = file.write(bytes);
    if (written == bytes.size())
        return;
    // A write the system cut short reports no error of its own: the disk has no more room.
    const QString reason = file.error() == QFileDevice::NoError
        ? QStringLiteral("nur %1 von %2 Bytes passten auf den Datenträger").arg(qMax<qint64>(written, 0)).arg(bytes.size())
        : file.errorString();
    fail(Kind::WriteFailed, QStringLiteral("Schreiben ist fehlgeschlagen: %1.").arg(reason), file.fileName());
}

void DbfTable::setValue(int recno, int field, const QVariant& value)
{
    checkWritable();
    checkRecordNumber(recno);
    if (field < 0 || field >= m_fields.size())
        fail(Kind::UnknownField, QStringLiteral("Feld %1 gibt es nicht.").arg(field + 1));
    const QByteArray bytes = m_fields.at(field).type == 'M' ? memoField(memoText(field, value)) : encodeValue(field, value);
    m_cachedRecno = 0;
    writeAt(m_file, recordOffset(recno) + m_fields.at(field).offset, bytes);
}

QByteArray DbfTable::blankRecord() const
{
    return QByteArray(m_recordLength, ' ');
}

int DbfTable::appendRecord(const QList<QVariant>& values)
{
    checkWritable();
    const int recno = m_recordCount + 1;
    if (qint64(recno) * m_recordLength + m_headerLength > std::numeric_limits<qint32>::max())
        fail(Kind::ValueDoesNotFit, QStringLiteral("Die Tabelle ist voll."));

    // Check every value before anything is written; then the memo blocks, then the record.
    QMap<int, QByteArray> memos;
    QByteArray record = encodeRecord(values, &memos);
    for (auto memo = memos.cbegin(); memo != memos.cend(); ++memo)
        record.replace(m_fields[memo.key()].offset, 10, memoField(memo.value()));
    writeAt(m_file, recordOffset(recno), record + QByteArray(1, endOfFile));

    // Only now does the header count the new record.
    QByteArray count(4, '\0');
    qToLittleEndian<quint32>(quint32(recno), count.data());
    writeAt(m_file, 4, count);
    m_recordCount = recno;
    m_cachedRecno = 0;
    return recno;
}

// The record for the values with its memo fields still blank; the memo texts go into memos by field.
QByteArray DbfTable::encodeRecord(const QList<QVariant>& values, QMap<int, QByteArray>* memos) const
{
    QByteArray record = blankRecord();
    for (int i = 0; i < values.size() && i < m_fields.size(); ++i) {
        if (m_fields[i].type == 'M')
            memos->insert(i, memoText(i, values[i]));
        else if (values[i].isValid())
            record.replace(m_fields[i].offset, m_fields[i].length, encodeValue(i, values[i]));
    }
    return record;
}

void DbfTable::checkValues(const QList<QVariant>& values) const
{
    QMap<int, QByteArray> memos;
    encodeRecord(values, &memos);
}

void DbfTable::truncate(int count)
{
    checkWritable();
    if (count < 0 || count > m_recordCount)
        fail(Kind::NotPositioned, QStringLiteral("Die Tabelle lässt sich nicht auf %1 Datensätze kürzen (sie hat %2).")
                                      .arg(count).arg(m_recordCount));
    // The header first: from then on every reader stops at the kept records.
    QByteArray countBytes(4, '\0');
    qToLittleEndian<quint32>(quint32(count), countBytes.data());
    writeAt(m_file, 4, countBytes);
    m_recordCount = count;
    m_cachedRecno = 0;
    const qint64 end = recordOffset(count + 1);
    writeAt(m_file, end, QByteArray(1, endOfFile));
    if (!m_file.resize(end + 1))
        fail(Kind::WriteFailed, QStringLiteral("Die Tabelle ließ sich nicht kürzen: %1.").arg(m_file.errorString()));
}

void DbfTable::commit()
{
    if (m_readOnly)
        return;
    if (::fsync(m_file.handle()) != 0 || (m_memo.isOpen() && ::fsync(m_memo.handle()) != 0))
        fail(Kind::WriteFailed, QStringLiteral("Die Daten ließen sich nicht auf die Platte schreiben."));
}

#include "data/importjournal.h"

#include "platform/dbf/dbftable.h"
#include "platform/filelookup.h"
#include "platform/namedvariables.h"
#include "platform/settingserror.h"
#include "platform/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <unistd.h>

namespace {

// The journal's variables.
const QString numberName = QStringLiteral("katalog");
const QString questionsName = QStringLiteral("fragen");
const QString memoSizeName = QStringLiteral("memogroesse");
const QString memoNextName = QStringLiteral("memofrei");

[[noreturn]] void failWrite(const QString& file, const QString& fault)
{
    throw DbfError(DbfError::Kind::WriteFailed, file, fault);
}

QByteArray readWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbfError(DbfError::Kind::CannotOpen, path,
                       QStringLiteral("Die Datei lässt sich nicht lesen: %1.").arg(file.errorString()));
    return file.readAll();
}

// Replaces the file as a whole: a crash leaves the old content or the new one.
void writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush() || !out.commit())
        failWrite(path, QStringLiteral("Die Datei ließ sich nicht schreiben: %1.").arg(out.errorString()));
}

// The first four bytes of a memo file: the next free block.
qint64 nextFreeBlock(const QString& memoPath)
{
    QFile memo(memoPath);
    const QByteArray head = memo.open(QIODevice::ReadOnly) ? memo.read(4) : QByteArray();
    if (head.size() != 4)
        throw DbfError(DbfError::Kind::CannotOpen, memoPath, QStringLiteral("Der Kopf der Memo-Datei ist nicht lesbar."));
    return qFromLittleEndian<quint32>(head.constData());
}

} // namespace

ImportJournal::ImportJournal(QString Pfad)
    : Pfad(std::move(Pfad))
{
}

QString ImportJournal::journalPath() const
{
    return FileLookup::resolve(Pfad, journalName());
}

QString ImportJournal::backupPath() const
{
    return FileLookup::resolve(Pfad, backupName());
}

bool ImportJournal::exists() const
{
    return QFile::exists(journalPath());
}

void ImportJournal::begin(int number, const DbfTable& questions, const QString& topicTable) const
{
    writeWhole(backupPath(), readWhole(topicTable));

    NamedVariables journal;
    journal.set(numberName, number);
    journal.set(questionsName, questions.recordCount());
    const QString memo = questions.memoPath();
    journal.set(memoSizeName, memo.isEmpty() ? -1 : QFile(memo).size());
    journal.set(memoNextName, memo.isEmpty() ? 0 : nextFreeBlock(memo));
    SettingsFile::save(journalPath(), QStringLiteral("*"), journal);
}

ImportJournal::Before ImportJournal::read() const
{
    NamedVariables journal;
    SettingsFile::restore(journalPath(), journal);
    const auto whole = [&](const QString& name) {
        const QVariant value = journal.value(name);
        if (value.typeId() != QMetaType::Double)
            throw SettingsError(SettingsError::Kind::Damaged, journalPath(), 0,
                                QStringLiteral("Die Angabe „%1“ fehlt oder ist keine Zahl.").arg(name));
        return qint64(value.toDouble());
    };
    Before before;
    before.number = int(whole(numberName));
    before.questions = int(whole(questionsName));
    before.memoSize = whole(memoSizeName);
    before.memoNextBlock = whole(memoNextName);
    return before;
}

int ImportJournal::catalogNumber() const
{
    return read().number;
}

void ImportJournal::undo(const QString& questionTable, const QString& topicTable) const
{
    const Before before = read();
    const QByteArray topics = readWhole(backupPath());
    QString memo;
    {
        auto questions = DbfTable::open(questionTable);
        memo = questions->memoPath();
        questions->truncate(before.questions);
        questions->commit();
    }
    if (!memo.isEmpty() && before.memoSize >= 0)
        cutMemoFile(memo, before);
    putBackInPlace(topicTable, topics);
}

// The topic table is written back over itself: it is never smaller than before the import, so this
// needs no room on a full disk. Should it stop half way, the journal and the backup are still
// there and the next start does it again.
void ImportJournal::putBackInPlace(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || file.write(bytes) != bytes.size() || !file.resize(bytes.size())
        || !file.flush() || ::fsync(file.handle()) != 0)
        failWrite(path, QStringLiteral("Die Datei ließ sich nicht zurückschreiben: %1.").arg(file.errorString()));
}

// Memos are only ever appended behind the end, so the file's first size bytes are as they were but
// for the pointer to the next free block.
void ImportJournal::cutMemoFile(const QString& memoPath, const Before& before)
{
    QFile memo(memoPath);
    QByteArray pointer(4, '\0');
    qToLittleEndian<quint32>(quint32(before.memoNextBlock), pointer.data());
    if (!memo.open(QIODevice::ReadWrite) || (memo.size() > before.memoSize && !memo.resize(before.memoSize))
        || !memo.seek(0) || memo.write(pointer) != pointer.size() || !memo.flush() || ::fsync(memo.handle()) != 0)
        failWrite(memoPath, QStringLiteral("Die Memo-Datei ließ sich nicht zurücksetzen: %1.").arg(memo.errorString()));
}

void ImportJournal::finish() const
{
    QFile::remove(journalPath());
    QFile::remove(backupPath());
}

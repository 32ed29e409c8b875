#include "data/catalogimport.h"

#include "app/gamestate.h"
#include "data/cataloglayout.h"
#include "data/datafilelock.h"
#include "data/importjournal.h"
#include "platform/bottomleft.h"
#include "platform/dbf/database.h"
#include "platform/filelookup.h"
#include "platform/messageboxes.h"
#include "platform/namedvariables.h"
#include "platform/settingserror.h"
#include "platform/settingsfile.h"
#include "ui/bdbuttonfunctions.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QPushButton>
#include <QTimer>

#include <memory>

namespace {

constexpr int mainArea = 1;
constexpr int newCatalogArea = 4;
constexpr int topicArea = 5;
constexpr int highestCatalog = 9;
// The progress caption moves every 50 questions and reads 100 % from the 500th on.
constexpr int progressStep = 50;
constexpr int progressLast = 500;
constexpr int offerStyle = 65568;

const QString katalogFile = QStringLiteral("katalog.XPF");
const QString hinweis = QStringLiteral("Hinweis");

// The pause after each progress step: the window system redraws the button meanwhile, the
// player's clicks wait.
void pauseTwentyMs()
{
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

QString progressCaption(int pro)
{
    return QStringLiteral("bitte einen Moment Geduld ...  ") + QString::number(pro).rightJustified(3)
        + QStringLiteral(" %");
}

// katnr as numbers; a single number written by hand counts as a list of one.
QList<int> numbersOf(const QVariant& katnr)
{
    QList<int> numbers;
    if (katnr.typeId() == QMetaType::Double)
        numbers << katnr.toInt();
    for (const QVariant& value : katnr.toList())
        numbers << value.toInt();
    return numbers;
}

// Runs step; a fault of a table or of a settings file comes back as its message, empty when none.
template <typename Step>
QString faultOf(Step&& step)
{
    try {
        step();
        return {};
    } catch (const DbfError& error) {
        return error.message();
    } catch (const SettingsError& error) {
        return error.message();
    }
}

int firstByte(const QString& path)
{
    QFile file(path);
    char byte = 0;
    return file.open(QIODevice::ReadOnly) && file.getChar(&byte) ? static_cast<unsigned char>(byte) : -1;
}

} // namespace

CatalogImport::CatalogImport(GameState& state, NamedVariables& variables, Parts parts)
    : m_state(state)
    , m_variables(variables)
    , m_parts(parts)
    , m_pause(pauseTwentyMs)
{
}

QString CatalogImport::dataFile(const QString& name) const
{
    return FileLookup::resolve(m_state.Pfad, name);
}

void CatalogImport::recover()
{
    const ImportJournal journal(m_state.Pfad);
    if (!journal.exists())
        return;
    Database& db = *m_parts.database;
    const QString fault = faultOf([&] {
        NamedVariables imported;
        if (SettingsFile::exists(dataFile(katalogFile)))
            SettingsFile::restore(dataFile(katalogFile), imported);
        // The number is recorded only after every question is on the disk: then the import is complete.
        if (!numbersOf(imported.value(QStringLiteral("katnr"))).contains(journal.catalogNumber()))
            journal.undo(db.tablePath(QStringLiteral("quiz")), db.tablePath(QStringLiteral("gebiet")));
        journal.finish();
    });
    if (!fault.isEmpty())
        m_parts.boxes->notice(nullptr,
                              QStringLiteral("Ein unterbrochenes Einspielen neuer Fragen ließ sich nicht "
                                             "rückgängig machen.\n\n%1\n\nBeim nächsten Start versucht das Spiel "
                                             "es wieder; bis dahin wird kein neuer Fragen-Katalog eingespielt.")
                                  .arg(fault),
                              hinweis);
}

int CatalogImport::nextWaitingCatalog() const
{
    for (int n = 1; n <= highestCatalog; ++n) {
        if (!m_passedOver.contains(n) && FileLookup::exists(m_state.Pfad, QStringLiteral("KAT00%1.QUZ").arg(n)))
            return n;
    }
    return 0;
}

void CatalogImport::offerNewCatalogs()
{
    for (int n = nextWaitingCatalog(); n != 0; n = nextWaitingCatalog()) {
        const QString text = QStringLiteral("gefundenen Fragenkatalog #%1 übernehmen ?   ").arg(n);
        if (m_parts.boxes->yesNo(nullptr, text, QStringLiteral(" neuer Fragenkatalog "), offerStyle, 0)
            != MessageBoxes::Yes)
            return;
        update(QStringLiteral("kat00%1").arg(n));
    }
}

bool CatalogImport::update(const QString& name)
{
    const QString base = name.trimmed();
    if (base.isEmpty())
        return true;
    const int n = base.mid(5, 1).toInt();
    const QString file = QFileInfo(dataFile(base + QStringLiteral(".QUZ"))).fileName();

    QList<int> katnr;
    bool done = loadImportedNumbers(file, &katnr);
    if (done && katnr.contains(n))
        m_parts.boxes->notice(nullptr, QStringLiteral("Dieser Fragen-Katalog wurde bereits eingespielt !"), hinweis);
    else if (done)
        done = importCatalog(base, n);
    // A catalog that stays (not imported, or not deletable) is not offered again in this run.
    if (!done || !deleteCatalogFiles(base))
        m_passedOver.insert(n);
    m_parts.database->select(mainArea);
    return true;
}

bool CatalogImport::loadImportedNumbers(const QString& file, QList<int>* katnr)
{
    const QString fault = faultOf([&] {
        if (SettingsFile::exists(dataFile(katalogFile)))
            SettingsFile::restore(dataFile(katalogFile), m_variables);
        else
            m_variables.set(QStringLiteral("katnr"), QVariantList());
    });
    if (!fault.isEmpty()) {
        notImported(file, fault + QStringLiteral("\n\nOhne die Liste der eingespielten Kataloge könnten Fragen "
                                                 "doppelt übernommen werden."));
        return false;
    }
    *katnr = numbersOf(m_variables.value(QStringLiteral("katnr")));
    return true;
}

bool CatalogImport::importCatalog(const QString& name, int n)
{
    Database& db = *m_parts.database;
    const QString table = name + QStringLiteral(".QUZ");
    const QString file = QFileInfo(dataFile(table)).fileName();
    const ImportJournal journal(m_state.Pfad);
    if (journal.exists()) {
        notImported(file, QStringLiteral("Ein früheres Einspielen wurde unterbrochen und ist noch nicht "
                                         "rückgängig gemacht (Datei %1).").arg(ImportJournal::journalName()));
        return false;
    }

    std::unique_ptr<QPushButton> progress(createProgressButton());
    db.select(topicArea);
    // The topic index file is the first thing written: a full disk already shows here.
    QString fault = faultOf([&] { db.area(topicArea).createIndex(QStringLiteral("quizg"), QStringLiteral("name")); });
    if (!fault.isEmpty()) {
        progress.reset();
        notImported(file, fault);
        return false;
    }
    const int originalByte = firstByte(dataFile(table));
    m_parts.lock->encrypt(table, true);

    // Everything is checked before the first question is appended.
    fault = faultOf([&] {
        validate(db.use(newCatalogArea, name));
        journal.begin(n, db.area(mainArea).table(), db.area(topicArea).table().path());
    });
    if (!fault.isEmpty()) {
        db.close(newCatalogArea);
        restoreFirstByte(table, originalByte);
        progress.reset();
        notImported(file, fault);
        return false;
    }

    fault = faultOf([&] {
        appendQuestions(db.area(newCatalogArea), progress.get());
        db.commitAll();
    });
    if (fault.isEmpty()) {
        db.close(newCatalogArea);
        m_parts.lock->crypt(table);
        progress.reset();
        fault = recordNumber(n);
    }
    if (!fault.isEmpty()) {
        progress.reset();
        rollBack(journal, fault);
        restoreFirstByte(table, originalByte);
        notImported(file, fault);
        return false;
    }
    journal.finish();
    m_parts.boxes->notice(nullptr, QStringLiteral("Der neue Fragen-Katalog wurde erfolgreich eingespielt !"), hinweis);
    return true;
}

// Every field the import copies must be there, and every question must fit the main catalog and its
// topic the topic table; a fault raises DbfError naming the new catalog.
void CatalogImport::validate(WorkArea& catalog)
{
    const DbfTable& source = catalog.table();
    const DbfTable& target = m_parts.database->area(mainArea).table();
    m_sourceFields.clear();
    m_targetFields.clear();
    for (const DbfField& field : CatalogLayout::questionCatalog()) {
        const int from = source.fieldIndex(field.name);
        if (from < 0)
            throw DbfError(DbfError::Kind::UnknownField, source.path(),
                           QStringLiteral("Das Feld „%1“ eines Fragen-Katalogs fehlt.").arg(field.name));
        m_sourceFields << from;
        m_targetFields << target.requireField(field.name);
    }

    QMap<QString, int> perTopic;
    for (int recno = 1; recno <= source.recordCount(); ++recno) {
        const QList<QVariant> values = questionValues(catalog, recno);
        try {
            target.checkValues(values);
        } catch (const DbfError& error) {
            throw DbfError(error.kind(), source.path(),
                           QStringLiteral("Frage %1 passt nicht in den Hauptkatalog: %2").arg(recno).arg(error.fault()));
        }
        ++perTopic[values.at(m_targetFields.first()).toString()];
    }
    checkTopicCounts(perTopic, source.path());
}

// The topic counts after the import must fit the topic table, new topics with their names.
void CatalogImport::checkTopicCounts(const QMap<QString, int>& perTopic, const QString& source)
{
    WorkArea& topics = m_parts.database->area(topicArea);
    const int nameField = topics.table().requireField(QStringLiteral("name"));
    const int countField = topics.table().requireField(QStringLiteral("anz"));
    for (auto topic = perTopic.cbegin(); topic != perTopic.cend(); ++topic) {
        const qlonglong before = topics.seek(topic.key()) ? topics.fieldGet(countField).toLongLong() : 0;
        QList<QVariant> values(topics.table().fields().size());
        values[nameField] = topic.key();
        values[countField] = before + topic.value();
        try {
            topics.table().checkValues(values);
        } catch (const DbfError& error) {
            throw DbfError(error.kind(), source,
                           QStringLiteral("Das Sachgebiet „%1“ passt nicht in die Sachgebiete: %2")
                               .arg(topic.key().trimmed(), error.fault()));
        }
    }
}

// The copied fields of a record of the new catalog, placed by field index of the main catalog.
QList<QVariant> CatalogImport::questionValues(WorkArea& catalog, int recno) const
{
    const DbfTable& source = catalog.table();
    QList<QVariant> values(m_parts.database->area(mainArea).table().fields().size());
    for (qsizetype i = 0; i < m_sourceFields.size(); ++i)
        values[m_targetFields[i]] = source.value(recno, m_sourceFields[i]);
    return values;
}

void CatalogImport::appendQuestions(WorkArea& catalog, QPushButton* progress)
{
    WorkArea& questions = m_parts.database->area(mainArea);
    for (int x = 1; x <= catalog.recCount(); ++x) {
        if (x % progressStep == 0 && x <= progressLast)
            showProgress(progress, x / 5);
        const QList<QVariant> values = questionValues(catalog, x);
        questions.append(values);
        ++m_state.anzfra;
        countTopic(values.at(m_targetFields.first()).toString());
    }
}

void CatalogImport::countTopic(const QString& gebiet)
{
    WorkArea& topics = m_parts.database->area(topicArea);
    if (topics.seek(gebiet)) {
        topics.fieldPut(QStringLiteral("anz"), topics.fieldGet(QStringLiteral("anz")).toLongLong() + 1);
        return;
    }
    QList<QVariant> values(topics.table().fields().size());
    values[topics.table().requireField(QStringLiteral("name"))] = gebiet;
    values[topics.table().requireField(QStringLiteral("anz"))] = 1;
    topics.append(values);
    m_state.anzgeb = topics.recCount();
}

QString CatalogImport::recordNumber(int n)
{
    const QVariant before = m_variables.value(QStringLiteral("katnr"));
    QVariantList katnr = before.typeId() == QMetaType::Double ? QVariantList{before} : before.toList();
    katnr << n;
    m_variables.set(QStringLiteral("katnr"), katnr);
    const QString fault =
        faultOf([&] { SettingsFile::save(dataFile(katalogFile), QStringLiteral("katn*"), m_variables); });
    if (!fault.isEmpty())
        m_variables.set(QStringLiteral("katnr"), before);
    return fault;
}

// Takes back what a failed import appended: the tables are closed, put back by the journal and
// opened again as at start-up. fault gets what happened.
void CatalogImport::rollBack(const ImportJournal& journal, QString& fault)
{
    Database& db = *m_parts.database;
    const QString questions = db.area(mainArea).table().path();
    const QString topics = db.area(topicArea).table().path();
    db.close(newCatalogArea);
    db.close(mainArea);
    db.close(topicArea);
    const QString undoFault = faultOf([&] {
        journal.undo(questions, topics);
        journal.finish();
    });
    fault += undoFault.isEmpty()
        ? QStringLiteral("\n\nDie schon übernommenen Fragen wurden wieder entfernt.")
        : QStringLiteral("\n\nDie schon übernommenen Fragen ließen sich nicht entfernen (%1); das Spiel "
                         "entfernt sie beim nächsten Start.").arg(undoFault);
    reopenTables();
}

void CatalogImport::reopenTables()
{
    Database& db = *m_parts.database;
    WorkArea& topics = db.use(topicArea, QStringLiteral("gebiet"));
    m_state.anzgeb = topics.recCount();
    try {
        topics.createIndex(QStringLiteral("quizg"), QStringLiteral("name"));
    } catch (const DbfError&) {
        // The order is in place; only its file could not be written (a full disk), and the
        // game rebuilds that file from the table whenever it opens the index.
    }
    m_state.anzfra = db.use(mainArea, QStringLiteral("quiz")).recCount();
}

bool CatalogImport::deleteCatalogFiles(const QString& name) const
{
    for (const char* extension : {".QUZ", ".DBT"})
        QFile::remove(dataFile(name + QLatin1String(extension)));
    return !FileLookup::exists(m_state.Pfad, name + QStringLiteral(".QUZ"));
}

QPushButton* CatalogImport::createProgressButton() const
{
    if (!m_parts.buttons || !m_parts.buttons->defaultParent)
        return nullptr;
    const double F = m_state.F;
    auto* button = new QPushButton(progressCaption(0), m_parts.buttons->defaultParent);
    button->setObjectName(progressButtonName());
    button->setFocusPolicy(Qt::StrongFocus);
    BottomLeft::place(button, QPointF(300 * F, 400 * F), QSizeF(200 * F, 30 * F));
    button->show();
    button->repaint();
    return button;
}

void CatalogImport::showProgress(QPushButton* progress, int pro) const
{
    if (progress) {
        progress->setText(progressCaption(pro));
        progress->repaint();
    }
    if (m_pause)
        m_pause();
}

void CatalogImport::notImported(const QString& file, const QString& fault) const
{
    m_parts.boxes->notice(nullptr,
                          QStringLiteral("Der Fragen-Katalog %1 wurde nicht eingespielt.\n\n%2\n\nDie Datei bleibt im "
                                         "Datenordner; das Spiel geht mit den bisherigen Fragen weiter.")
                              .arg(file, fault),
                          hinweis);
}

// A catalog that stays behind keeps the first byte it came with.
void CatalogImport::restoreFirstByte(const QString& table, int byte) const
{
    QFile file(dataFile(table));
    if (byte < 0 || !file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return;
    const char c = char(byte);
    file.write(&c, 1);
}

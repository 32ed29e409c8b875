#pragma once

#include <QList>
#include <QMap>
#include <QVariant>
#include <QSet>
#include <QString>
#include <functional>

struct ButtonContext;
struct GameState;
class Database;
class DataFileLock;
class ImportJournal;
class MessageBoxes;
class NamedVariables;
class QPushButton;
class WorkArea;

// New catalogs "KAT001.QUZ" … "KAT009.QUZ" in the data directory: offered at start-up, appended to
// the main catalog, counted into the topic table, remembered in "katalog.XPF" and deleted.
//
// An import is all or nothing: every question is checked before the first one is appended, and a
// journal (ImportJournal) lets a failure part-way, or a crash, be undone. A catalog that cannot be
// imported stays in the data directory with a message saying why, and the game goes on.
class CatalogImport
{
public:
    struct Parts
    {
        Database* database = nullptr;
        const DataFileLock* lock = nullptr;
        MessageBoxes* boxes = nullptr;
        const ButtonContext* buttons = nullptr; // the progress button goes on buttons->defaultParent
    };

    CatalogImport(GameState& state, NamedVariables& variables, Parts parts);

    // Before the tables are opened: an import that a crash interrupted is completed or undone.
    void recover();
    // The offer loop of the start-up: every waiting catalog, lowest number first, until a "no".
    void offerNewCatalogs();
    // Imports "kat001" … "kat009" (lower-case base name); always true.
    bool update(const QString& name);

    // What runs at each progress step while the button shows it: by default a pause of 20 ms in which
    // the window keeps drawing. An empty function makes no pause.
    void setPause(std::function<void()> pause) { m_pause = std::move(pause); }

    static QString progressButtonName() { return QStringLiteral("importProgress"); }

private:
    bool importCatalog(const QString& name, int n);
    bool loadImportedNumbers(const QString& file, QList<int>* katnr);
    void validate(WorkArea& catalog);
    void checkTopicCounts(const QMap<QString, int>& perTopic, const QString& source);
    QList<QVariant> questionValues(WorkArea& catalog, int recno) const;
    void appendQuestions(WorkArea& catalog, QPushButton* progress);
    void countTopic(const QString& gebiet);
    // Adds n to katnr and writes "katalog.XPF"; the fault's message, empty on success.
    QString recordNumber(int n);
    void rollBack(const ImportJournal& journal, QString& fault);
    void reopenTables();
    bool deleteCatalogFiles(const QString& name) const;
    QPushButton* createProgressButton() const;
    void showProgress(QPushButton* progress, int pro) const;
    void notImported(const QString& file, const QString& fault) const;
    void restoreFirstByte(const QString& file, int byte) const;
    QString dataFile(const QString& name) const;
    int nextWaitingCatalog() const;

    GameState& m_state;
    NamedVariables& m_variables;
    Parts m_parts;
    std::function<void()> m_pause;
    // Catalogs that could not be imported or deleted in this run: the offer loop passes over them.
    QSet<int> m_passedOver;
    // Main catalog field (by index) of each copied field of the new catalog, in copying order.
    QList<int> m_targetFields;
    QList<int> m_sourceFields;
};

#pragma once

#include <QString>

struct ButtonContext;
struct GameState;
class Database;
class DataFileLock;
class MessageBoxes;
class NamedVariables;

// New catalogs "KAT001.QUZ" … "KAT009.QUZ" in the data directory: offered at start-up, appended to
// the main catalog, counted into the topic table, remembered in "katalog.XPF" and deleted.
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

private:
    GameState& m_state;
    NamedVariables& m_variables;
    Parts m_parts;
};

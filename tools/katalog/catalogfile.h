#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A question catalog as the catalog tool checks and exports it, read either from a catalog text
// (docs/katalogformat.md) or from a built table (.QUZ with its .DBT). Reading never stops at the
// first fault: every fault is collected with the number of its question, and every question that
// could be read is kept with the texts the game shows.
class CatalogFile
{
public:
    // The catalog fields in table order.
    enum Field { Gebiet, Stufe, Fr1, Fr2, Ar11, Ar12, Af21, Af22, Af31, Af32, Af41, Af42, Info, FieldCount };

    struct Question
    {
        int number = 0;     // 1 for the first question of the text or record 1 of the table
        int line = 0;       // in a catalog text the line of its first field, 0 in a table
        QStringList values; // one per field: texts without trailing blanks, STUFE as written,
                            // INFO as one line
        QList<int> unreadable; // fields whose stored value could not be read (their value is empty)
    };

    struct Problem
    {
        int number = 0; // the question it concerns, 0 for the file as a whole
        QString text;   // the whole line for the author, with file, question and field
    };

    // Reads a table when the name ends in .QUZ (in any case), a catalog text otherwise.
    static CatalogFile load(const QString& path);
    static bool isTablePath(const QString& path);

    const QString& path() const { return m_path; }
    bool isTable() const { return m_isTable; }
    // The number of questions in the file, those that could not be read included.
    int count() const { return m_count; }
    // The questions that could be read, in file order.
    const QList<Question>& questions() const { return m_questions; }
    const QList<Problem>& problems() const { return m_problems; }
    // False when the table lacks the field or has it with another type.
    bool hasField(int field) const { return m_present.at(field); }

    // How a question is named to the author: "Frage 3" in a text, "Datensatz 3" in a table.
    QString questionName(int number) const;
    // How a field is named: "ar11" in a text, "AR11" in a table.
    QString fieldName(int field) const;
    // A fault of a question's field, as one line: "quelle.txt:30: Frage 3, ar11: …" in a text,
    // "QUIZ.QUZ: Datensatz 3, AR11: …" in a table (field -1: no field named).
    void addProblem(const Question& question, int field, const QString& message);
    void addProblem(const QString& message);

private:
    void readText();
    void readTable();

    QString m_path;
    bool m_isTable = false;
    int m_count = 0;
    QList<Question> m_questions;
    QList<Problem> m_problems;
    QList<bool> m_present = QList<bool>(FieldCount, true);
};

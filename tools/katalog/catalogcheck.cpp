#include "catalogcheck.h"

#include "buttonfit.h"
#include "catalogfile.h"

#include <QHash>

#include <algorithm>

namespace {

using Question = CatalogFile::Question;

// The two lines of each answer; the right one first.
constexpr int answerFields[4][2] = {{CatalogFile::Ar11, CatalogFile::Ar12},
                                    {CatalogFile::Af21, CatalogFile::Af22},
                                    {CatalogFile::Af31, CatalogFile::Af32},
                                    {CatalogFile::Af41, CatalogFile::Af42}};
const char* const answerNames[4] = {"die richtige Antwort", "die erste falsche Antwort", "die zweite falsche Antwort",
                                    "die dritte falsche Antwort"};

// Texts that a player would read as the same: case and spacing do not count.
QString normalised(const QString& text)
{
    return text.simplified().toCaseFolded();
}

QString questionKey(const Question& question)
{
    return normalised(question.values.at(CatalogFile::Fr1) + QLatin1Char(' ') + question.values.at(CatalogFile::Fr2));
}

QString answerKey(const Question& question, int answer)
{
    return normalised(question.values.at(answerFields[answer][0]) + QLatin1Char(' ')
                      + question.values.at(answerFields[answer][1]));
}

bool isBlank(const QString& text)
{
    return text.trimmed().isEmpty();
}

void checkPresence(CatalogFile& file, const Question& question)
{
    const auto missing = [&](int field) {
        return file.hasField(field) && !question.unreadable.contains(field) && isBlank(question.values.at(field));
    };
    if (missing(CatalogFile::Gebiet))
        file.addProblem(question, CatalogFile::Gebiet, QStringLiteral("Das Sachgebiet fehlt."));
    if (missing(CatalogFile::Fr1))
        file.addProblem(question, CatalogFile::Fr1, QStringLiteral("Die Frage fehlt (ihre erste Zeile ist leer)."));
    for (int answer = 0; answer < 4; ++answer) {
        if (missing(answerFields[answer][0]))
            file.addProblem(question, answerFields[answer][0],
                            QStringLiteral("Es fehlt %1 (ihre erste Zeile ist leer).").arg(QLatin1String(answerNames[answer])));
    }
    if (missing(CatalogFile::Info))
        file.addProblem(question, CatalogFile::Info, QStringLiteral("Die Zusatzinformation fehlt."));
}

void checkLevel(CatalogFile& file, const Question& question)
{
    const QString level = question.values.at(CatalogFile::Stufe);
    if (!file.hasField(CatalogFile::Stufe)
        || (level.size() == 1 && level[0] >= QLatin1Char('0') && level[0] <= QLatin1Char('9')))
        return;
    file.addProblem(question, CatalogFile::Stufe,
                    QStringLiteral("Die Stufe muss eine Ziffer von 0 bis 9 sein, nicht „%1“.").arg(level));
}

// The player must be able to tell the four answers apart.
void checkAnswersDiffer(CatalogFile& file, const Question& question)
{
    for (int second = 1; second < 4; ++second) {
        const QString key = answerKey(question, second);
        for (int first = 0; first < second && !key.isEmpty(); ++first) {
            if (key != answerKey(question, first))
                continue;
            file.addProblem(question, answerFields[second][0],
                            QStringLiteral("Die Antwort ist dieselbe wie in %1 („%2“).")
                                .arg(file.fieldName(answerFields[first][0]), question.values.at(answerFields[second][0])));
            break;
        }
    }
}

void checkWidths(CatalogFile& file, const Question& question)
{
    for (int field = CatalogFile::Fr1; field <= CatalogFile::Af42; ++field) {
        const bool isQuestion = field == CatalogFile::Fr1 || field == CatalogFile::Fr2;
        const ButtonFit::Button button = isQuestion ? ButtonFit::Button::Question : ButtonFit::Button::Answer;
        const int width = ButtonFit::width(question.values.at(field), button);
        const int room = ButtonFit::room(button);
        if (width > room)
            file.addProblem(question, field,
                            QStringLiteral("Die Zeile ist %1 Pixel breit; %2 ist Platz für %3 Pixel.")
                                .arg(width)
                                .arg(isQuestion ? QStringLiteral("auf dem Fragefeld") : QStringLiteral("auf einem Antwortknopf"))
                                .arg(room));
    }
}

void checkQuestionsUnique(CatalogFile& file)
{
    if (!file.hasField(CatalogFile::Fr1) || !file.hasField(CatalogFile::Fr2))
        return;
    QHash<QString, int> first;
    for (const Question& question : file.questions()) {
        const QString key = questionKey(question);
        if (key.isEmpty())
            continue;
        if (first.contains(key))
            file.addProblem(question, CatalogFile::Fr1,
                            QStringLiteral("Dieselbe Frage steht schon als %1.").arg(file.questionName(first.value(key))));
        else
            first.insert(key, question.number);
    }
}

void checkNotIn(CatalogFile& file, const QString& otherPath)
{
    const CatalogFile other = CatalogFile::load(otherPath);
    if (!other.problems().isEmpty())
        file.addProblem(QStringLiteral("Die Vergleichsdatei %1 hat selbst %2 Fehler; verglichen wurde nur mit ihren "
                                       "lesbaren Fragen (sie lässt sich mit „brimora-katalog check“ prüfen).")
                            .arg(otherPath, QString::number(other.problems().size())));
    if (!file.hasField(CatalogFile::Fr1) || !file.hasField(CatalogFile::Fr2))
        return;
    QHash<QString, int> theirs;
    for (const Question& question : other.questions())
        theirs.insert(questionKey(question), question.number);
    for (const Question& question : file.questions()) {
        const int number = theirs.value(questionKey(question), 0);
        if (number > 0 && !questionKey(question).isEmpty())
            file.addProblem(question, CatalogFile::Fr1,
                            QStringLiteral("Dieselbe Frage steht auch in %1 als %2.").arg(otherPath, other.questionName(number)));
    }
}

} // namespace

int CatalogCheck::run(const Options& options, QTextStream& out, QTextStream& /*err*/)
{
    CatalogFile file = CatalogFile::load(options.file);
    for (const Question& question : file.questions()) {
        checkPresence(file, question);
        checkLevel(file, question);
        checkAnswersDiffer(file, question);
        checkWidths(file, question);
    }
    checkQuestionsUnique(file);
    for (const QString& other : options.others)
        checkNotIn(file, other);

    QList<CatalogFile::Problem> problems = file.problems();
    std::stable_sort(problems.begin(), problems.end(),
                     [](const CatalogFile::Problem& a, const CatalogFile::Problem& b) { return a.number < b.number; });
    for (const CatalogFile::Problem& problem : problems)
        out << problem.text << '\n';
    const QString questions = file.count() == 1 ? QStringLiteral("1 Frage") : QStringLiteral("%1 Fragen").arg(file.count());
    if (problems.isEmpty())
        out << QStringLiteral("%1: %2, keine Fehler\n").arg(options.file, questions);
    else
        out << QStringLiteral("%1: %2, %3 Fehler\n").arg(options.file, questions, QString::number(problems.size()));
    out.flush();
    return problems.isEmpty() ? 0 : 1;
}

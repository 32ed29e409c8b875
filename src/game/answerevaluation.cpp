#include "game/answerevaluation.h"

#include "app/gamestate.h"
#include "info/links.h"
#include "platform/bottomleft.h"
#include "platform/dbf/database.h"
#include "platform/messageboxes.h"
#include "ui/alertboxes.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int lineLength = 36;
const ColorList revealed{5, 1, 1};
const ColorList chosenWrong{3, 0, 0};

QString rightAligned(int number, int width)
{
    return QStringLiteral("%1").arg(number, width);
}

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QStringList paragraphs(const QString& memo)
{
    return QString(memo).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
}

// How many lines the memo takes when wrapped at word boundaries into lines of at most `width`.
int wrappedLineCount(const QString& memo, int width)
{
    if (memo.isEmpty())
        return 0;
    int count = 0;
    for (const QString& paragraph : paragraphs(memo)) {
        int used = 0;
        int lines = 1;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            int length = int(word.size());
            // A word longer than a line is broken into pieces of a whole line each.
            while (length > width) {
                lines += used > 0 ? 1 : 0;
                used = 0;
                length -= width;
                ++lines;
            }
            if (used == 0)
                used = length;
            else if (used + 1 + length <= width)
                used += 1 + length;
            else {
                ++lines;
                used = length;
            }
        }
        count += lines;
    }
    return count;
}

// Line n (from 1) of the memo cut after every `width` characters and at its own line breaks,
// padded with blanks to `width`; past the end all blanks.
QString cutLine(const QString& memo, int width, int n)
{
    int line = 0;
    for (const QString& paragraph : paragraphs(memo)) {
        const int pieces = qMax(1, int((paragraph.size() + width - 1) / width));
        if (n <= line + pieces)
            return paragraph.mid((n - line - 1) * width, width).leftJustified(width, QLatin1Char(' '));
        line += pieces;
    }
    return QString(width, QLatin1Char(' '));
}

} // namespace

AnswerEvaluation::AnswerEvaluation(GameState& state, Database& database, MessageBoxes& boxes, AlertBoxes& alerts,
                                   const ButtonContext& buttons, Calls calls)
    : m_state(state)
    , m_database(database)
    , m_boxes(boxes)
    , m_alerts(alerts)
    , m_buttons(buttons)
    , m_calls(std::move(calls))
{
}

QString AnswerEvaluation::zusatzinfoText(const QString& gebiet, const QString& info)
{
    QString text = QStringLiteral("Thema : ") + withoutTrailingBlanks(gebiet) + QLatin1Char(';');
    const int z = wrappedLineCount(info, lineLength);
    for (int a = 1; a <= z + 1; ++a)
        text += QLatin1Char(';') + cutLine(info, lineLength, a);
    return text;
}

QString AnswerEvaluation::zusatzinfoTitle(int recno)
{
    return QStringLiteral("Zusatzinfo  (") + rightAligned(recno, 5) + QLatin1Char(')');
}

void AnswerEvaluation::zusatzinfo(const QString& button)
{
    WorkArea& question = m_database.area(1);
    m_alerts.alertBox(nullptr,
                      zusatzinfoText(question.fieldGet(QStringLiteral("gebiet")).toString(),
                                     question.fieldGet(QStringLiteral("info")).toString()),
                      {button}, 11, zusatzinfoTitle(question.recNo()));
}

void AnswerEvaluation::update(int name, std::optional<ColorList> colors, std::optional<QString> caption)
{
    BDUpdateButtonArgs args;
    args.button = name;
    args.parent = m_buttons.defaultParent;
    if (colors)
        args.colors = *colors;
    args.caption = std::move(caption);
    bdUpdateButton(m_buttons, args);
}

int AnswerEvaluation::resultBox(const QString& text, const QString& title)
{
    return m_alerts.alertBox(nullptr, text, {QStringLiteral("Zusatzinfo"), QStringLiteral("weiter")}, 11, title);
}

void AnswerEvaluation::istOk(bool right, int code)
{
    QWidget* focus = QApplication::focusWidget();
    update(666, revealed);

    if (right) {
        ++m_state.richtig;
        update(112, {}, rightAligned(m_state.richtig, 3));
        if (resultBox(QStringLiteral("deine Antwort war richtig !;  ;Zusatzinfos anzeigen oder  ;weiter zur nächsten Frage ? "),
                      rightAligned(m_state.richtig, 3) + QStringLiteral(". richtige Antwort"))
            == 1)
            zusatzinfo(QStringLiteral("zur nächsten Frage"));
    } else {
        ++m_state.fehler;
        update(code, chosenWrong);
        update(111, {}, rightAligned(m_state.fehler, 3));
        if (m_state.fehler != 3) {
            if (resultBox(QStringLiteral("deine Antwort war falsch !;  ;Zusatzinfos anzeigen oder  ;weiter zur nächsten Frage ? "),
                          rightAligned(m_state.fehler, 3) + QStringLiteral(". falsche Antwort"))
                == 1)
                zusatzinfo(QStringLiteral("zur nächsten Frage"));
            if (m_state.fehler == 1)
                showBanner();
            else if (m_state.fehler == 2)
                removeBanner();
        } else {
            gameEnd();
            if (m_state.fehler == 3)
                return; // the program ends
        }
    }

    m_calls.nextQuestion();
    if (focus)
        focus->setFocus();
}

void AnswerEvaluation::showBanner()
{
    auto* logo = qobject_cast<QLabel*>(m_state.oLogo);
    if (m_state.neuBG) {
        if (m_state.oXbb)
            m_state.oXbb->hide();
        m_state.oLogo->show();
    }
    if (logo)
        logo->setPixmap(QPixmap(QStringLiteral(":/bitmaps/888")));

    // A fixed-pitch font as on a terminal; the buttons keep their size at every window scale.
    const QFont terminal = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto makeButton = [&](const QString& caption, QPointF at, const QString& target, const char* name) {
        auto* button = new QPushButton(caption, m_state.oLogo);
        button->setObjectName(QLatin1String(name));
        button->setFont(terminal);
        BottomLeft::place(button, at, QSizeF(220, 30));
        QObject::connect(button, &QPushButton::clicked, button,
                         [open = m_calls.openRegisteredFile, target] { open(target); });
        button->show();
        return button;
    };
    m_state.pb1 = makeButton(QStringLiteral("Website ansehen"), {80, 10}, Links::advertiserPage, "bannerWebsite");
    m_state.pb2 = makeButton(QStringLiteral("hier Werbung schalten"), {480, 10},
                             QStringLiteral("mailto:") + Links::makerMail, "bannerAdvertise");
    m_state.pb2->setCursor(Qt::PointingHandCursor);
}

void AnswerEvaluation::removeBanner()
{
    delete m_state.pb1;
    delete m_state.pb2;
    m_state.pb1 = nullptr;
    m_state.pb2 = nullptr;
    if (m_state.neuBG) {
        m_state.oLogo->hide();
        if (m_state.oXbb)
            m_state.oXbb->show();
    } else if (auto* logo = qobject_cast<QLabel*>(m_state.oLogo)) {
        logo->setPixmap(QPixmap(QStringLiteral(":/bitmaps/999")));
    }
}

// The list keeps its last record blank as the spare slot, so a result must beat the record
// before it; an equal score does not enter the list.
bool AnswerEvaluation::goodEnoughForTheList()
{
    m_database.select(2);
    WorkArea& highscores = m_database.current();
    highscores.goBottom();
    highscores.skip(-1);
    return m_state.richtig > highscores.fieldGet(QStringLiteral("richtige")).toInt();
}

void AnswerEvaluation::gameEnd()
{
    if (resultBox(QStringLiteral("Sorry, das war der 3. Fehler und damit;ist das Spiel leider für dich zu Ende. ; ;"
                                 "Du kannst es ja nochmal versuchen !; ;Zusatzinfos anzeigen oder weitermachen ? ;"),
                  rightAligned(m_state.fehler, 3) + QStringLiteral(". falsche Antwort"))
        == 1)
        zusatzinfo(QStringLiteral("weiter"));

    if (goodEnoughForTheList()) {
        m_calls.scoreName();
        m_database.select(1);
    }

    if (m_boxes.yesNo(nullptr, QStringLiteral("noch einen Versuch wagen ?"), QStringLiteral("neuer Versuch ?"), 131104)
        == MessageBoxes::No) {
        m_calls.endWithoutLocking();
        return;
    }

    m_state.fehler = 0;
    m_state.richtig = 0;
    m_calls.showAgain();
    update(111, {}, rightAligned(m_state.fehler, 3));
    update(112, {}, rightAligned(m_state.richtig, 3));
    m_calls.giveJokersBack();
}

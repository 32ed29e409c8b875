#include "game/playfield.h"

#include "app/gamestate.h"
#include "game/questionselection.h"
#include "platform/compoundfont.h"
#include "platform/namedvariables.h"
#include "platform/settingserror.h"
#include "platform/settingsfile.h"

#include <QDir>

namespace {

// "." + blanks + text + blanks + ".": the blanks make the caption holder as wide as the longest
// question or answer line; centred in the button, the reader sees the text in the middle.
QString framed(const QString& text, int blanks)
{
    return QLatin1Char('.') + QString(blanks, QLatin1Char(' ')) + text + QString(blanks, QLatin1Char(' '))
        + QLatin1Char('.');
}

// An answer's introduction: the text framed in line 1, an empty framed line 2.
QString introLine(const QString& text)
{
    return framed(text, 60) + cr() + QLatin1Char('.') + QString(130, QLatin1Char(' ')) + QLatin1Char('.');
}

QString rightAligned(int number, int width)
{
    return QStringLiteral("%1").arg(number, width);
}

} // namespace

PlayField::PlayField(GameState& state, NamedVariables& variables, Random& random, const ButtonContext& buttons,
                     Actions actions)
    : m_state(state)
    , m_variables(variables)
    , m_random(random)
    , m_buttons(buttons)
    , m_actions(std::move(actions))
{
}

QString PlayField::counterFont() const
{
    return CompoundFont::name(14 * m_state.F, QStringLiteral("Arial"));
}

QString PlayField::jokerFont() const
{
    return CompoundFont::name(12 * m_state.F, QStringLiteral("Arial"));
}

QString PlayField::questionFont() const
{
    return questionFontAt(m_state.F);
}

QString PlayField::questionFontAt(double F)
{
    return CompoundFont::name(14 * F, QStringLiteral("Helv"));
}

QString PlayField::answerFont() const
{
    return answerFontAt(m_state.F);
}

QString PlayField::answerFontAt(double F)
{
    return CompoundFont::name(10 * F, QStringLiteral("Helv"));
}

void PlayField::create(int name, QPointF position, QSizeF size, const QString& caption, const QString& font,
                       ColorList colors, bool flat, ButtonAction action, std::optional<QString> sound)
{
    const double F = m_state.F;
    BDButtonArgs args;
    args.position = QPointF(position.x() * F, position.y() * F);
    args.size = {size.width() * F, size.height() * F};
    args.caption = caption;
    args.parent = m_buttons.defaultParent;
    args.font = font;
    args.colors = colors;
    args.autoSize = false;
    args.action = std::move(action);
    args.sound = std::move(sound);
    args.disabled = false;
    args.hidden = false;
    args.notFlat = false;
    args.flat = flat;
    args.name = name;
    args.imageAtSide = false;
    bdButton(m_buttons, args);
}

void PlayField::zeige1()
{
    const ColorList pink{3, 1, 1};
    const ColorList cyan{5, 1, 1};
    create(111, {716, 105}, {60, 27}, rightAligned(m_state.fehler, 4), counterFont(), pink, false, {});
    create(112, {716, 138}, {60, 27}, rightAligned(m_state.richtig, 4), counterFont(), cyan, false, {});
    create(222, {648, 105}, {60, 60}, QStringLiteral("Joker") + cr() + QStringLiteral("Tausch"), jokerFont(), cyan,
           true, [this](const QVariant&, const QVariant&, BDbutton*) { m_actions.joker(0); });
    create(333, {580, 105}, {60, 60}, QStringLiteral("Joker") + cr() + QStringLiteral("50/50"), jokerFont(), cyan,
           true, [this](const QVariant&, const QVariant&, BDbutton*) { m_actions.joker(1); });
}

int PlayField::restoreSoundSetting()
{
    const QString file = QDir(m_state.Pfad).filePath(QStringLiteral("standard.cfg"));
    try {
        if (SettingsFile::exists(file))
            SettingsFile::restore(file, m_variables);
    } catch (const SettingsError&) {
        // The menu reports a damaged settings file when it reads it; the sounds stay as they were.
    }
    const int musik = m_variables.value(QStringLiteral("musik")).toInt();
    return musik >= 1 && musik <= 3 ? musik : 2;
}

void PlayField::zeige2(int /*mode*/)
{
    const QString questionLine = QLatin1Char('.') + QString(120, QLatin1Char(' ')) + QLatin1Char('.');
    const QString questionIntro = questionLine + cr() + questionLine;
    create(555, {4, 105}, questionFieldSize, questionIntro, questionFont(), {8, 1, 1}, false,
           [this](const QVariant&, const QVariant&, BDbutton*) { m_actions.score(); });

    m_state.Platz = QuestionSelection::drawLayout(m_random);
    const GameState::Layout& p = m_state.layout(m_state.Platz);

    m_state.musik = restoreSoundSetting();
    std::optional<QString> right;
    std::optional<QString> wrong;
    if (m_state.musik == 2) {
        right = QStringLiteral("ja.wav");
        wrong = QStringLiteral("no.wav");
    } else if (m_state.musik == 3) {
        right = QStringLiteral("jaa.wav");
        wrong = QStringLiteral("noo.wav");
    }

    const ColorList answerColors{15, 1, 2};
    auto answer = [this](int name) {
        return [this, name](const QVariant&, const QVariant&, BDbutton*) { m_actions.istOk(name == 666, name); };
    };
    const QString intros[4] = {
        rightAligned(m_state.anzfra, 5) + QStringLiteral(" Fragen"),
        rightAligned(m_state.anzgeb, 5) + QStringLiteral(" Sachgebiete"),
        QStringLiteral("jeweils 4 mögliche Antworten"),
        QStringLiteral("nur 2 Joker die Ihnen helfen"),
    };
    const int names[4] = {666, 777, 888, 999};
    for (int i = 0; i < 4; ++i) {
        create(names[i], {double(p[2 * i]), double(p[2 * i + 1])}, answerButtonSize, introLine(intros[i]), answerFont(),
               answerColors, true, answer(names[i]), i == 0 ? right : wrong);
    }
}

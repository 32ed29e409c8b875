#include "highscore/scorenamedialog.h"

#include "platform/bottomleft.h"
#include "platform/compoundfont.h"
#include "platform/desktopcenter.h"
#include "platform/outersize.h"
#include "platform/cp850.h"
#include "platform/dbf/workarea.h"
#include "platform/palette.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QValidator>
#include <cmath>
#include <functional>

namespace {

constexpr int nameLength = 20;
const QString nameField = QStringLiteral("name");

// The table stores names in code page 850: a character it cannot hold is not taken at all, so the
// name the player sees in the field is the name the list will show.
class TableCharacters : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*pos*/) const override
    {
        for (const QChar c : input) {
            if (!Cp850::canEncode(c))
                return Invalid;
        }
        return Acceptable;
    }
};

// Enter in the name field does what "Ok" does.
class EnterKey : public QObject
{
public:
    EnterKey(QObject* parent, std::function<void()> action)
        : QObject(parent)
        , m_action(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_action();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_action;
};

void setColors(QWidget* widget, int background, int foreground, QPalette::ColorRole backgroundRole)
{
    QPalette palette = widget->palette();
    palette.setColor(backgroundRole, Palette::color(background));
    palette.setColor(QPalette::Text, Palette::color(foreground));
    palette.setColor(QPalette::WindowText, Palette::color(foreground));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

ScoreNameDialog::ScoreNameDialog(QWidget* owner, double F, WorkArea& highscores)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_highscores(highscores)
    , m_F(F)
{
    setObjectName(QStringLiteral("scoreNameDialog"));
    setWindowTitle(QStringLiteral(" Super Ergebnis"));
    setWindowModality(Qt::ApplicationModal);
    setOuterSize(215 * F, 145 * F);
    DesktopCenter::center(this);
    setFont(CompoundFont::toFont(CompoundFont::name(8 * F, QStringLiteral("Arial"))));

    m_okButton = new QPushButton(QStringLiteral("Ok"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    // Enter belongs to the name field; the button is no default button of the dialog.
    m_okButton->setAutoDefault(false);
    m_okButton->setFocusPolicy(Qt::StrongFocus);
    BottomLeft::place(m_okButton, QPointF(53 * F, 12 * F), QSizeF(96 * F, 24 * F));
    connect(m_okButton, &QPushButton::clicked, this, &ScoreNameDialog::ok);

    auto* label = new QLabel(QStringLiteral("Name:"), this);
    label->setObjectName(QStringLiteral("nameLabel"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    BottomLeft::place(label, QPointF(12 * F, 48 * F), QSizeF(36 * F, 24 * F));

    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_nameEdit->setMaxLength(nameLength);
    m_nameEdit->setValidator(new TableCharacters(m_nameEdit));
    m_nameEdit->setFocusPolicy(Qt::StrongFocus);
    setColors(m_nameEdit, -47, 1, QPalette::Base);
    BottomLeft::place(m_nameEdit, QPointF(60 * F, 50 * F), QSizeF(108 * F, 24 * F));
    // Filled from its link: the spare slot's name, blank.
    QString name = m_highscores.fieldGet(nameField).toString();
    while (name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    m_nameEdit->setText(name);
    m_nameEdit->installEventFilter(new EnterKey(m_nameEdit, [this] { ok(); }));

    auto* banner = new QLabel(QStringLiteral(" bitte in die Highscore-Liste eintragen "), this);
    banner->setObjectName(QStringLiteral("bannerText"));
    banner->setAlignment(Qt::AlignCenter);
    setColors(banner, 15, 1, QPalette::Window);
    BottomLeft::place(banner, QPointF(2 * F, 84 * F), QSizeF(206 * F, 24 * F));

    // The information icon of this dialog was always placed above its client area, so players
    // never saw it; the dialog keeps that look and has no icon.

    m_nameEdit->setFocus();
}

ScoreNameDialog::~ScoreNameDialog()
{
    setWindowModality(Qt::NonModal);
}

// The outer size, frame and title bar included, as far as the window system lets us know it.
void ScoreNameDialog::setOuterSize(double width, double height)
{
    setFixedSize(OuterSize::inner(*this, width, height));
}

void ScoreNameDialog::run()
{
    setWindowModality(Qt::ApplicationModal);
    show();
    // Now the frame is known: correct the size to the outer size and centre again.
    setOuterSize(215 * m_F, 145 * m_F);
    DesktopCenter::center(this);
    m_nameEdit->setFocus();
    activateWindow();

    QEventLoop loop;
    m_loop = &loop;
    if (!m_closed)
        loop.exec();
    m_loop = nullptr;
    setWindowModality(Qt::NonModal);
    if (m_error)
        throw *m_error;
}

void ScoreNameDialog::ok()
{
    writeName();
    // The dialog closes as by its close box, once the click has been handled.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void ScoreNameDialog::writeName()
{
    try {
        m_highscores.fieldPut(nameField, m_nameEdit->text());
    } catch (const DbfError& error) {
        m_error = error;
    }
}

void ScoreNameDialog::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_closed = true;
    if (m_loop)
        m_loop->quit();
}

// Esc leaves the dialog like its close box: nothing is written.
void ScoreNameDialog::reject()
{
    close();
}

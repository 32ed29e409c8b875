#include "special/specialchooser.h"

#include "info/links.h"
#include "platform/bottomleft.h"
#include "platform/compoundfont.h"
#include "platform/desktopcenter.h"
#include "platform/outersize.h"
#include "platform/palette.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFontMetricsF>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <cmath>

namespace {

constexpr double dialogWidth = 289;
constexpr double dialogHeight = 400;

QFont arial(double points)
{
    return CompoundFont::toFont(CompoundFont::name(points, QStringLiteral("Arial")));
}

// A longer address gets a smaller font rather than losing its ends.
void shrinkToFit(QPushButton* button)
{
    constexpr int margin = 8;
    QFont font = button->font();
    while (font.pointSizeF() > 6
           && QFontMetricsF(font).horizontalAdvance(button->text()) > button->width() - margin) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    button->setFont(font);
}

} // namespace

SpecialChooser::SpecialChooser(QWidget* owner, double F, const QStringList& entries)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_F(F)
{
    setObjectName(QStringLiteral("specialChooser"));
    setWindowTitle(QStringLiteral("Katalogauswahl"));
    QPalette background = palette();
    background.setColor(QPalette::Window, Palette::color(0));
    setPalette(background);
    setAutoFillBackground(true);
    setOuterSize(dialogWidth * F, dialogHeight * F);

    auto* hint = new QLabel(QStringLiteral(" bitte gewünschten Katalog mit Doppelklick wählen"), this);
    hint->setObjectName(QStringLiteral("specialHint"));
    hint->setFont(arial(9 * F));
    BottomLeft::place(hint, QPointF(3 * F, 355 * F), QSizeF(279 * F, 18 * F));

    auto* cancel = new QPushButton(QStringLiteral("abbrechen"), this);
    cancel->setObjectName(QStringLiteral("specialCancel"));
    cancel->setAutoDefault(false);
    cancel->setFont(arial(12 * F));
    BottomLeft::place(cancel, QPointF(70 * F, 75 * F), QSizeF(130 * F, 25 * F));
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("specialList"));
    m_list->setFont(arial(10 * F));
    m_list->addItems(entries);
    BottomLeft::place(m_list, QPointF(3 * F, 105 * F), QSizeF(279 * F, 245 * F));
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { choose(m_list->row(item)); });

    auto* more = new QLabel(QStringLiteral("   weitere kostenlose Kataloge finden Sie auch hier:"), this);
    more->setObjectName(QStringLiteral("specialMore"));
    more->setFont(arial(9 * F));
    BottomLeft::place(more, QPointF(3 * F, 35 * F), QSizeF(279 * F, 18 * F));

    // The address as a player writes it: without the scheme, which would not fit the button.
    auto* web = new QPushButton(QUrl(Links::productWebsite).host(), this);
    web->setObjectName(QStringLiteral("specialWeb"));
    web->setAutoDefault(false);
    web->setFont(arial(10 * F));
    BottomLeft::place(web, QPointF(70 * F, 10 * F), QSizeF(130 * F, 20 * F));
    shrinkToFit(web);
    connect(web, &QPushButton::clicked, this, [] { Links::openRegisteredFile(Links::productWebsite); });

    m_list->setCurrentRow(0);
    m_list->setFocus();
}

SpecialChooser::~SpecialChooser()
{
    setWindowModality(Qt::NonModal);
}

// The outer size, frame and title bar included, as far as the window system lets us know it.
void SpecialChooser::setOuterSize(double outerWidth, double outerHeight)
{
    setFixedSize(OuterSize::inner(*this, outerWidth, outerHeight));
}

std::optional<QList<int>> SpecialChooser::run()
{
    setWindowModality(Qt::ApplicationModal);
    show();
    // Now the frame is known: correct the size to the outer size and centre again.
    setOuterSize(dialogWidth * m_F, dialogHeight * m_F);
    DesktopCenter::center(this);
    activateWindow();
    m_list->setFocus();

    QEventLoop loop;
    m_loop = &loop;
    if (!m_closed)
        loop.exec();
    m_loop = nullptr;
    setWindowModality(Qt::NonModal);
    return m_chosen;
}

void SpecialChooser::choose(int row)
{
    if (row < 0)
        return;
    m_chosen = QList<int>{row + 1};
    // The dialog closes once the double click has been handled.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void SpecialChooser::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_closed = true;
    if (m_loop)
        m_loop->quit();
}

// Esc leaves the dialog like its close box: nothing is chosen.
void SpecialChooser::reject()
{
    close();
}

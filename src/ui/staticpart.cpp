#include "ui/staticpart.h"

#include "platform/palette.h"

#include <QPainter>
#include <qdrawutil.h>

StaticPart::StaticPart(int kind, QWidget* parent)
    : QLabel(parent)
    , m_kind(kind)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setMargin(0);
    setIndent(0);
}

void StaticPart::setKind(int kind)
{
    m_kind = kind;
    update();
}

void StaticPart::setColorBG(std::optional<int> colour)
{
    m_colorBG = colour;
    QPalette pal = palette();
    if (colour && Palette::color(*colour).isValid()) {
        pal.setColor(QPalette::Window, Palette::color(*colour));
        setAutoFillBackground(m_kind != 14 && m_kind != 15);
    } else {
        pal.setColor(QPalette::Window, parentWidget() ? parentWidget()->palette().color(QPalette::Window)
                                                      : QPalette().color(QPalette::Window));
        setAutoFillBackground(false);
    }
    setPalette(pal);
}

void StaticPart::setColorFG(std::optional<int> colour)
{
    m_colorFG = colour;
    QPalette pal = palette();
    const QColor text = colour ? Palette::color(*colour) : QColor();
    pal.setColor(QPalette::WindowText, text.isValid() ? text : QPalette().color(QPalette::WindowText));
    setPalette(pal);
}

void StaticPart::setPaintCallback(std::function<void(QWidget*)> callback)
{
    m_paintCallback = std::move(callback);
    update();
}

void StaticPart::paintEvent(QPaintEvent* event)
{
    if (m_kind == 14 || m_kind == 15) {
        // A frame and nothing else: what lies underneath stays visible.
        QPainter painter(this);
        qDrawWinPanel(&painter, rect(), palette(), m_kind == 15);
    } else {
        QLabel::paintEvent(event);
    }
    if (m_paintCallback)
        m_paintCallback(this);
}

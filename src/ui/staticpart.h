#pragma once

#include <QLabel>
#include <functional>
#include <optional>

// One piece of a bitmap button: a plain panel (kind 1), a text (kind 1 with a caption), a picture
// holder (kind 13, or a built-in picture), or a 3-D frame alone (kind 14 raised, 15 sunken) that is
// transparent inside. Colours are palette numbers; a piece without a background colour lets its
// parent show through. The pointer passes through every piece to the button underneath.
class StaticPart : public QLabel
{
    Q_OBJECT

public:
    StaticPart(int kind, QWidget* parent);

    int kind() const { return m_kind; }
    void setKind(int kind);

    std::optional<int> colorBG() const { return m_colorBG; }
    std::optional<int> colorFG() const { return m_colorFG; }
    void setColorBG(std::optional<int> colour);
    void setColorFG(std::optional<int> colour);

    // Called after the piece has painted itself (the piece's paint callback); empty: nothing more.
    void setPaintCallback(std::function<void(QWidget*)> callback);
    bool hasPaintCallback() const { return bool(m_paintCallback); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_kind;
    std::optional<int> m_colorBG;
    std::optional<int> m_colorFG;
    std::function<void(QWidget*)> m_paintCallback;
};

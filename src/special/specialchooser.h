#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>
#include <optional>

class QEventLoop;
class QListWidget;
class QPushButton;

// The dialog "Katalogauswahl": the catalogs with their numbers of questions in a list, "abbrechen"
// and the game's web site. A double click on an entry chooses it; "abbrechen", the close box and
// Esc close the dialog without a choice. Positions and sizes are those of scale 1 times F, counted
// from the bottom-left corner.
class SpecialChooser : public QDialog
{
    Q_OBJECT

public:
    SpecialChooser(QWidget* owner, double F, const QStringList& entries);
    ~SpecialChooser() override;

    // Shows the dialog application-modal, centred on the desktop, and runs its own event loop
    // until it is closed. The result: the positions of the chosen entry, counted from 1, or
    // nothing when the player closed it without a choice.
    std::optional<QList<int>> run();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void choose(int row);
    void setOuterSize(double width, double height);

    double m_F;
    QListWidget* m_list = nullptr;
    QEventLoop* m_loop = nullptr;
    bool m_closed = false;
    std::optional<QList<int>> m_chosen;
};

#pragma once

#include "platform/dbf/dbferror.h"

#include <QDialog>
#include <optional>

class QEventLoop;
class QLineEdit;
class QPushButton;
class WorkArea;

// The dialog " Super Ergebnis" that asks for the player's name after a game good enough for the
// high score list. Its edit field is linked to `name` of the current record of the high score
// table: it starts with that name, and "Ok" or Enter write the typed text back. The close box (or
// Esc) closes it without writing. Positions and sizes are those of scale 1 times F, counted from
// the bottom-left corner.
class ScoreNameDialog : public QDialog
{
    Q_OBJECT

public:
    ScoreNameDialog(QWidget* owner, double F, WorkArea& highscores);
    ~ScoreNameDialog() override;

    // Shows the dialog application-modal and runs its own event loop until it is closed. A table
    // fault met while writing the name is raised here, after the dialog has closed.
    void run();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void ok();
    // Writes the edit field through its link into the table.
    void writeName();
    void setOuterSize(double width, double height);

    WorkArea& m_highscores;
    double m_F;
    QLineEdit* m_nameEdit = nullptr;
    QPushButton* m_okButton = nullptr;
    QEventLoop* m_loop = nullptr;
    bool m_closed = false;
    std::optional<DbfError> m_error;
};

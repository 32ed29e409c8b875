#include "platform/qtmessageboxes.h"

#include <QMessageBox>
#include <QPushButton>

int QtMessageBoxes::yesNo(QWidget* owner, const QString& text, const QString& title, int /*style*/,
                          int defaultButton)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, owner);
    QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box.setDefaultButton(defaultButton == DefaultSecond ? no : yes);
    box.setEscapeButton(no);
    box.setObjectName(QStringLiteral("yesNoBox"));
    yes->setObjectName(QStringLiteral("yes"));
    no->setObjectName(QStringLiteral("no"));
    box.exec();
    return box.clickedButton() == yes ? Yes : No;
}

void QtMessageBoxes::notice(QWidget* owner, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("noticeBox"));
    box.exec();
}

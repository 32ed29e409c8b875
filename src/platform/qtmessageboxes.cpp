#include "platform/qtmessageboxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

// The game breaks lines in its messages with a carriage return.
QString withLineBreaks(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

int QtMessageBoxes::yesNo(QWidget* owner, const QString& text, const QString& title, int /*style*/,
                          int defaultButton)
{
    QMessageBox box(QMessageBox::Question, title, withLineBreaks(text), QMessageBox::NoButton, owner);
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
    QMessageBox box(QMessageBox::Information, title, withLineBreaks(text), QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("noticeBox"));
    box.exec();
}

#include "info/help.h"

#include "platform/messageboxes.h"

QString Help::text()
{
    const QString line = QStringLiteral("\r");
    const QString emptyLine = QStringLiteral("\r\r");
    return QStringLiteral("Es werden in zufälliger Reihenfolge unterschiedlich schwere Fragen aus verschiedenen "
                          "Themengebieten gestellt. Zu jeder Frage werden 4 mögliche Lösungen angeboten.")
           + emptyLine + QStringLiteral("Zur Unterstützung stehen Ihnen 2 Joker zur Verfügung:")
           + line + QStringLiteral("50/50-Joker: es werden zufällig 2 falsche Antworten entfernt.")
           + line + QStringLiteral("Tausch-Joker: es wird eine andere Frage gestellt.")
           + emptyLine + QStringLiteral("Das Spiel endet mit der dritten falschen Antwort.")
           + emptyLine
           + QStringLiteral("Zu fast jeder Frage stellt das Programm auf Wunsch nach der Auflösung zusätzliche "
                            "Informationen zur Verfügung.")
           + emptyLine
           + QStringLiteral("Die 10 besten Ergebnisse werden in einer Highscore-Liste gespeichert. Diese Bestenliste "
                            "kann jederzeit mit einem Klick auf die Frage angezeigt werden.")
           + emptyLine
           + QStringLiteral("Auf Wunsch können Spezialkataloge gespielt werden, die sich nur mit einem "
                            "Themengebiet befassen.")
           + emptyLine + QStringLiteral("Viel Spass :-)");
}

void Help::help(MessageBoxes& boxes)
{
    boxes.notice(nullptr, text(), QStringLiteral("Kurzanleitung"));
}

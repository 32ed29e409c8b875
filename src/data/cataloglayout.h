#pragma once

#include "platform/dbf/dbffield.h"

#include <QList>

// The field lists of the game's tables, in table order. The question catalog's text widths are
// those two lines of a question or an answer can fill on the play-field buttons.
class CatalogLayout
{
public:
    // A question catalog (QUIZ.QUZ, KAT001.QUZ …, special catalogs):
    // GEBIET C(25), STUFE N(1,0), FR1 and FR2 C(50), AR11 … AF42 C(40), INFO M.
    static QList<DbfField> questionCatalog();
    // The topic table GEBIET.QUZ: NAME C(25), ANZ N(5,0).
    static QList<DbfField> topicTable();
    // A high score table (HIGHSCOR.QUZ, HSC_*.QUZ): RICHTIGE N(4,0), NAME C(20), DATUM D.
    static QList<DbfField> highScoreTable();

    // The game shows the additional information cut into lines of this many characters.
    static constexpr int infoLineLength = 36;
    // The additional information as a catalog stores it: broken at word boundaries into lines of at
    // most infoLineLength characters (CR LF between them), so the game's cut never splits a word.
    static QString infoForTable(const QString& text);
    // The stored information back as one line of text.
    static QString infoFromTable(const QString& stored);
};

#pragma once

#include <QString>

// The game's web and mail addresses, kept in this one place, and the way a link is opened: with
// the program the desktop has registered for it (the web browser or the mail program).
class Links
{
public:
    static const QString productWebsite;   // the game's web site
    static const QString productMail;      // the game's contact mail address (callers add "mailto:")
    static const QString advertiserPage;   // the advertiser's web page, written without scheme
    static const QString makerMail;        // the maker's mail address for advertising (callers add "mailto:")

    // Hands a web address or a "mailto:" link to the desktop and returns at once; nothing is
    // reported when no program takes it.
    static void openRegisteredFile(const QString& target);
};

#pragma once

#include <QString>

// Where the game keeps its data: a folder named like the working directory's last component,
// found at the drive root ("/" here) or in the all-users profile, when it holds quiz.QUZ;
// otherwise the working directory itself.
class DataDirectory
{
public:
    // workingDirectory is an absolute path; allUsersProfile the value of ALLUSERSPROFILE (may be empty).
    static QString find(const QString& workingDirectory, const QString& allUsersProfile);
};

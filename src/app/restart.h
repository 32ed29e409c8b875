#pragma once

#include <QString>

// A restart of the game: the new process starts while the old one is still closing and locking its
// files. It is told so in its environment (the command line stays empty) and waits for the old
// instance's lock before it touches a data file.
class Restart
{
public:
    // Starts the program without arguments and without waiting for it; false when it cannot be
    // started.
    static bool start(const QString& program);
    // Whether this process was started by a restart.
    static bool isRestarted();
    // How long a restarted game waits for the old one to end.
    static constexpr int waitMs = 20000;

private:
    static const char* environmentName() { return "BRIMORA_RESTARTED"; }
};

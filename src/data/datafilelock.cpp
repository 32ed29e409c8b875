#include "data/datafilelock.h"

#include "platform/filelookup.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

DataFileLock::DataFileLock(QString Pfad)
    : Pfad(std::move(Pfad))
{
}

bool DataFileLock::crypt(const QString& name) const
{
    writeFirstByte(name, 0x1A);
    return true;
}

bool DataFileLock::encrypt(const QString& name, bool memo) const
{
    writeFirstByte(name, memo ? 0x83 : 0x03);
    return true;
}

void DataFileLock::writeFirstByte(const QString& name, unsigned char byte) const
{
    const QByteArray path = QFile::encodeName(FileLookup::resolve(Pfad, name));
    // Never O_CREAT: a file that is not there stays not there. O_NONBLOCK keeps a FIFO or device of
    // that name from stalling the game; only a regular, non-empty file gets the byte.
    const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        while (::pwrite(fd, &byte, 1, 0) < 0 && errno == EINTR) {
        }
    }
    ::close(fd);
}

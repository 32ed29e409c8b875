#include "testfiles.h"

#include <QFile>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

bool TestFiles::write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray TestFiles::read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TestFiles::setPermissionOverride(bool enabled)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    for (int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
        const __u32 bit = 1u << (capability % 32);
        if (enabled)
            data[capability / 32].effective |= bit & data[capability / 32].permitted;
        else
            data[capability / 32].effective &= ~bit;
    }
    return syscall(SYS_capset, &header, data) == 0;
}

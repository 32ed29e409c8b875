#include "offscreendesktop.h"

#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>

void OffscreenDesktop::use(const QTemporaryDir& dir, int width, int height)
{
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    TestFiles::write(config, QStringLiteral(R"({"screens":[{"name":"s","x":0,"y":0,"width":%1,"height":%2,)"
                                            R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})")
                                 .arg(width)
                                 .arg(height)
                                 .toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
}

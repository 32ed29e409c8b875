#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "testfiles.h"

// The window size steps need a desktop larger than the window at the next step: an offscreen
// desktop of 1600 × 1200 pixels, described in a screen file in scratch. Call before QApplication.
inline void useLargeOffscreenDesktop(const QTemporaryDir& scratch)
{
    const QString config = scratch.filePath(QStringLiteral("screens.json"));
    TestFiles::write(config, R"({"screens":[{"name":"s","x":0,"y":0,"width":1600,"height":1200,)"
                             R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
}

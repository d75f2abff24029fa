#pragma once

#include <QString>

// The installer's maintenance tool that is installed beside plivek. It tells
// whether newer versions exist and performs the update. Its folder can be
// redirected, so tests run a tool of their own without putting one beside the
// test programs.
class MaintenanceTool
{
public:
    // The tool's absolute path ("maintenancetool" in the tool folder).
    static QString path();
    static bool exists();

    // The folder searched for the tool; empty restores the program's own folder.
    static void setFolder(const QString &folder);

    // Arguments that ask whether an update is available; the tool ends with 0
    // and writes to standard output exactly when one is.
    static QStringList checkArguments();
    // Arguments that start the update.
    static QStringList updateArguments();
};

#include "loadcontrollerconfig.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/zu_moltconfig.h"
#include "plivek/document/project.h"
#include "plivek/mainwindow/mainwindowtexts.h"
#include "reporterror.h"

#include <QCoreApplication>
#include <QFile>

#include <limits>
#include <new>

namespace {

const QString &errorTitle()
{
    static const QString title = MainWindowTexts::tr("Error");
    return title;
}

const QString &noValidData()
{
    static const QString text = MainWindowTexts::tr("Configuration not contains valid data");
    return text;
}

// The largest file read whole: what one byte array can hold, less its header. Qt
// reads a larger file as empty.
constexpr qint64 largestReadableFile = std::numeric_limits<int>::max() - 64;

// Reads the file as a storage service leaves it; false after reporting why. Every
// report names the file, so that a script's log says which of its files failed.
bool readStorageFile(CnfController &controller, const QString &path, bool quiet)
{
    auto fail = [&](const QString &title, const QString &text) {
        reportError(title, namingPath(text, path), quiet);
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(MainWindowTexts::tr("Error open file"), file.errorString());
    if (file.size() > largestReadableFile)
        return fail(errorTitle(), MainWindowTexts::tr("The file is too large to load"));
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(MainWindowTexts::tr("Error open file"), file.errorString());
    file.close();
    if (content.isEmpty())
        return fail(errorTitle(), noValidData());
    const QByteArray errorTag("<Error>");
    if (content.startsWith(errorTag)) {
        const int end = content.indexOf("</Error>");
        if (end > 0)
            return fail(errorTitle(),
                        QString::fromUtf8(content.mid(errorTag.size(), end - errorTag.size())));
        return fail(errorTitle(), noValidData());
    }
    const CnfNativePtr native = CnfNative::loadNativeConfig(content);
    if (!native) {
        return fail(MainWindowTexts::tr("Error processing data"),
                    MainWindowTexts::tr("Storage service returned an data of unknown format"));
    }
    if (!native->createController(controller))
        return fail(MainWindowTexts::tr("Error processing data"), controller.lastError());
    return true;
}

// A file too large for the memory left, or for Qt's containers, is a failed load
// like any other: the reader's half-built data are freed on the way out.
bool loadFromFile(CnfController &controller, const QString &path, bool quiet)
{
    try {
        return readStorageFile(controller, path, quiet);
    } catch (const std::bad_alloc &) {
        controller.clear();
        reportError(errorTitle(), notEnoughMemoryToLoad(path), quiet);
        return false;
    }
}

// Loads the chosen document into the project. A ZU_MOLT configuration is read
// directly: the document would hand it to the zumoltc editor and end the program.
bool loadChosenDocument(Project &project, const QString &path)
{
    try {
        const CnfNativePtr native = CnfNative::loadNativeConfig(path);
        if (!native || !native.dynamicCast<ZU_MOLTConfig>())
            return project.load(path);
        if (native->isValid() && native->createController(project.controller()))
            return true;
        reportError(MainWindowTexts::tr("Error loading document"), native->lastError(), false);
    } catch (const std::bad_alloc &) {
        project.controller().clear();
        reportError(MainWindowTexts::tr("Error loading document"), notEnoughMemoryToLoad(path),
                    false);
    }
    return false;
}

} // namespace

QString notEnoughMemoryToLoad(const QString &path)
{
    return MainWindowTexts::tr("Not enough memory to load %1").arg(path);
}

bool loadControllerConfig(CnfController &controller, const QString &path, int objectId, bool quiet)
{
    if (!path.isEmpty() && loadFromFile(controller, path, quiet))
        return true;
    if (quiet) {
        // A script that named no configuration learns why nothing was done.
        if (path.isEmpty())
            reportError(MainWindowTexts::tr("Error open file"),
                        MainWindowTexts::tr("No configuration file given (--controller-config)"),
                        quiet);
        return false;
    }

    Project project;
    const QString chosen = project.openFileDialog();
    if (chosen.isEmpty())
        return false;
    if (!loadChosenDocument(project, chosen)) {
        if (!project.lastError().isEmpty())
            reportError(MainWindowTexts::tr("Error loading document"), project.lastError(), false);
        return false;
    }
    CnfController &loaded = project.controller();
    if (loaded.property("number") != QVariant(objectId)) {
        reportError(QString(),
                    MainWindowTexts::tr("You must specify the configuration of the controller %1")
                        .arg(objectId),
                    false);
        return false;
    }
    if (controller.load(loaded.save(-1), true))
        return true;
    reportError(MainWindowTexts::tr("Error loading document"), controller.lastError(), false);
    return false;
}

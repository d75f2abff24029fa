#include "project.h"
#include "project_p.h"

#include "cnf/adapterconfig.h"
#include "cnf/cnfnative.h"
#include "cnf/tiverkiiconfig.h"
#include "cnf/vobject.h"
#include "cnf/zu_moltconfig.h"
#include "containerfile.h"
#include "familyconversion.h"
#include "halm58a/network.h"
#include "halm58a/node.h"
#include "halm58ga/networkg.h"
#include "safefile/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>

#include <new>

namespace {

// Folder settings hold the UTF-8 bytes of the path; older ones hold plain text.
QString readPathSetting(const QString &key)
{
    QSettings settings;
    settings.setIniCodec("UTF-8");
    const QVariant value = settings.value(key);
    if (value.type() == QVariant::ByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.toString();
}

void writePathSetting(const QString &key, const QString &path)
{
    QSettings settings;
    settings.setIniCodec("UTF-8");
    settings.setValue(key, path.toUtf8());
}

QString orUnknown(const QString &error)
{
    return error.isEmpty() ? Project::tr("Unknown error") : error;
}

// Copies the file at `from` to `to` through a temporary file that replaces `to` only
// when every byte is written: until then `to` keeps what it held. The copy has the
// permissions of `from` before its first byte, so a private document never has a
// readable copy. False with the reason in `reason`.
bool copyWhole(const QString &from, const QString &to, QString *reason)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        *reason = source.errorString();
        return false;
    }
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError) {
        *reason = source.errorString();
        return false;
    }
    return SafeFile::writeWithPermissions(to, bytes, source.permissions(), reason);
}

} // namespace

// ---------------------------------------------------------------------------

ProjectPrivate::ProjectPrivate(QWidget *parent)
    : parent(parent)
{
    filters << Project::tr("All supported formats (*.xcnf *.cnf *.txt *.json)")
            << Project::tr("Universal configuration files (*.xcnf)")
            << Project::tr("TIVERK and adapter configuration files (*.cnf)")
            << Project::tr("adapter configuration files (*.txt)")
            << Project::tr("TIVERKII configuration files (*.json)")
            << Project::tr("ZU_MOLT configuration files (*.json)");
}

int ProjectPrivate::typeFromSuffix(QString suffix) const
{
    if (!suffix.startsWith(QLatin1Char('.')))
        suffix.prepend(QLatin1Char('.'));
    // A suffix names a kind when a filter lists it as a whole pattern: "*.json"
    // names .json, but neither ".c" nor a missing suffix names anything.
    if (suffix.size() < 2)
        return -1;
    static const QRegularExpression patterns(QStringLiteral("\\*(\\.[^\\s()*]+)"));
    for (int index = 1; index < filters.size(); ++index) {
        auto it = patterns.globalMatch(filters.at(index));
        while (it.hasNext()) {
            if (it.next().captured(1).compare(suffix, Qt::CaseInsensitive) == 0)
                return index;
        }
    }
    return -1;
}

bool ProjectPrivate::save()
{
    lastError.clear();
    if (fileName.isEmpty()) {
        lastError = tr("Empty file name");
        return false;
    }
    if (type == 0)
        type = typeFromSuffix(QFileInfo(fileName).suffix());
    switch (type) {
    case 1: {
        ContainerFile container(controller, network, customData);
        if (!container.write(fileName)) {
            lastError = container.errorString();
            return false;
        }
        break;
    }
    case 2:
        if (!saveNative())
            return false;
        break;
    case 3:
        if (!FamilyConversion::saveAsAdapter(controller, fileName, parent, lastError, &warnings))
            return false;
        break;
    case 4:
        FamilyConversion::completeTiverkII(controller);
        if (!saveNative(QStringLiteral("tiverkii")))
            return false;
        break;
    case 5:
        FamilyConversion::completeZuMolt(controller);
        if (!saveNative(QStringLiteral("ZU_MOLT")))
            return false;
        break;
    default:
        lastError = tr("Error saving file: unknown file type");
        return false;
    }
    changed = false;
    return true;
}

bool ProjectPrivate::saveNative(const QString &family)
{
    // The library writes each family in its own format. A document of a family's
    // kind is written in the family it was read as, whatever its "type" says, so
    // that the file opens again as it did.
    const bool saved = family.isEmpty() ? CnfNative::save(fileName, controller, lastError)
                                        : CnfNative::save(fileName, controller, family, lastError);
    if (!saved && lastError.isEmpty())
        lastError = tr("Unknown error on saving");
    if (lastError.isEmpty())
        return true;
    lastError.prepend(tr("Error saving configuration: "));
    return false;
}

QString ProjectPrivate::askSaveFile(bool offerZuMolt, int *fileType)
{
    QString directory = Project::lastSaveFolder();
    if (directory.isEmpty() || !QDir(directory).exists())
        directory = fileName.isEmpty() ? QDir::homePath() : QFileInfo(fileName).absolutePath();

    // First-line and adapter documents are proposed a name after their number.
    const QString family = controller.property("type").toString();
    QString start = directory;
    QString selected;
    if (family == QLatin1String("tiverk") || family == QLatin1String("adapter")) {
        selected = filters.at(family == QLatin1String("tiverk") ? 2 : 3);
        start += QStringLiteral("/dat%1").arg(controller.property("number").toString(), 5,
                                              QLatin1Char('0'));
    } else if (family == QLatin1String("tiverkii")) {
        selected = filters.at(4);
    } else if (offerZuMolt && family == QLatin1String("ZU_MOLT")) {
        selected = filters.at(5);
    }
    QString path
        = QFileDialog::getSaveFileName(parent, Project::tr("Select file"), start,
                                       filters.mid(1).join(QStringLiteral(";;")), &selected);
    if (path.isEmpty())
        return QString();
    Project::rememberSaveFolder(path);

    const int filter = filters.indexOf(selected);
    if (QFileInfo(path).suffix().isEmpty() && filter > 0) {
        static const QRegularExpression pattern(QStringLiteral("\\(\\*([^()]*)\\)"));
        path += pattern.match(selected).captured(1);
    }
    *fileType = typeFromSuffix(QFileInfo(path).suffix());
    // Both JSON families share the suffix: the filter tells them apart.
    if (*fileType == 4 && filter == 5)
        *fileType = 5;
    return path;
}

void ProjectPrivate::loadContainer()
{
    ContainerFile container(controller, network, customData);
    if (!container.read(fileName))
        lastError = container.errorString();
}

bool ProjectPrivate::loadNative()
{
    const CnfNativePtr native = CnfNative::loadNativeConfig(fileName);
    if (!native) {
        // The library says why (an empty or cut file, content of no known family).
        lastError = Project::tr("Unsupported version of configuration");
        if (!CnfNative::loadError().isEmpty())
            lastError += QStringLiteral(": ") + CnfNative::loadError();
    } else if (!native->isValid()) {
        lastError = orUnknown(native->lastError());
    } else {
        const QString editor = Project::findZuMoltEditor();
        if (!editor.isEmpty() && native.dynamicCast<ZU_MOLTConfig>() && handOverToEditor(editor))
            return true;
        if (!native->createController(controller))
            lastError = orUnknown(native->lastError());
        else
            warnings += native->warnings();
    }
    if (!lastError.isEmpty())
        lastError.prepend(Project::tr("Error reading of configuration: "));

    const QString family = controller.property("type").toString();
    if (family == QLatin1String("tiverkii"))
        type = 4;
    else if (family == QLatin1String("ZU_MOLT"))
        type = 5;
    else if (family == QLatin1String("adapter"))
        type = 3;
    return false;
}

void ProjectPrivate::loadAdapter()
{
    AdapterConfig adapter;
    if (!adapter.load(fileName) || !adapter.createController(controller))
        lastError = Project::tr("Error reading of adapter configuration: ") + adapter.lastError();
}

bool ProjectPrivate::loadJson()
{
    // Both JSON families share the suffix: the content decides, and a broken file
    // is reported by the reader of the family its content belongs to.
    ZU_MOLTConfig zuMolt;
    if (!zuMolt.load(fileName)) {
        QFile file(fileName);
        if (file.open(QIODevice::ReadOnly) && ZU_MOLTConfig::recognizes(file.readAll())) {
            type = 5;
            lastError
                = Project::tr("Error reading of ZU_MOLT configuration: ") + zuMolt.lastError();
            return false;
        }
        TiverkIIConfig tiverkII;
        if (!tiverkII.load(fileName) || !tiverkII.createController(controller))
            lastError
                = Project::tr("Error reading of TIVERKII configuration: ") + tiverkII.lastError();
        else
            type = 4;
        return false;
    }
    const QString editor = Project::findZuMoltEditor();
    if (!editor.isEmpty() && handOverToEditor(editor))
        return true;
    type = 5;
    if (!zuMolt.createController(controller))
        lastError = Project::tr("Error reading of ZU_MOLT configuration: ") + zuMolt.lastError();
    else
        warnings += zuMolt.warnings();
    return false;
}

bool ProjectPrivate::handOverToEditor(const QString &editor)
{
    if (!QProcess::startDetached(editor, { fileName })) {
        warnings << Project::tr(
                        "Cannot start the ZU_MOLT editor %1; the configuration is opened here")
                        .arg(QDir::toNativeSeparators(editor));
        return false;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), "quit", Qt::QueuedConnection);
    return true;
}

// ---------------------------------------------------------------------------

Project::Project(QWidget *parent)
    : d(new ProjectPrivate(parent))
{
}

Project::~Project()
{
    delete d;
}

CnfController &Project::controller() const
{
    return d->controller;
}

Halm58a::Network *Project::network() const
{
    return d->network;
}

QString Project::fileName() const
{
    return d->fileName;
}

void Project::setFileName(const QString &fileName)
{
    d->fileName = fileName;
}

int Project::type() const
{
    return d->type;
}

QString Project::lastError() const
{
    return d->lastError;
}

QStringList Project::warnings() const
{
    return d->warnings;
}

bool Project::isChanged() const
{
    return d->changed;
}

void Project::setChanged(bool changed)
{
    d->changed = changed;
}

void Project::createNetwork(QGraphicsScene *scene)
{
    if (!d->network)
        d->network = new Halm58ga::Networkg(scene, scene ? nullptr : &d->networkOwner);
}

bool Project::loadNetwork(const QString &path)
{
    if (!d->network || !d->network->load(path, false))
        return false;
    d->networkFileName = path;
    return true;
}

bool Project::isNetworkEmpty() const
{
    return !d->network || !d->network->findChild<Halm58a::Node *>();
}

bool Project::isAdapter() const
{
    return d->controller.property("type").toString() == QLatin1String("adapter");
}

bool Project::isTiverk() const
{
    return d->controller.property("type").toString() == QLatin1String("tiverk");
}

bool Project::isTiverkII() const
{
    return d->controller.property("type").toString() == QLatin1String("tiverkii");
}

bool Project::isZuMolt() const
{
    return d->controller.property("type").toString() == QLatin1String("ZU_MOLT");
}

bool Project::hasSignalModule() const
{
    return isTiverkII() && !d->controller.nativeData()["modules"]["Signal"].isNull();
}

bool Project::maybeSave()
{
    d->lastError.clear();
    if (d->changed) {
        const auto answer
            = QMessageBox::question(d->parent, tr("Question"), tr("File was changed. Save?"),
                                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel)
            return false;
        if (answer == QMessageBox::Yes) {
            const bool saved = d->fileName.isEmpty() ? saveAsConverted(QString()) : save();
            if (!saved)
                return false;
        }
    }
    d->controller.clear();
    d->fileName.clear();
    d->networkFileName.clear();
    if (d->network)
        d->network->clear();
    d->customData.clear();
    d->type = 0;
    d->changed = false;
    return true;
}

QString Project::openFileDialog()
{
    QString directory = readPathSetting(QStringLiteral("lastOpenDir"));
    if (directory.isEmpty() || !QDir(directory).exists())
        directory = QDir::currentPath();
    const QString path = QFileDialog::getOpenFileName(d->parent, tr("Select file"), directory,
                                                      d->filters.join(QStringLiteral(";;")));
    if (!path.isEmpty())
        writePathSetting(QStringLiteral("lastOpenDir"), QFileInfo(path).absolutePath());
    return path;
}

bool Project::load(QString path)
{
    d->lastError.clear();
    d->warnings.clear();
    if (path.isEmpty())
        path = openFileDialog();
    if (path.isEmpty())
        return false;
    if (!QFileInfo::exists(path)) {
        d->lastError = tr("File %1 not exist").arg(path);
        return false;
    }

    d->fileName = path;
    d->customData.clear();
    d->type = d->typeFromSuffix(QFileInfo(path).suffix());
    bool handedOver = false;
    try {
        switch (d->type) {
        case 1:
            d->loadContainer();
            break;
        case 2:
            handedOver = d->loadNative();
            break;
        case 3:
            d->loadAdapter();
            break;
        case 4:
        case 5:
            handedOver = d->loadJson();
            break;
        default:
            d->lastError = tr("File loading error: unknown type");
            break;
        }
    } catch (const std::bad_alloc &) {
        // A file too large for the memory left, or for Qt's containers, fails like any
        // other broken file; what the readers had built is freed on the way here.
        d->lastError = tr("Not enough memory to load %1").arg(path);
    }
    if (handedOver)
        return true;
    if (d->lastError.isEmpty()) {
        // Kept as the file holds them, but a group given such an id is refused.
        d->warnings += d->controller.matrixValuesWithoutGroup();
        return true;
    }
    d->controller.clear();
    return false;
}

QString Project::findZuMoltEditor()
{
    const QString name = QStringLiteral("zumoltc");
    const QFileInfo beside(QDir(QCoreApplication::applicationDirPath()), name);
    if (beside.isFile())
        return beside.absoluteFilePath();
    // Without PATH there is nowhere else to look; a PATH that is set but empty
    // is one empty entry, the current folder, as for any program search.
    if (!qEnvironmentVariableIsSet("PATH"))
        return QString();
    const QStringList folders = QFile::decodeName(qgetenv("PATH")).split(QLatin1Char(':'));
    for (const QString &folder : folders) {
        // An empty entry means the current folder.
        const QFileInfo candidate(QDir(folder.isEmpty() ? QDir::currentPath() : folder), name);
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return QString();
}

QString Project::lastSaveFolder()
{
    return readPathSetting(QStringLiteral("lastSaveDir"));
}

void Project::rememberSaveFolder(const QString &savedFile)
{
    writePathSetting(QStringLiteral("lastSaveDir"), QFileInfo(savedFile).absolutePath());
}

bool Project::save()
{
    d->lastError.clear();
    d->warnings.clear();
    // The network lives in its own file; a failure there must not cost the configuration.
    if (!isNetworkEmpty() && d->network->isChanged() && !exportNetwork()
        && !d->network->errorString().isEmpty())
        d->warnings << d->network->errorString();
    const QFileInfo file(d->fileName);
    if (file.exists()) {
        // Keep the previous version: the text from the last '.' on (unless that
        // '.' starts the name) becomes ".bak".
        const QString path = file.absoluteFilePath();
        QString backup = path;
        const int dot = backup.lastIndexOf(QLatin1Char('.'));
        const int nameStart = backup.lastIndexOf(QLatin1Char('/')) + 1;
        if (dot > nameStart)
            backup.truncate(dot);
        backup += QStringLiteral(".bak");
        // A document named x.bak is its own backup name: it gets no copy. The new
        // backup is written beside the old one and replaces it only when whole, so
        // a save stopped at any point leaves one complete backup. A failed copy
        // touches only the backup name, so the save goes on.
        if (backup != path) {
            QString reason;
            if (!copyWhole(path, backup, &reason)) {
                d->warnings << tr("The previous version was not kept: cannot copy it to %1: %2")
                                   .arg(QDir::toNativeSeparators(backup), reason);
            }
        }
    }
    return d->save();
}

bool Project::saveAsConverted(const QString &path)
{
    d->lastError.clear();
    // A failed save leaves the document where it was: Save, the title and the
    // crash record go on naming the file the user had, not the one refused.
    const QString fileName = d->fileName;
    const int type = d->type;
    const bool changed = d->changed;
    const auto restoreUnlessSaved = [&](bool saved) {
        if (!saved) {
            d->fileName = fileName;
            d->type = type;
            d->changed = changed;
        }
        return saved;
    };
    if (!path.isEmpty()) {
        d->fileName = path;
        return restoreUnlessSaved(d->save());
    }
    int newType = 0;
    const QString chosen = d->askSaveFile(true, &newType);
    if (chosen.isEmpty())
        return false;
    // A kind that cannot be written is refused before anything is converted.
    if (newType < 1) {
        d->lastError = ProjectPrivate::tr("Error saving file: unknown file type");
        return false;
    }
    if (!isNetworkEmpty() && newType != 1 && d->network->isChanged() && !exportNetwork()
        && !d->network->errorString().isEmpty())
        d->warnings << d->network->errorString();
    d->fileName = chosen;
    if (newType == d->type)
        return restoreUnlessSaved(d->save());
    // Once converted, the configuration is no longer of the old kind: a failed
    // save keeps the new name and kind, so that Save never writes the
    // converted configuration over the file it was opened from.
    FamilyConversion::changeType(d->controller, d->type, newType);
    d->type = newType;
    return d->save();
}

bool Project::saveAs(const QString &path)
{
    d->lastError.clear();
    const int type = d->type;
    const QString fileName = d->fileName;
    const bool changed = d->changed;
    if (path.isEmpty()) {
        int chosenType = 0;
        const QString chosen = d->askSaveFile(false, &chosenType);
        if (chosen.isEmpty())
            return false;
        d->fileName = chosen;
        d->type = chosenType;
    } else {
        d->fileName = path;
    }
    const bool saved = d->save();
    // A copy leaves the document as it was, unsaved changes included.
    d->type = type;
    d->fileName = fileName;
    d->changed = changed;
    return saved;
}

bool Project::exportNetwork()
{
    if (d->networkFileName.isEmpty()) {
        QString directory = Project::lastSaveFolder();
        if (directory.isEmpty() || !QDir(directory).exists())
            directory = QDir::currentPath();
        const QString filter = d->network ? tr("halm58 v.010 files (*.hm58a)") : QString();
        const QString chosen
            = QFileDialog::getSaveFileName(d->parent, tr("Select file"), directory, filter);
        if (chosen.isEmpty())
            return false;
        Project::rememberSaveFolder(chosen);
        d->networkFileName = chosen;
    }
    return d->network && d->network->save(d->networkFileName, true, false);
}

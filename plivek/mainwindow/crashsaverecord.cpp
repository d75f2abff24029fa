#include "crashsaverecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString group = QStringLiteral("CrashSave");
const QString fileKey = QStringLiteral("file");
const QString editedFileKey = QStringLiteral("editedFile");

// Paths are stored as UTF-8 bytes; a value stored as text is read as text.
QString pathValue(const QSettings &settings, const QString &key)
{
    const QVariant value = settings.value(key);
    if (value.type() == QVariant::ByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.toString();
}

void openGroup(QSettings &settings)
{
    settings.setIniCodec("UTF-8");
    settings.beginGroup(group);
}

} // namespace

QString CrashSaveRecord::copyPath(const QString &documentFile, qint64 processId)
{
    const QFileInfo named(documentFile.isEmpty() ? QStringLiteral("no_name.xcnf") : documentFile);
    return QDir::temp().filePath(named.baseName() + QLatin1Char('_') + QString::number(processId)
                                 + QLatin1Char('.') + named.suffix());
}

void CrashSaveRecord::recordCopy(const QString &copy, const QString &documentFile, QObject *parent)
{
    QSettings settings(parent);
    openGroup(settings);
    const QString older = pathValue(settings, fileKey);
    if (older != copy) {
        if (!older.isEmpty() && QFileInfo::exists(older))
            QFile::remove(older);
        settings.setValue(fileKey, copy.toUtf8());
    }
    if (!documentFile.isEmpty())
        settings.setValue(editedFileKey, documentFile.toUtf8());
    else if (settings.contains(editedFileKey))
        settings.remove(editedFileKey);
    settings.endGroup();
    // The process is about to end: the record must be on disk before the copy.
    settings.sync();
}

QString CrashSaveRecord::existingCopy()
{
    QSettings settings;
    openGroup(settings);
    const QString copy = pathValue(settings, fileKey);
    return !copy.isEmpty() && QFileInfo::exists(copy) ? copy : QString();
}

QString CrashSaveRecord::takeEditedFile()
{
    QSettings settings;
    openGroup(settings);
    if (!settings.contains(editedFileKey))
        return QString();
    const QString edited = pathValue(settings, editedFileKey);
    settings.remove(editedFileKey);
    return edited;
}

void CrashSaveRecord::discardCopy(const QString &copy)
{
    QFile::remove(copy);
    QSettings settings;
    openGroup(settings);
    settings.remove(fileKey);
}

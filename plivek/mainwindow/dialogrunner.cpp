#include "dialogrunner.h"

#include "cnf/cnfcontroller.h"
#include "common/widgets/contentfit.h"
#include "plivek/framework/uidataexchange.h"

#include <QByteArray>
#include <QDataStream>
#include <QDialog>
#include <QSettings>
#include <QSplitter>

namespace {

QString geometryKey(const QDialog *dialog)
{
    return QLatin1String("WindowsGeometry/") + QLatin1String(dialog->metaObject()->className());
}

// Stored value: geometry, the count of splitter records, then per splitter
// its object name (local 8-bit) and its state.
void restoreLayout(QDialog *dialog, const QByteArray &stored)
{
    QDataStream stream(stored);
    QByteArray geometry;
    qint32 count = 0;
    stream >> geometry >> count;
    if (!geometry.isEmpty())
        dialog->restoreGeometry(geometry);
    // Splitters without a name are matched by their order among the unnamed
    // ones, as they were stored, so that one never takes another's state.
    QList<QSplitter *> unnamed;
    for (QSplitter *splitter : dialog->findChildren<QSplitter *>()) {
        if (splitter->objectName().isEmpty())
            unnamed.append(splitter);
    }
    for (qint32 i = 0; i < count; ++i) {
        QByteArray name;
        QByteArray state;
        stream >> name >> state;
        // Data of an older or cut layout ends the records early.
        if (stream.status() != QDataStream::Ok)
            break;
        QSplitter *splitter = nullptr;
        if (name.isEmpty())
            splitter = unnamed.isEmpty() ? nullptr : unnamed.takeFirst();
        else
            splitter = dialog->findChild<QSplitter *>(QString::fromLocal8Bit(name));
        if (splitter)
            splitter->restoreState(state);
    }
}

QByteArray savedLayout(const QDialog *dialog)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    const QList<QSplitter *> splitters = dialog->findChildren<QSplitter *>();
    stream << dialog->saveGeometry() << qint32(splitters.size());
    for (const QSplitter *splitter : splitters)
        stream << splitter->objectName().toLocal8Bit() << splitter->saveState();
    return bytes;
}

// True when the stored value holds a geometry of its own.
bool holdsGeometry(const QByteArray &stored)
{
    QDataStream stream(stored);
    QByteArray geometry;
    stream >> geometry;
    return stream.status() == QDataStream::Ok && !geometry.isEmpty();
}

} // namespace

int execWithSavedGeometry(QDialog *dialog)
{
    const QString key = geometryKey(dialog);
    QSettings settings;
    const QByteArray stored = settings.value(key).toByteArray();
    // The first time, the form's size may be smaller than what its content
    // asks for; afterwards the size the user left wins.
    if (!holdsGeometry(stored))
        growToContent(dialog);
    if (!stored.isEmpty())
        restoreLayout(dialog, stored);
    const int result = dialog->exec();
    settings.setValue(key, savedLayout(dialog));
    return result;
}

bool execWithNativeKeys(UiDataExchange *dialog, CnfController &controller, const char *const *keys)
{
    loadNativeKeys(dialog, controller, keys);
    if (execWithSavedGeometry(dialog) != QDialog::Accepted)
        return false;
    storeNativeKeys(dialog, controller, keys);
    return true;
}

QVariantMap loadNativeKeys(UiDataExchange *dialog, const CnfController &controller,
                           const char *const *keys)
{
    for (const char *const *key = keys; *key; ++key)
        dialog->setWidgetValue(QLatin1String(*key), controller.getNativeData(QLatin1String(*key)));
    return dialog->widgetValues(keys);
}

void storeNativeKeys(const UiDataExchange *dialog, CnfController &controller,
                     const char *const *keys)
{
    for (const char *const *key = keys; *key; ++key)
        controller.setNativeData(QLatin1String(*key), dialog->widgetValue(QLatin1String(*key)));
}

void storeChangedNativeKeys(const UiDataExchange *dialog, CnfController &controller,
                            const char *const *keys, const QVariantMap &shown)
{
    for (const char *const *key = keys; *key; ++key) {
        const QString name = QLatin1String(*key);
        const QVariant value = dialog->widgetValue(name);
        if (value != shown.value(name))
            controller.setNativeData(name, value);
    }
}

#pragma once

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "documentfixtures.h"
#include "nativejson.h"
#include "plivek/mainwindow/mainwindow.h"
#include "testdata.h"
#include "windowtesting.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

// Detectors, sensors and a TIVERK II document for the tests of the detector,
// outputs and matrices tables.
namespace ElementFixtures {

inline CnfDetectorPtr addElement(CnfController &controller, bool sensor, int id,
                                 const QString &name = QString())
{
    auto element = CnfDetectorPtr::create();
    element->setId(id);
    element->setName(name);
    if (sensor)
        controller.addSensor(element);
    else
        controller.addDetector(element);
    return element;
}

inline QList<int> ids(const QList<CnfDetectorPtr> &elements)
{
    QList<int> result;
    for (const CnfDetectorPtr &element : elements)
        result << element->id();
    return result;
}

// "modules" and "inputsOutputs" of the native data, as compact JSON.
inline QByteArray places(const CnfController &controller)
{
    return NativeJson::text(QVariantMap {
        { "modules", controller.getNativeData(QStringLiteral("modules")) },
        { "inputsOutputs", controller.getNativeData(QStringLiteral("inputsOutputs")) } });
}

inline void setPlaces(CnfController &controller, const QByteArray &json)
{
    const QVariantMap root = NativeJson::map(json);
    controller.setNativeData(QStringLiteral("modules"), root.value(QStringLiteral("modules")));
    controller.setNativeData(QStringLiteral("inputsOutputs"),
                             root.value(QStringLiteral("inputsOutputs")));
}

// Loads a document of the family (number 12, signal groups 1 and 2, empty
// network) into the window; the tests add their elements afterwards.
inline bool loadDocument(MainWindow &window, const QTemporaryDir &dir,
                         const QString &type = QStringLiteral("tiverkii"))
{
    CnfController controller;
    DocumentFixtures::initController(controller, type, QString(), 12, { 1, 2 });
    const QString path = dir.filePath(QStringLiteral("elements.xcnf"));
    if (!DocumentFixtures::writeContainer(path, controller, QByteArray()))
        return false;
    window.loadDocument(path);
    return window.document().controller().property("type").toString() == type;
}

// Selects the row whose id (column 0) is the given one; false when there is none.
inline bool selectRowOfId(QTableWidget *table, int id)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (WindowTesting::cellText(table, row, 0) == QString::number(id)) {
            table->clearSelection();
            table->item(row, 0)->setSelected(true);
            return true;
        }
    }
    return false;
}

// The value with the member at `path` (object keys and array positions)
// replaced, or removed when the replacement is undefined.
inline QJsonValue changedAt(const QJsonValue &value, QStringList path,
                            const QJsonValue &replacement = QJsonValue::Undefined)
{
    const QString step = path.takeFirst();
    if (value.isArray()) {
        QJsonArray array = value.toArray();
        const int index = step.toInt();
        const QJsonValue changed
            = path.isEmpty() ? replacement : changedAt(array.at(index), path, replacement);
        if (changed.isUndefined())
            array.removeAt(index);
        else
            array[index] = changed;
        return array;
    }
    QJsonObject object = value.toObject();
    const QJsonValue changed
        = path.isEmpty() ? replacement : changedAt(object.value(step), path, replacement);
    if (changed.isUndefined())
        object.remove(step);
    else
        object[step] = changed;
    return object;
}

// The ZU_MOLT sample copied into the folder, opened, edited (when an edit is
// given; false when it could not be made), marked changed and saved; the
// saved file as JSON, undefined on a failure.
inline QJsonValue savedZuMoltSample(const QTemporaryDir &dir,
                                    const std::function<bool(MainWindow &)> &edit)
{
    const QString path = dir.filePath(QStringLiteral("zumolt_sample.json"));
    QFile::remove(path);
    QFile::copy(TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    MainWindow window;
    window.loadDocument(path);
    if (!window.document().lastError().isEmpty() || (edit && !edit(window)))
        return QJsonValue::Undefined;
    window.setChanged(true);
    WindowTesting::child<QAction>(window, "actionSave")->trigger();
    if (!WindowTesting::messageTexts(window).contains(QStringLiteral("Saving complete")))
        return QJsonValue::Undefined;
    return QJsonDocument::fromJson(TestSupport::readFile(path)).object();
}

} // namespace ElementFixtures

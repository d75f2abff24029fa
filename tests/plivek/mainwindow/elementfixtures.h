#pragma once

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "documentfixtures.h"
#include "halm58a/detector.h"
#include "halm58a/network.h"
#include "modalanswerer.h"
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

// The TIVERK 3.18 sample with its road network copied into the folder and
// opened, its detectors table filled (the window fills it for TIVERK II and
// ZU_MOLT only); the copy's path, empty when it did not load.
inline QString loadTiverkNetworkSample(MainWindow &window, const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("tiverk318.xcnf"));
    QFile::remove(path);
    QFile::copy(TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.xcnf")), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    window.loadDocument(path);
    if (!window.document().lastError().isEmpty() || !window.document().network())
        return QString();
    window.updateDetectorsTables();
    return path;
}

// Saves the sample loaded by loadTiverkNetworkSample and opens the saved
// file in `reopened`; false when either failed. A changed network is offered
// a file of its own too, which is declined: the container holds it anyway.
inline bool saveAndReopenSample(MainWindow &window, const QString &path, MainWindow &reopened)
{
    ModalAnswerer networkFile;
    networkFile.reject();
    WindowTesting::child<QAction>(window, "actionSave")->trigger();
    if (!WindowTesting::messageTexts(window).contains(QStringLiteral("Saving complete")))
        return false;
    reopened.loadDocument(path);
    return reopened.document().lastError().isEmpty();
}

// The controller detectors that the map's detectors stand for, in the
// network's order (0: none).
inline QList<int> mapDetectorIds(MainWindow &window)
{
    QList<int> ids;
    if (const Halm58a::Network *network = window.document().network()) {
        const auto detectors = network->findChildren<Halm58a::Detector *>();
        for (const Halm58a::Detector *detector : detectors)
            ids << detector->tlId();
    }
    return ids;
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

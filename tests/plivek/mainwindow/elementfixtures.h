#pragma once

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "documentfixtures.h"
#include "nativejson.h"
#include "plivek/mainwindow/mainwindow.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

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

} // namespace ElementFixtures

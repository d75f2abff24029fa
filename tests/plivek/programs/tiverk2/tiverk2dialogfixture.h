#pragma once

#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfprogram.h"
#include "common/widgets/parameterstable.h"
#include "testdata.h"

#include <QObject>
#include <QStringList>
#include <QWidget>

// What the TIVERK II program dialog's tests share: the example intersection
// (signal groups 1, 2 traffic and 3, 4 pedestrian; phases "1" and "2";
// detector 1 "Harbour loop"; sensor 1 "Bridge button"; programs 1 timer,
// 2 timeline, 3 flash) and a main window stand-in that collects errors.
namespace Tiverk2Fixture {

inline bool loadExample(CnfController &controller)
{
    const CnfNativePtr native = CnfNative::loadNativeConfig(
        TestSupport::examplesPath(QStringLiteral("tiverkii_intersection.json")));
    return native && native->createController(controller);
}

template<typename T> T *child(QObject &dialog, const char *name)
{
    return dialog.findChild<T *>(QLatin1String(name));
}

inline ParametersTable *table(QObject &dialog, const char *name)
{
    return child<ParametersTable>(dialog, name);
}

// A program of the controller that is not in its list.
inline CnfProgramPtr unlistedProgram(CnfController &controller, const QString &id, int type)
{
    auto program = CnfProgramPtr::create(&controller);
    program->id = id;
    program->type = type;
    return program;
}

// A main window stand-in that lists the errors reported to it.
class ErrorWindow : public QWidget
{
    Q_OBJECT
public slots:
    void printError(const QString &text) { errors << text; }

public:
    QStringList errors;
};

} // namespace Tiverk2Fixture

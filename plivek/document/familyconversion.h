#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class CnfController;
class QWidget;

// The rules that bring a configuration into the shape of the file kind it is
// written as (file-type index as in project.h: 2 native, 3 adapter, 4 TIVERK
// II, 5 ZU_MOLT). Every change is made in the given configuration and stays
// there; only the adapter save undoes its changes when writing fails.
class FamilyConversion
{
    Q_DECLARE_TR_FUNCTIONS(ProjectPrivate)
public:
    // Writes the configuration as an adapter configuration. Another family is
    // converted after the user agrees (the question gets the parent); false
    // with an empty error when the user declines, false with the error (and
    // the configuration as it was) when writing fails. The programs' records
    // go into the adapter's layout (CnfProgramRecord::converted) and stay so
    // once written; a start delay that the adapter has no place for is told
    // in `warnings` (DroppedValues::startDelay) once the file is written.
    static bool saveAsAdapter(CnfController &controller, const QString &fileName, QWidget *parent,
                              QString &error, QStringList *warnings = nullptr);

    // Makes sure that the native "controlSources" hold what a TIVERK II
    // controller needs: the JsonRPC and JsConsole sources above all others in
    // priority, and the emergency source. Existing sources are reused.
    static void completeTiverkII(CnfController &controller);
    // Makes sure that a ZU_MOLT configuration has an emergency and a scheduler source.
    static void completeZuMolt(CnfController &controller);

    // Switches the configuration from one file type to another. The native
    // data is rebuilt for the new family; a change into the container or to a
    // type without family keeps it.
    static void changeType(CnfController &controller, int fromType, int toType);

private:
    // The native values a first-line, adapter or container configuration gets
    // as TIVERK II; power devices, programs and matrices are changed in place.
    static QVariantMap tiverkIITree(CnfController &controller, int fromType);
};

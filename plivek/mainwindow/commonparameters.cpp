#include "commonparameters.h"

#include "mainwindowtexts.h"
#include "powerpart.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramrecord.h"
#include "cnf/cnftiverklayout.h"
#include "cnf/vobject.h"
#include "plivek/document/droppedvalues.h"
#include "plivek/framework/uidataexchange.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// Every program longer than three bytes converted from the old version's record
// layout to the new one's and stored again, all or none: when the controller
// refuses a converted record, every program gets its old record back, one
// message names the refused programs and false comes back. One warning names
// the programs that lost a start delay the new version has no place for.
bool convertPrograms(CnfController &controller, const QString &oldVersion, const QString &version,
                     const CommonParameters::Log &log)
{
    const CnfProgramRecord::Format from { oldVersion };
    const CnfProgramRecord::Format to { version };
    log(MainWindowTexts::tr("Converting program"), QtDebugMsg, true);
    QList<QPair<CnfProgramPtr, QByteArray>> converted;
    QStringList refused;
    QStringList delayDropped;
    QString reason;
    for (const CnfProgramPtr &program : controller.programs()) {
        const QByteArray old = program->data();
        bool dropped = false;
        const QByteArray data = CnfProgramRecord::converted(old, from, to, &dropped);
        if (data == old)
            continue;
        if (!controller.setProgramRawData(program, data)) {
            refused << program->id;
            if (reason.isEmpty())
                reason = controller.lastError();
            continue;
        }
        converted.append({ program, old });
        if (dropped)
            delayDropped << program->id;
    }
    if (!refused.isEmpty()) {
        // The old records go back under the old version, whose sizes they fit.
        controller.setProperty("version", oldVersion);
        for (const auto &done : qAsConst(converted)) {
            if (!controller.setProgramRawData(done.first, done.second))
                done.first->setData(done.second);
        }
        log(MainWindowTexts::tr(
                "The configuration stays at its version: programs %1 cannot be converted to "
                "version %2 (%3)")
                .arg(refused.join(QLatin1Char(',')), version, reason),
            QtWarningMsg, true);
        return false;
    }
    if (!delayDropped.isEmpty())
        log(DroppedValues::startDelay(to, delayDropped), QtWarningMsg, true);
    log(MainWindowTexts::tr("Converting program complete"), QtDebugMsg, false);
    return true;
}

// Versions 3.17 and 3.18 keep the row "Silent devices" at index 4 of
// "errorControl", before "Other"; older versions have no such row.
bool hasSilentDevicesRow(const QString &version)
{
    return version == QLatin1String("3.17") || version == QLatin1String("3.18");
}

// Whether an error-control row holds a setting: any value but 255 ("not set").
bool isSet(const QVariant &row)
{
    const QVariantList values = row.toList();
    return std::any_of(values.cbegin(), values.cend(), [](const QVariant &value) {
        bool ok = false;
        return value.toInt(&ok) != 255 || !ok;
    });
}

// The error-control rows moved into the new version's order: the row goes in
// unset, or out, where a list reaches "Other"; a set row that goes out is told.
void convertErrorControl(CnfController &controller, const QString &oldVersion,
                         const QString &newVersion, const CommonParameters::Log &log)
{
    const int silentDevices = 4;
    const bool had = hasSilentDevicesRow(oldVersion);
    const bool has = hasSilentDevicesRow(newVersion);
    if (had == has)
        return;
    const QString key = QStringLiteral("errorControl");
    QVariantList errorControl = controller.getNativeData(key).toList();
    if (errorControl.size() <= silentDevices)
        return;
    if (has) {
        errorControl.insert(silentDevices, QVariantList { 255, 255 });
    } else {
        if (isSet(errorControl.at(silentDevices)))
            log(DroppedValues::silentDevicesRow(newVersion), QtWarningMsg, true);
        errorControl.removeAt(silentDevices);
    }
    controller.setNativeData(key, errorControl);
}

} // namespace

bool CommonParameters::convertVersion(CnfController &controller, const QString &oldVersion,
                                      const QString &newVersion, const Log &log)
{
    controller.setProperty("version", newVersion);
    // Records convert when their layouts differ: into or out of 3.17 always,
    // between other versions when a record holds a field only one of them has.
    bool needed = CnfTiverkLayout::hasReservedByte(oldVersion, false)
        != CnfTiverkLayout::hasReservedByte(newVersion, false);
    for (const CnfProgramPtr &program : controller.programs()) {
        if (needed)
            break;
        needed = CnfProgramRecord::converted(program->data(), { oldVersion }, { newVersion })
            != program->data();
    }
    if (needed && !convertPrograms(controller, oldVersion, newVersion, log))
        return false; // the version and every record are back as they were

    bool removed = false;
    if (newVersion == QLatin1String("3.14")) {
        for (const CnfProgramPtr &program : controller.programs()) {
            if (program->type != CnfProgram::Tiverk || program->kind < 9)
                continue;
            log(MainWindowTexts::tr("Program type %1 (%2) not supportet in version 3.14")
                    .arg(program->id, CnfProgram::tiverkTypeName(program->kind, newVersion, true)),
                QtWarningMsg, true);
            // As a delete from the table: the panel's buttons lose it too.
            controller.removeProgram(program->id);
            removed = true;
        }
    }
    convertErrorControl(controller, oldVersion, newVersion, log);
    return removed;
}

int CommonParameters::excessKeyDevices(CnfController &controller, const QVariant &powerSwitch)
{
    const PowerPart part(controller);
    return part.countKeyDevices() - part.maxPowerDeviceCount(powerSwitch);
}

QVariant CommonParameters::loadSignalModules(UiDataExchange &dialog,
                                             const CnfController &controller)
{
    const VObject modules = controller.nativeData()["modules"];
    const VObject signal = modules["Signal"];
    if (signal.isNull()) {
        dialog.setWidgetValue(QStringLiteral("mfu_signal"), false);
        dialog.setWidgetValue(QStringLiteral("mfu_signal2"), false);
        return QVariant();
    }
    dialog.setWidgetValue(QStringLiteral("mfu_signal"), true);
    dialog.setWidgetValue(QStringLiteral("mfu_signal_port"), signal["port"].toVariant());
    const VObject signal2 = modules["Signal2"];
    if (signal2.isNull()) {
        dialog.setWidgetValue(QStringLiteral("mfu_signal2"), false);
        return QVariant();
    }
    dialog.setWidgetValue(QStringLiteral("mfu_signal2"), true);
    dialog.setWidgetValue(QStringLiteral("mfu_signal2_port"),
                          signal2["port"]["portName"].toVariant());
    dialog.setWidgetValue(QStringLiteral("mfu_signal2_port_speed"),
                          signal2["port"]["baudRate"].toVariant());
    return signal2["controlSource"].toVariant();
}

bool CommonParameters::storeSignalModules(const UiDataExchange &dialog, CnfController &controller,
                                          const QVariant &controlSource)
{
    VObject modules = controller.nativeData()["modules"];
    const bool had = !modules["Signal"].isNull();
    const bool wanted = dialog.widgetValue(QStringLiteral("mfu_signal")).toBool();
    if (!wanted && had) {
        modules.remove(QStringLiteral("Signal"));
        modules.remove(QStringLiteral("Signal2"));
    }
    if (wanted)
        modules["Signal"]["port"] = dialog.widgetValue(QStringLiteral("mfu_signal_port"));
    if (!dialog.widgetValue(QStringLiteral("mfu_signal2")).toBool()) {
        modules.remove(QStringLiteral("Signal2"));
    } else {
        VObject signal2 = modules["Signal2"];
        signal2["controlSource"]
            = controlSource.isValid() ? controlSource : QVariant(QStringLiteral("emergency"));
        signal2["port"]["portName"] = dialog.widgetValue(QStringLiteral("mfu_signal2_port"));
        signal2["port"]["baudRate"] = dialog.widgetValue(QStringLiteral("mfu_signal2_port_speed"));
    }
    return wanted != had;
}

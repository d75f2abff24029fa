#include "commonparameters.h"

#include "mainwindowtexts.h"
#include "powerpart.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfprogram.h"
#include "cnf/vobject.h"
#include "plivek/framework/uidataexchange.h"

#include <QCoreApplication>

namespace {

// Every program longer than three bytes, changed at byte 3 and stored again;
// a refused program is reported and the others still go on.
void convertPrograms(CnfController &controller, const std::function<void(QByteArray &)> &change,
                     const CommonParameters::Log &log)
{
    log(MainWindowTexts::tr("Converting program"), QtDebugMsg, true);
    for (const CnfProgramPtr &program : controller.programs()) {
        QByteArray data = program->data();
        if (data.size() <= 3)
            continue;
        change(data);
        if (!controller.setProgramRawData(program, data))
            log(controller.lastError(), QtWarningMsg, true);
    }
    log(MainWindowTexts::tr("Converting program complete"), QtDebugMsg, false);
}

} // namespace

bool CommonParameters::convertVersion(CnfController &controller, const QString &oldVersion,
                                      const QString &newVersion, const Log &log)
{
    controller.setProperty("version", newVersion);
    bool removed = false;
    if (newVersion == QLatin1String("3.14")) {
        for (const CnfProgramPtr &program : controller.programs()) {
            if (program->type != CnfProgram::Tiverk || program->kind < 9)
                continue;
            log(MainWindowTexts::tr("Program type %1 (%2) not supportet in version 3.14")
                    .arg(program->id, CnfProgram::tiverkTypeName(program->kind, newVersion, true)),
                QtWarningMsg, true);
            controller.removeProgram(program->id);
            removed = true;
        }
    }
    const QString errorKey = QStringLiteral("errorControl");
    if (oldVersion == QLatin1String("3.17") && newVersion != QLatin1String("3.18")) {
        convertPrograms(controller, [](QByteArray &data) { data.remove(3, 1); }, log);
        QVariantList errorControl = controller.getNativeData(errorKey).toList();
        if (errorControl.size() > 5) {
            errorControl.removeAt(4);
            controller.setNativeData(errorKey, errorControl);
        }
    } else if (newVersion == QLatin1String("3.17")) {
        convertPrograms(controller, [](QByteArray &data) { data.insert(3, char(0xFF)); }, log);
        QVariantList errorControl = controller.getNativeData(errorKey).toList();
        if (errorControl.size() >= 5) {
            errorControl.insert(4, QVariantList{255, 255});
            controller.setNativeData(errorKey, errorControl);
        }
    }
    return removed;
}

int CommonParameters::excessKeyDevices(CnfController &controller, const QVariant &powerSwitch)
{
    const PowerPart part(controller);
    return part.countKeyDevices() - part.maxPowerDeviceCount(powerSwitch);
}

QVariant CommonParameters::loadSignalModules(UiDataExchange &dialog, const CnfController &controller)
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
    dialog.setWidgetValue(QStringLiteral("mfu_signal2_port"), signal2["port"]["portName"].toVariant());
    dialog.setWidgetValue(QStringLiteral("mfu_signal2_port_speed"), signal2["port"]["baudRate"].toVariant());
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
        signal2["controlSource"] = controlSource.isValid() ? controlSource : QVariant(QStringLiteral("emergency"));
        signal2["port"]["portName"] = dialog.widgetValue(QStringLiteral("mfu_signal2_port"));
        signal2["port"]["baudRate"] = dialog.widgetValue(QStringLiteral("mfu_signal2_port_speed"));
    }
    return wanted != had;
}

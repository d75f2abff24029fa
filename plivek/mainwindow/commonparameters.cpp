#include "commonparameters.h"

#include "mainwindowtexts.h"
#include "powerpart.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramrecord.h"
#include "cnf/cnftiverklayout.h"
#include "cnf/vobject.h"
#include "plivek/framework/uidataexchange.h"

#include <QCoreApplication>

namespace {

const char ReservedByte = char(0xFF);

// Every program longer than three bytes changed and stored again, all or none:
// when the controller refuses a converted record, every program gets its old
// record back, one message names the refused programs and false comes back.
bool convertPrograms(CnfController &controller, const QString &oldVersion, const QString &version,
                     const std::function<void(QByteArray &)> &change,
                     const CommonParameters::Log &log)
{
    log(MainWindowTexts::tr("Converting program"), QtDebugMsg, true);
    QList<QPair<CnfProgramPtr, QByteArray>> converted;
    QStringList refused;
    QString reason;
    for (const CnfProgramPtr &program : controller.programs()) {
        const QByteArray old = program->data();
        if (old.size() <= 3)
            continue;
        QByteArray data = old;
        change(data);
        if (data == old)
            continue;
        if (!controller.setProgramRawData(program, data)) {
            refused << program->id;
            if (reason.isEmpty())
                reason = controller.lastError();
            continue;
        }
        converted.append({ program, old });
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
    log(MainWindowTexts::tr("Converting program complete"), QtDebugMsg, false);
    return true;
}

} // namespace

bool CommonParameters::convertVersion(CnfController &controller, const QString &oldVersion,
                                      const QString &newVersion, const Log &log)
{
    const QString v317 = QStringLiteral("3.17");
    controller.setProperty("version", newVersion);
    // Version 3.17 keeps one byte more at index 3 of every record whose kind has
    // a variant, behind it. Leaving it removes that byte where entering it put it
    // (0xFF) or where the record would not fit the new version otherwise; a byte
    // 3 of other records is their data and stays. Kinds without a variant (an
    // all-red program's word of duration at bytes 2 and 3) keep their bytes.
    // Fields that only one of the two versions has (the start delay of a
    // coordinated program from 3.17 on) go out, or come in unset, at their
    // places, and a record of the old version's full size keeps the new one's.
    const bool leaving317 = oldVersion == v317 && newVersion != v317;
    const bool entering317 = newVersion == v317 && oldVersion != v317;
    const int oldSize = CnfTiverkLayout::programRecordSize(oldVersion);
    const int newSize = controller.programRecordSize();
    const QDomDocument oldLayout = CnfTiverkLayout::document(oldVersion, false);
    const QDomDocument layout = controller.tiverkLayout();
    const auto change = [&](QByteArray &data) {
        const bool full = data.size() == oldSize;
        data = CnfProgramRecord::withoutFieldsMissingIn(oldLayout, layout, data);
        if (leaving317 && CnfProgramRecord::hasVariant(layout, data)
            && (data.at(3) == ReservedByte || data.size() > newSize))
            data.remove(3, 1);
        if (entering317 && CnfProgramRecord::hasVariant(layout, data))
            data.insert(3, ReservedByte);
        data = CnfProgramRecord::withFieldsMissingIn(oldLayout, layout, data);
        if (full && data.size() < newSize)
            data.append(QByteArray(newSize - data.size(), ReservedByte));
        else if (full && data.size() > newSize
                 && data.mid(newSize).count(ReservedByte) == data.size() - newSize)
            data.truncate(newSize);
    };
    bool needed = leaving317 || entering317;
    for (const CnfProgramPtr &program : controller.programs()) {
        QByteArray data = program->data();
        if (needed || data.size() <= 3)
            continue;
        change(data);
        needed = data != program->data();
    }
    const bool converted
        = !needed || convertPrograms(controller, oldVersion, newVersion, change, log);
    if (!converted)
        return false; // the version and every record are back as they were

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
    if (oldVersion == v317 && newVersion != QLatin1String("3.18")) {
        QVariantList errorControl = controller.getNativeData(errorKey).toList();
        if (errorControl.size() > 5) {
            errorControl.removeAt(4);
            controller.setNativeData(errorKey, errorControl);
        }
    } else if (newVersion == v317 && oldVersion != v317) {
        QVariantList errorControl = controller.getNativeData(errorKey).toList();
        if (errorControl.size() >= 5) {
            errorControl.insert(4, QVariantList { 255, 255 });
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

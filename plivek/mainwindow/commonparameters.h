#pragma once

#include <QString>
#include <QVariant>
#include <QtGlobal>

#include <functional>

class CnfController;
class UiDataExchange;

// The data work behind the common-parameters command that needs no window:
// the conversion of a TIVERK configuration to another version, the power
// switch check and the TIVERK II signal modules.
class CommonParameters
{
public:
    // Message sink: text, level, whether an error pops up.
    using Log = std::function<void(const QString &text, QtMsgType level, bool popup)>;

    // Sets "version" and converts the programs and "errorControl": every
    // record longer than three bytes into the new version's layout
    // (CnfProgramRecord::converted: the byte 3.17 keeps behind the variant, the
    // start delay of coordinated programs from 3.17 on; one warning names the
    // programs whose start delay was dropped); "errorControl" gains or loses
    // the row "Silent devices" (entry 4) that only 3.17 and 3.18 keep (a
    // warning when the lost row was set); for
    // "3.14" programs of kinds 9 and up go (each reported). The records
    // convert all or none: when the controller refuses one, the version and
    // every record stay and one message names the programs. True when
    // programs were removed.
    static bool convertVersion(CnfController &controller, const QString &oldVersion,
                               const QString &newVersion, const Log &log);

    // How many key devices are too many under the new "powerSwitch" value;
    // 0 or less when they fit.
    static int excessKeyDevices(CnfController &controller, const QVariant &powerSwitch);

    // TIVERK II: the signal modules into the dialog ("mfu_signal", its port,
    // "mfu_signal2", its port and speed); the control source of "Signal2"
    // comes back for storing.
    static QVariant loadSignalModules(UiDataExchange &dialog, const CnfController &controller);
    // TIVERK II: the dialog's signal modules into "modules" ("emergency" as the
    // control source of a "Signal2" that had none). True when "Signal"
    // appeared or vanished.
    static bool storeSignalModules(const UiDataExchange &dialog, CnfController &controller,
                                   const QVariant &controlSource);
};

#pragma once

#include <QString>

// The object-name prefixes of zumoltc, one per kind: new objects are named prefix +
// number, and pages keep a name equal to prefix + id. They are held once for the
// whole process; main loads them from the settings (group "Prefixes") before the
// main window exists, and the settings dialog replaces and stores them.
namespace Prefixes {

// In the order of the settings dialog's rows.
enum Kind {
    SignalGroup,
    Stage,
    Matrix,
    Detector,
    Sensor,
    SignalPlan,
    DayPlan,
    WeekPlan,
    ExtraPeriod,
    ExtraDay,
    ControlSource,
    Switch,
    Count
};

// The prefix in use; the default until loadPrefixes or setPrefix gives another.
QString prefix(Kind kind);
void setPrefix(Kind kind, const QString &prefix);

// The settings key of kind inside group "Prefixes" (e.g. "sgBaseName").
QString key(Kind kind);
// The default prefix of kind, translated in the language of the moment ("K." never).
QString defaultPrefix(Kind kind);

} // namespace Prefixes

// Every prefix from the settings: its default when restoreDefaults is set or its key
// is absent, else the stored text (a stored empty prefix stays empty).
void loadPrefixes(bool restoreDefaults);
// Stores all twelve prefixes in use, empty ones too.
void savePrefixes();

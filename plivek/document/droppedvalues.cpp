#include "droppedvalues.h"

QString DroppedValues::startDelay(const CnfProgramRecord::Format &to, const QStringList &programs)
{
    const QString ids = programs.join(QLatin1Char(','));
    if (to.adapter) {
        return programs.size() == 1
            ? tr("The adapter has no start delay: the start delay of program %1 was dropped")
                  .arg(ids)
            : tr("The adapter has no start delay: the start delay of programs %1 was dropped")
                  .arg(ids);
    }
    return programs.size() == 1
        ? tr("Version %1 has no start delay: the start delay of program %2 was dropped")
              .arg(to.version, ids)
        : tr("Version %1 has no start delay: the start delay of programs %2 was dropped")
              .arg(to.version, ids);
}

QString DroppedValues::silentDevicesRow(const QString &version)
{
    return tr("Version %1 has no error control row \"Silent devices\": the setting of that row "
              "was dropped")
        .arg(version);
}

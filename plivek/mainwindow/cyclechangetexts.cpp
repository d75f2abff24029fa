#include "cyclechangetexts.h"

#include "mainwindowtexts.h"

CycleChangeTexts CycleChangeTexts::of(const QList<CnfProgramCycles::Change> &changes)
{
    CycleChangeTexts texts;
    for (const CnfProgramCycles::Change &change : changes) {
        if (change.kept)
            texts.kept << MainWindowTexts::tr("%1 (%2 s)").arg(change.program).arg(change.before);
        else
            texts.changed << MainWindowTexts::tr("%1 (%2 s -> %3 s)")
                                 .arg(change.program)
                                 .arg(change.before)
                                 .arg(change.after);
    }
    return texts;
}

#pragma once

#include "cnf/cnffwd.h"

#include <QDialog>
#include <QHash>
#include <QVariantList>

class CheckBoxDelegate;
class CnfController;
class ComboBoxDelegate;
class DialogItemValidator;
class QAbstractItemDelegate;
class QTableWidgetItem;
class TimelineItemDelegate;
namespace Ui {
class ProgramDlgZU_MOLT;
}

// One signal program of a ZU_MOLT controller, edited in plivek when zumoltc is
// not used. The dialog works on a program of its own (a clone of the given
// one, or a new one with the first free number); after Accepted the caller
// adds program() or clones it into the stored program. What is edited follows
// the type: nothing more for types 0-2, the signal-group timelines for 8 and 9
// (9 with cycle length and offset), the steps and detector events for 10.
// Steps added, removed or given another phase reach the program at once; the
// rest only on OK. Steps are shown and named by the ids the file gives them
// (ZU_MOLTConfig::stepIds), which need not be their positions. Remove step
// first stores what the tables show, then takes the steps out of the program
// by the format's rule (ZU_MOLTConfig::removeSteps: a removed step takes what
// named it along, and the other steps keep their ids) and fills the tables
// again from the program, so that they show what the rule did. A value left
// as it was shown keeps the program's own value (one the tables cannot show
// included), so that OK without a change stores the program as it came;
// isModified() tells the caller whether OK changed anything. The controller is
// not owned.
class ProgramDlgZU_MOLT : public QDialog
{
    Q_OBJECT
public:
    // Rows of the step table (type 10), one column per step.
    enum StepRow {
        PhaseRow,
        RecallRow,
        PassageRow,
        CallRow,
        MinGreenRow,
        MaxGreenRow,
        CountdownRow,
        StepRowCount
    };
    // Rows of the event table (type 10), one column per event.
    enum EventRow {
        EventStepRow,
        CalledStepRow,
        ControlRow,
        RedirectRow,
        DetectorRow,
        IndicatorRow,
        EventRowCount
    };

    ProgramDlgZU_MOLT(QWidget *parent, const CnfProgramPtr &program, CnfController *controller);
    ~ProgramDlgZU_MOLT() override;

    CnfProgramPtr program() const { return edited; }
    // After Accepted: false when the user changed nothing, the program is then
    // the given one unchanged.
    bool isModified() const { return modified; }

public slots:
    void accept() override;

private slots:
    void on_type_currentIndexChanged(int index);
    void addStep();
    void removeStep();
    void addEvent();
    void removeEvent();
    void on_dataTable_itemChanged(QTableWidgetItem *item);
    void on_dataTable_customContextMenuRequested(const QPoint &pos);
    void on_dtTable_customContextMenuRequested(const QPoint &pos);

private:
    int currentType() const;
    void fillTimelines();
    void fillSteps();
    void fillEvents();
    void fillStepColumn(int column, const CnfPhaseDefPtr &step);
    void updateStepNumbers();
    void storeTimelines(bool asShown);
    void storeSteps(bool asShown);
    void storeEvents(bool asShown);
    void storeCoordination(bool asShown);
    QVariantList coordinationState() const;

    Ui::ProgramDlgZU_MOLT *ui;
    CnfController *controller;
    CnfProgramPtr edited;
    DialogItemValidator *validator;
    QAbstractItemDelegate *defaultDelegate;
    ComboBoxDelegate *phaseDelegate;
    ComboBoxDelegate *countdownDelegate;
    ComboBoxDelegate *recallDelegate;
    ComboBoxDelegate *detectorDelegate;
    CheckBoxDelegate *checkDelegate;
    ComboBoxDelegate *stepNumberDelegate;
    TimelineItemDelegate *timelineDelegate;

    // What the tables and the coordination box showed when they were last
    // filled from the program; steps by their object, since steps can be
    // added and removed.
    QHash<const CnfPhaseDef *, QVariantList> shownSteps;
    QVariantList shownTable;
    // One per column of the event table: the program's entry it was filled
    // from (invalid for a new event) and the cells as shown then.
    struct EventColumn
    {
        QVariant entry;
        QVariantList shown;
    };
    QList<EventColumn> eventColumns;
    // Events added or removed since the table was filled.
    bool eventsChanged = false;
    QVariantList shownCoordination;
    bool modified = false;
};

#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class ComboBoxDelegate;
class DialogItemValidator;
class IntEdit;
class QAbstractButton;
class QCheckBox;
class QTableWidgetItem;
class ZUBaseObject;
class ZUConfiguration;
class ZUSignalGroup;
class ZUSignalPlan;

namespace Ui {
class SignalPlanWidget;
}

// The page of one signal plan: id, name and algorithm type above one sub-page
// per type. A timeline plan is edited as a table of "state|seconds" intervals,
// one row per signal group, with a bar chart below it; a stage-ring plan as a
// table of steps (columns) and a table of call sources; a special plan by its
// mode. Choosing a type loads that sub-page from the stored plan, so what was
// typed on another sub-page is dropped; Apply writes the sub-page of the chosen
// type only, and the plan keeps the data of its other types. A selection of
// several plans shows the page empty and disabled.
//
// Steps are referred to by their step number (column + 1) on the page; the plan
// is stored with its phases numbered 1..N in step order.
//
// Defined over signalplanwidget.cpp (id, name, type, Apply),
// signalplanwidgettimeline.cpp and signalplanwidgetstagering.cpp.
class SignalPlanWidget : public QWidget
{
    Q_OBJECT
public:
    // Rows of the step table and of the call-source table.
    enum StepRow {
        StageRow,
        RecallRow,
        PassageRow,
        ActivateRow,
        MinGreenRow,
        MaxGreenRow,
        CountdownRow
    };
    enum SourceRow {
        OnStepRow,
        SourceDetectorRow,
        ProlongationRow,
        SourceActivateRow,
        DeactivateRow,
        IndicatorRow
    };

    explicit SignalPlanWidget(QWidget *parent = nullptr);
    ~SignalPlanWidget() override;

    void setObjects(ZUConfiguration *configuration, const QList<QPointer<ZUSignalPlan>> &objects);

    // Whether the sub-page of the chosen type holds data that can be stored as it is.
    bool isValid() const;
    // The chosen type, INT_MAX when none.
    int currentType() const;

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

public slots:
    // Of a stage-ring plan: ZUStage refills the stage choices and, without edits on
    // the page, the steps as the plan now holds them; ZUDetector refills the detector
    // choices. A cell shows its object's id now, or empty when the object is gone.
    void configurationHasChanged(const char *className);

private slots:
    void on_id_textChanged(const QString &text);
    void on_manualName_toggled(bool checked);
    void on_type_currentIndexChanged(int index);
    void on_buttonBox_clicked(QAbstractButton *button);
    void configuration_objectAdded(ZUBaseObject *obj, int pos);
    void configuration_objectDestroyed(ZUBaseObject *obj);

    void on_timeline_table_itemChanged(QTableWidgetItem *item);

    void stagering_table_insert_step();
    void stagering_table_insert_step_before();
    void stagering_table_remove_step();
    void stagering_dt_table_insert_detector();
    void stagering_dt_table_insert_detector_before();
    void stagering_dt_table_remove_detector();
    void on_stagering_table_itemSelectionChanged();
    void on_stagering_dt_table_itemSelectionChanged();
    void on_stagering_table_itemChanged(QTableWidgetItem *item);
    void on_stagering_dt_table_itemChanged(QTableWidgetItem *item);
    void on_stagering_show_diagramm_clicked(bool checked);
    void updateStageRingChart();

private:
    // Timeline sub-page.
    void setUpTimeline();
    void loadTimelinePage();
    void updateTimelineChart();
    bool timelineValid() const;
    void applyTimeline(ZUSignalPlan *plan, bool all);

    // Stage-ring sub-page.
    void setUpStageRing();
    void loadStageRingPage();
    void updateStageItems();
    void updateStepNumbers(int count);
    void insertStepColumn(int position);
    bool stageRingValid() const;
    void applyStageRing(ZUSignalPlan *plan, bool all);
    void applyStageRingTables(const QPointer<ZUSignalPlan> &plan);

    void onObjectAddedOrDestroyed(ZUBaseObject *obj);
    // The cycle length, offset and coordinated flag of a sub-page: the changed
    // ones, or all of them.
    void applyCycle(ZUSignalPlan *plan, bool all, IntEdit *length, IntEdit *offset,
                    QCheckBox *coordinated);

    Ui::SignalPlanWidget *ui;
    DialogItemValidator *m_validator;
    QPointer<ZUConfiguration> m_configuration;
    QPointer<ZUSignalPlan> m_plan;
    // The signal group of each timeline row as loaded: a row is written to its
    // own group only, however the groups move while the page is open.
    QList<QPointer<ZUSignalGroup>> m_timelineGroups;
    ComboBoxDelegate *m_stages;
    ComboBoxDelegate *m_detectors;
    ComboBoxDelegate *m_stepNumbers;
};

#pragma once

#include <QPointer>
#include <QWidget>

class DialogItemValidator;
class QAbstractButton;
class ZUConfiguration;

namespace Ui {
class SchedulerWidget;
}

// The page of the section "Scheduler": the configuration's default program,
// spare program and daily plan, each chosen from the live objects of its kind
// (item text the object's list text, item data its id; no selection is no
// default). It keeps the page contract (pageprotocol.h) for one record: load()
// takes the baseline, Apply writes the changed defaults and emits
// configurationChanged(nullptr). No question is asked: the same plan may be
// both program and spare program.
class SchedulerWidget : public QWidget
{
    Q_OBJECT
public:
    explicit SchedulerWidget(QWidget *parent = nullptr);
    ~SchedulerWidget() override;

    // Shows the configuration's defaults; the page edits it from now on.
    void load(ZUConfiguration *configuration);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

public slots:
    // Refills the plan lists after signal plans or day plans changed, keeping
    // each selection by id; other kinds change nothing.
    void configurationHasChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);
    void on_clear_prog_clicked();
    void on_clear_spare_prog_clicked();
    void on_clear_dayplan_clicked();

private:
    Ui::SchedulerWidget *ui;
    QPointer<ZUConfiguration> m_configuration;
    DialogItemValidator *m_validator;
};

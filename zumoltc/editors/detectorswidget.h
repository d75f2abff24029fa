#pragma once

#include <QWidget>

#include "zumoltc/model/zuconfiguration.h"

class DialogItemValidator;
class QAbstractButton;

namespace Ui {
class DetectorsWidget;
}

// The page of the two report intervals that hold for all detectors. Apply
// writes both (an empty field is not set) and emits the class name of
// ZUDetector; before any load there is nothing to write to.
class DetectorsWidget : public QWidget
{
    Q_OBJECT
public:
    explicit DetectorsWidget(QWidget *parent = nullptr);
    ~DetectorsWidget() override;

    // The page edits the record from now on; it does not own it.
    void load(ZUConfiguration::DetectorIntervals *intervals);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);

private:
    Ui::DetectorsWidget *ui;
    DialogItemValidator *m_validator;
    ZUConfiguration::DetectorIntervals *m_intervals = nullptr;
};

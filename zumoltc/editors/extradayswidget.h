#pragma once

#include "zumoltc/editors/calendarpage.h"

#include <QList>
#include <QPointer>

class QAbstractButton;
class QRegExpValidator;
class ZUConfiguration;
class ZUExtraDay;

namespace Ui {
class ExtraDaysWidget;
}

// The page of one special day (extra day): id, name, the date ("dd.MM", typed
// as d.M or dd.MM) and the daily plan that runs on it. It keeps the page
// contract (pageprotocol.h) for one object; a selection of several is shown
// disabled and empty and is never written. Apply asks before storing an
// incomplete date or no live daily plan.
class ExtraDaysWidget : public CalendarPage
{
    Q_OBJECT
public:
    explicit ExtraDaysWidget(QWidget *parent = nullptr);
    ~ExtraDaysWidget() override;

    void setObjects(ZUConfiguration *configuration, const QList<QPointer<ZUExtraDay>> &objects);

public slots:
    // Day plans changed: the list follows, keeping the chosen plan by id.
    void configurationHasChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);

private:
    Ui::ExtraDaysWidget *ui;
    QList<QPointer<ZUExtraDay>> m_objects;
    QRegExpValidator *m_dayMonth;
};

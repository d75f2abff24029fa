#pragma once

#include "zumoltc/editors/calendarpage.h"

#include <QList>
#include <QPointer>

class QAbstractButton;
class QRegExpValidator;
class ZUConfiguration;
class ZUExtraPeriod;

namespace Ui {
class ExtraPeriodsWidget;
}

// The page of one seasonal plan (extra period): id, name, start and stop
// ("dd.MM", typed as d.M or dd.MM) and the weekly plan that runs between them.
// It keeps the page contract (pageprotocol.h) for one object; a selection of
// several is shown disabled and empty and is never written. Apply asks before
// storing an incomplete date or no live weekly plan.
class ExtraPeriodsWidget : public CalendarPage
{
    Q_OBJECT
public:
    explicit ExtraPeriodsWidget(QWidget *parent = nullptr);
    ~ExtraPeriodsWidget() override;

    void setObjects(ZUConfiguration *configuration, const QList<QPointer<ZUExtraPeriod>> &objects);

public slots:
    // Week plans changed: the list follows, keeping the chosen plan by id.
    void configurationHasChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);

private:
    Ui::ExtraPeriodsWidget *ui;
    QList<QPointer<ZUExtraPeriod>> m_objects;
    QRegExpValidator *m_dayMonth;
};

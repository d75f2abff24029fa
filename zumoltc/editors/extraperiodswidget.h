#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class DialogItemValidator;
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
class ExtraPeriodsWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ExtraPeriodsWidget(QWidget *parent = nullptr);
    ~ExtraPeriodsWidget() override;

    void setObjects(ZUConfiguration *configuration, const QList<QPointer<ZUExtraPeriod>> &objects);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

public slots:
    // Week plans changed: the list follows, keeping the chosen plan by id.
    void configurationHasChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);
    void on_manualName_toggled(bool checked);
    void on_id_textChanged(const QString &text);

private:
    Ui::ExtraPeriodsWidget *ui;
    QPointer<ZUConfiguration> m_configuration;
    QList<QPointer<ZUExtraPeriod>> m_objects;
    DialogItemValidator *m_validator;
    QRegExpValidator *m_dayMonth;
};

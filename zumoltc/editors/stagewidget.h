#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class DialogItemValidator;
class QAbstractButton;
class QTableWidgetItem;
class ZUBaseObject;
class ZUConfiguration;
class ZUStage;

namespace Ui {
class StageWidget;
}

// The page of one or several stages: id and name (one stage), minimum and
// maximum green, and for one stage the signal groups it holds, one table row
// per group of the configuration. "Check conflicts" (never stored, off at every
// load) unticks and locks the groups that conflict in the conflict matrix with
// an assigned one, in either direction. A signal group added, deleted or applied
// elsewhere refills the table as the new baseline. Several stages: only the two
// times can be edited.
class StageWidget : public QWidget
{
    Q_OBJECT
public:
    // Columns of the signal-group table.
    enum SgColumn { Assigned, Id, Name, Type, SgColumnCount };

    explicit StageWidget(QWidget *parent = nullptr);
    ~StageWidget() override;

    void setObjects(ZUConfiguration *configuration, const QList<QPointer<ZUStage>> &stages);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

public slots:
    void configurationHasChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);
    void on_id_textChanged(const QString &text);
    void on_manualName_toggled(bool checked);
    void on_sgTable_itemChanged(QTableWidgetItem *item);
    void on_use_matrix_clicked(bool checked);
    void configuration_objectAdded(ZUBaseObject *obj, int pos);
    void configuration_objectDestroyed(ZUBaseObject *obj);

private:
    bool showsOneStage() const;
    void fillSgTable();
    void updateAssignedSg();

    Ui::StageWidget *ui;
    DialogItemValidator *m_validator;
    QPointer<ZUConfiguration> m_configuration;
    QList<QPointer<ZUStage>> m_stages;
    bool m_checkingConflicts = false;
};

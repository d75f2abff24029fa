#pragma once

#include <QList>
#include <QPair>
#include <QPointer>
#include <QVector>
#include <QWidget>

class DialogItemValidator;
class QAbstractButton;
class ZUBaseObject;
class ZUConfiguration;
class ZUSignalGroup;

namespace Ui {
class MatrixWidget;
}

// The page of the configuration's conflict matrix: its id and name and an
// N x N table over the signal groups, row i the clearing group, column j the
// entering one; a cell holds the intergreen time of that ordered pair, empty
// when there is no conflict point. The diagonal is locked; "Forbid cells with
// the same phase" also empties and locks the pairs that share a stage. The two
// view boxes are no edits and keep their states across loads.
//
// Every row and column stays bound to the group it was built for, so that a
// cell is written to the groups of its headers even when the groups were moved
// meanwhile. A group added, deleted or applied elsewhere rebuilds the table as
// the new baseline.
class MatrixWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MatrixWidget(QWidget *parent = nullptr);
    ~MatrixWidget() override;

    void load(ZUConfiguration *configuration);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

public slots:
    void configurationHasChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);
    void on_id_textChanged(const QString &text);
    void on_manualName_toggled(bool checked);
    void on_show_full_name_of_sg_clicked(bool checked);
    void on_forbid_cells_with_same_phase_clicked(bool checked);
    void configuration_objectAdded(ZUBaseObject *obj, int pos);
    void configuration_objectDestroyed(ZUBaseObject *obj);

private:
    void updateMatrix();
    void rebuild();
    // The ordered pairs of rows (i, j), i != j, whose groups share a stage.
    QVector<QPair<int, int>> samePhasePairs() const;

    Ui::MatrixWidget *ui;
    DialogItemValidator *m_validator;
    QPointer<ZUConfiguration> m_configuration;
    // The group of each row and column as of the last rebuild.
    QList<QPointer<ZUSignalGroup>> m_groups;
};

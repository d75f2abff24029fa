#pragma once

#include <QDialog>
#include <QStringList>
#include <QVariantList>

namespace Ui {
class CountDownTableDlg;
}

// The countdown displays of a TIVERK 3.x or adapter controller, one table
// column per display: its signal group and, for version "3.18", the count of
// tables in its group, else its address and blinking time. A cell value 255
// shows empty. The dialog never touches the controller: the caller hands in
// the native "countDownTable" list and, after OK, stores countDownTable().
class CountDownTableDlg : public QDialog
{
    Q_OBJECT
public:
    // rows: one map per display; groups: the signal-group numbers as texts
    // offered in the first row; version: the controller's "version".
    CountDownTableDlg(QWidget *parent, const QVariantList &rows, const QStringList &groups,
                      const QString &version);
    ~CountDownTableDlg() override;

    // One map per display column that has a signal group, in column order.
    QVariantList countDownTable() const;

private:
    Ui::CountDownTableDlg *ui;
    QString version;
    QStringList keys;
};

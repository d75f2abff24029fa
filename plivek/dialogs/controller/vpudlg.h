#pragma once

#include "cnf/vobject.h"
#include "plivek/framework/uidataexchange.h"

#include <QStringList>

class CnfController;

namespace Ui {
class VpuDlg;
}

// The remote control panel (RCU) of the controller, written into the native
// data on OK. TIVERK 3.x and adapter: inactivity limit, access key,
// interstate variant and the phase, program or request of each button.
// TIVERK II: whether the panel is a control source, with its two timeouts.
// ZU_MOLT: the panel record, its control source, its interface device and
// its button bindings; a box or combo box left untouched keeps a stored value
// it cannot show, and a button without a stage keeps its place as null.
// Other sources in "controlSources" change only by the exchange of priorities
// that keeps the RCU's rank against the central system.
// The controller is not owned and must outlive the dialog.
class VpuDlg : public UiDataExchange
{
    Q_OBJECT
public:
    VpuDlg(QWidget *parent, CnfController *controller);
    ~VpuDlg() override;

    // A button-table column ("vpu_phases", "vpu_programs", "vpu_requests")
    // as a list; any other key is the value of the widget of that name.
    QVariant columnValue(const QString &key) const;
    void setColumnValue(const QString &key, const QVariant &value);

public slots:
    void accept() override;

private slots:
    void on_type_currentIndexChanged(int index);
    void on_vpu_enabled_zu_molt_toggled(bool on);

private:
    void loadTiverk(const QStringList &phases, const QStringList &programs);
    void loadTiverkII();
    void loadZuMolt(const QStringList &phases, const QStringList &programs);
    void reduceButtonTable();
    void storeTiverk();
    void storeTiverkII();
    void storeZuMolt();
    int firstColumnRow(int column) const;
    QVariantList buttonStages(int storedCount) const;

    Ui::VpuDlg *ui;
    CnfController *controller;
    VObject root;
    // "priority" of the central-system source found on opening (TIVERK II).
    VObject centralPriority;
    // Keys of the button-table columns 1, 2, 3 (TIVERK 3.x).
    QStringList columnKeys;
    // The RCU's entry in "controlSources" (TIVERK II), null when none.
    VObject rcuEntry;
    // The ZU_MOLT page's boxes as opened: a box left so keeps the stored value.
    bool openedIdleInd = false;
    bool openedPasskey = false;
    bool openedPositive = false;
};

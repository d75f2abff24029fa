#pragma once

#include "cnf/cnffwd.h"
#include "plivek/framework/uidataexchange.h"

class CnfController;

namespace Ui {
class SgPropertiesDlg;
}

// Number, name, type, assigned keys and cluster of one signal group. The keys
// are typed as a comma-separated list of device ids (TIVERK II, ZU_MOLT) or
// addresses (other families). Nothing is written until the caller, after OK,
// calls saveToSignalGroup.
class SgPropertiesDlg : public UiDataExchange
{
    Q_OBJECT
public:
    SgPropertiesDlg(QWidget *parent, const CnfSignalGroupPtr &group, CnfController &controller);
    ~SgPropertiesDlg() override;

    void saveToSignalGroup();

protected:
    void accept() override;

private:
    // The devices named in the keys field; false with the first unknown entry.
    bool parseKeys(QList<CnfPowerDevicePtr> *devices, QString *unknown) const;

    Ui::SgPropertiesDlg *ui;
    CnfSignalGroupPtr group;
    CnfController &controller;
    bool byId = false;
};

#include "outputsdlg.h"

#include "cnf/cnfcontroller.h"
#include "plivek/framework/dialogitemvalidator.h"
#include "ui_outputsdlg.h"

OutputsDlg::OutputsDlg(CnfController *controller, int id, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::OutputsDlg)
    , controller(controller)
    , validator(nullptr)
{
    ui->setupUi(this);
    validator = new DialogItemValidator(this);
    const VObject outputs = controller->nativeData()[QStringLiteral("outputs")];
    QList<int> forbiddenIds{0};
    QStringList forbiddenNames;
    for (int i = 0; i < outputs.size(); ++i) {
        const VObject output = outputs[i];
        if (id != 0 && edited.isNull() && output[QStringLiteral("id")] == id) {
            edited = output;
            continue;
        }
        forbiddenIds << output[QStringLiteral("id")].toInt();
        const QString name = output[QStringLiteral("name")].toString();
        if (!name.isEmpty())
            forbiddenNames << name;
    }
    int number = id;
    QString name;
    if (edited.isNull()) {
        number = 1;
        while (forbiddenIds.contains(number))
            ++number;
        for (int k = 1;; ++k) {
            name = tr("Output.%1").arg(k);
            if (!forbiddenNames.contains(name))
                break;
        }
    } else {
        name = edited[QStringLiteral("name")].toString();
    }
    ui->number->setValue(number);
    ui->name->setText(name);
    validator->addSpinBox(ui->number, forbiddenIds);
    validator->addLineEdit(ui->name, forbiddenNames);
}

OutputsDlg::~OutputsDlg()
{
    delete ui;
}

void OutputsDlg::accept()
{
    VObject entry = edited;
    if (entry.isNull()) {
        VObject outputs = controller->nativeData()[QStringLiteral("outputs")];
        entry = outputs.append(VObject::map());
    }
    entry[QStringLiteral("id")] = ui->number->value();
    entry[QStringLiteral("name")] = ui->name->text();
    QDialog::accept();
}

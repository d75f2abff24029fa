#include "commonparametersdlg.h"

#include "ui_commonparametersdlg.h"

#include "cnf/cnfcontroller.h"

namespace {

enum Page { TiverkPage = 0, AdapterPage = 1, TiverkIIPage = 2 };

// Versions before 3.17 have an expansion case instead of a power switch.
bool hasExpansionCase(const QString &version)
{
    return version == QLatin1String("3.14") || version == QLatin1String("3.15")
        || version == QLatin1String("3.16");
}

} // namespace

CommonParametersDlg::CommonParametersDlg(QWidget *parent, CnfController *controller)
    : UiDataExchange(parent)
    , ui(new Ui::CommonParametersDlg)
    , controller(controller)
{
    ui->setupUi(this);
    const QString type = controller ? controller->property("type").toString() : QString();
    if (type == QLatin1String("tiverk")) {
        ui->stackedWidget->setCurrentIndex(TiverkPage);
        const QString version = controller->property("version").toString();
        // The interstate flags are not edited for TIVERK: disabled, they read as not set.
        ui->globalInterstates->setEnabled(false);
        ui->globalInterstates->hide();
        selectVersion(version);
        if (version != QLatin1String("3.18")) {
            ui->startupLayout->removeRow(ui->table_flip);
            ui->table_flip = nullptr;
            ui->table_flipLabel = nullptr;
        }
    } else {
        ui->stackedWidget->setCurrentIndex(type == QLatin1String("tiverkii") ? TiverkIIPage
                                                                             : AdapterPage);
        hideVersionAndTimes();
    }
}

CommonParametersDlg::~CommonParametersDlg()
{
    delete ui;
}

void CommonParametersDlg::on_versionList_currentIndexChanged(const QString &version)
{
    applyPowerSwitchRule(version);
}

// A version that is not in the list (or an empty one) becomes its first item.
// The rule is applied explicitly: the item may already be current, and
// selecting it again signals nothing.
void CommonParametersDlg::selectVersion(const QString &version)
{
    int index = ui->versionList->findText(version, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        ui->versionList->insertItem(0, version);
        index = 0;
    }
    const QSignalBlocker blocker(ui->versionList);
    ui->versionList->setCurrentIndex(index);
    applyPowerSwitchRule(ui->versionList->currentText());
}

void CommonParametersDlg::applyPowerSwitchRule(const QString &version)
{
    QStringList choices;
    if (hasExpansionCase(version)) {
        ui->powerSwitchLabel->setText(tr("Expansion case:"));
        choices << tr("no") << tr("yes");
    } else {
        ui->powerSwitchLabel->setText(tr("Power switch:"));
        choices << tr("one") << tr("two") << tr("only network monitoring") << tr("no")
                << tr("PWR_C - 1pc.") << tr("PWR_C - 2pc.") << tr("PWR_C - 3pc.")
                << tr("PWR_C - 4pc.") << tr("PWR_C - 5pc.") << tr("PWR_C - 6pc.")
                << tr("PWR_C - 7pc.");
    }
    ui->powerSwitch->clear();
    ui->powerSwitch->addItems(choices);
    ui->powerSwitch->setCurrentIndex(0);
}

void CommonParametersDlg::hideVersionAndTimes()
{
    for (QWidget *widget :
         { static_cast<QWidget *>(ui->creationTimeLabel), static_cast<QWidget *>(ui->creationTime),
           static_cast<QWidget *>(ui->changeTimeLabel), static_cast<QWidget *>(ui->changeTime),
           static_cast<QWidget *>(ui->versionListLabel), static_cast<QWidget *>(ui->versionList) })
        widget->hide();
}

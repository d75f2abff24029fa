#include "settingsdialog.h"
#include "ui_settingsdialog.h"

#include "zumoltc/shell/framework/prefixes.h"

#include <QPushButton>

SettingsDialog::SettingsDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::SettingsDialog)
{
    ui->setupUi(this);
    showPrefixes();
}

SettingsDialog::~SettingsDialog()
{
    delete ui;
}

void SettingsDialog::showPrefixes()
{
    for (int row = 0; row < Prefixes::Count; ++row)
        ui->prefixes->setItem(row, 0, new QTableWidgetItem(Prefixes::prefix(Prefixes::Kind(row))));
}

void SettingsDialog::reject()
{
    // Cancel, Escape and the close button all end here: defaults restored but not
    // confirmed must not stay in use.
    if (m_restored)
        loadPrefixes(false);
    QDialog::reject();
}

void SettingsDialog::on_buttonBox_clicked(QAbstractButton *button)
{
    if (ui->buttonBox->standardButton(button) != QDialogButtonBox::RestoreDefaults)
        return;
    loadPrefixes(true);
    showPrefixes();
    m_restored = true;
}

void SettingsDialog::on_buttonBox_accepted()
{
    for (int row = 0; row < Prefixes::Count; ++row) {
        if (const QTableWidgetItem *item = ui->prefixes->item(row, 0))
            Prefixes::setPrefix(Prefixes::Kind(row), item->text());
    }
    savePrefixes();
    accept();
}

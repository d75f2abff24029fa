#include "checkingerrorsdialog.h"
#include "ui_checkingerrorsdialog.h"

#include <QHeaderView>

CheckingErrorsDialog::CheckingErrorsDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CheckingErrorsDialog)
{
    ui->setupUi(this);
    ui->errorsTable->resizeColumnToContents(0);
}

CheckingErrorsDialog::~CheckingErrorsDialog()
{
    delete ui;
}

void CheckingErrorsDialog::clear()
{
    ui->errorsTable->setRowCount(0);
}

void CheckingErrorsDialog::addRow(int type, const QString &text)
{
    if (text.isEmpty())
        return;
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    auto *typeItem
        = new QTableWidgetItem(QIcon(type == 0 ? QStringLiteral("://icons/dialog-error.png")
                                               : QStringLiteral("://icons/dialog-warning.png")),
                               QString());
    typeItem->setFlags(flags);
    auto *textItem = new QTableWidgetItem(text);
    textItem->setFlags(flags);

    const int row = ui->errorsTable->rowCount();
    ui->errorsTable->insertRow(row);
    ui->errorsTable->setItem(row, 0, typeItem);
    ui->errorsTable->setItem(row, 1, textItem);
}

bool CheckingErrorsDialog::hasMessages() const
{
    return ui->errorsTable->rowCount() > 0;
}

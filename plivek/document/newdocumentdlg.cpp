#include "newdocumentdlg.h"
#include "ui_newdocumentdlg.h"

NewDocumentDlg::NewDocumentDlg(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::NewDocumentDlg)
{
    ui->setupUi(this);
}

NewDocumentDlg::~NewDocumentDlg()
{
    delete ui;
}

QVariant NewDocumentDlg::type() const
{
    if (ui->adapter->isChecked())
        return QStringLiteral("adapter");
    if (ui->tiverkii->isChecked())
        return QStringLiteral("tiverkii");
    if (ui->ZU_MOLT->isChecked())
        return QStringLiteral("ZU_MOLT");
    return QStringLiteral("tiverk");
}

QVariant NewDocumentDlg::version() const
{
    const struct
    {
        const QRadioButton *button;
        const char *version;
    } versions[] = {
        { ui->tiverk314, "3.14" }, { ui->tiverk315, "3.15" }, { ui->tiverk316, "3.16" },
        { ui->tiverk317, "3.17" }, { ui->tiverk318, "3.18" }, { ui->tiverkii, "0.1" },
        { ui->ZU_MOLT, "1.0" },
    };
    for (const auto &entry : versions) {
        if (entry.button->isChecked())
            return QString::fromLatin1(entry.version);
    }
    return QVariant();
}

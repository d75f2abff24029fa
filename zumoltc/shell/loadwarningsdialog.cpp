#include "loadwarningsdialog.h"
#include "ui_loadwarningsdialog.h"

#include <QFileInfo>
#include <QIcon>
#include <QStyle>

LoadWarningsDialog::LoadWarningsDialog(const QString &fileName, const QStringList &warnings,
                                       QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::LoadWarningsDialog)
{
    ui->setupUi(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    const QIcon icon = QIcon::fromTheme(QStringLiteral("dialog-warning"),
                                        QIcon(QStringLiteral(":/icons/dialog-warning.png")));
    ui->icon->setPixmap(icon.pixmap(iconSize, iconSize));
    ui->label->setText(
        tr("Configuration file %1 has one or more warnings.\n"
           "It is recommended to eliminate all warnings before loading the configuration "
           "into the road controller")
            .arg(QFileInfo(fileName).fileName()));
    ui->warnings->setPlainText(warnings.join(QLatin1Char('\n')));
}

LoadWarningsDialog::~LoadWarningsDialog()
{
    delete ui;
}

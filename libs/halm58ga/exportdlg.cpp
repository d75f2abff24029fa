#include "exportdlg.h"
#include "ui_exportdlg.h"

#include <QDir>
#include <QFileDialog>

namespace Halm58ga {

ExportDlg::ExportDlg(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::ExportDlg)
{
    ui->setupUi(this);
    ui->format->addItem(tr("halm58 network (*.hm58a)"), int(NetworkFormat));
    ui->format->addItem(tr("DOT graph (*.dot)"), int(DotFormat));
    ui->format->addItem(tr("SUMO plain XML (*.netccfg)"), int(SumoFormat));
    connect(ui->format, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ExportDlg::formatChanged);
    connect(ui->browse, &QToolButton::clicked, this, &ExportDlg::browse);
    // The rows take no more height than they need: the form's height would leave
    // an empty strip below the buttons.
    resize(width(), sizeHint().height());
}

ExportDlg::~ExportDlg()
{
    delete ui;
}

void ExportDlg::setFolders(const QString &networkFolder, const QString &dotFolder)
{
    m_folders[NetworkFormat] = networkFolder;
    m_folders[DotFormat] = dotFolder;
    m_folders[SumoFormat] = networkFolder;
    ui->folder->setText(m_folders[format()]);
}

void ExportDlg::setJunctionNumber(int number)
{
    ui->number->setValue(number < 0 ? -1 : number);
}

void ExportDlg::setFormat(Format format)
{
    ui->format->setCurrentIndex(ui->format->findData(int(format)));
}

ExportDlg::Format ExportDlg::format() const
{
    return Format(ui->format->currentData().toInt());
}

QString ExportDlg::folder() const
{
    return ui->folder->text();
}

int ExportDlg::junctionNumber() const
{
    return ui->number->value();
}

QString ExportDlg::filePath() const
{
    const QString base
        = ui->number->value() < 0 ? QStringLiteral("net") : QString::number(ui->number->value());
    const QString suffix = format() == DotFormat ? QStringLiteral(".dot")
        : format() == SumoFormat                 ? QStringLiteral(".netccfg")
                                                 : QStringLiteral(".hm58a");
    return QDir(ui->folder->text()).filePath(base + suffix);
}

void ExportDlg::formatChanged(int)
{
    ui->folder->setText(m_folders[format()]);
}

void ExportDlg::browse()
{
    const QString folder
        = QFileDialog::getExistingDirectory(this, tr("Select folder"), ui->folder->text());
    if (!folder.isEmpty())
        ui->folder->setText(folder);
}

} // namespace Halm58ga

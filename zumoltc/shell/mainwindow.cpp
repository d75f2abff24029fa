#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "checkingerrorsdialog.h"
#include "settingsdialog.h"
#include "zuconfiguration.h"
#include "zuconfigurationcheck.h"
#include "zuenums.h"

#include <QMessageBox>
#include <QSettings>

namespace {

const QString splitterSizesKey = QStringLiteral("splitterSizes");

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
    , m_configuration(new ZUConfiguration(this))
{
    // The name binds the configuration's signals to slots named after it, which
    // setupUi connects last.
    m_configuration->setObjectName(QStringLiteral("configuration"));
    ui->setupUi(this);

    // Every combo box, table and tree text of the editor shows these, in the
    // language installed at this moment.
    zu::registerDisplayTexts();

    // An absent key gives an empty state, which leaves the form's sizes.
    ui->splitter->restoreState(QSettings().value(splitterSizesKey).toByteArray());
}

MainWindow::~MainWindow()
{
    QSettings().setValue(splitterSizesKey, ui->splitter->saveState());
    delete ui;
}

ZUConfiguration *MainWindow::configuration() const
{
    return m_configuration;
}

void MainWindow::on_actionchecking_triggered()
{
    auto *dialog = findChild<CheckingErrorsDialog *>();
    if (!dialog)
        dialog = new CheckingErrorsDialog(this);
    dialog->clear();
    const QStringList rows = checkConfiguration(*m_configuration);
    for (const QString &row : rows)
        dialog->addRow(0, row);

    if (!dialog->hasMessages()) {
        QMessageBox::information(this, tr("Checking"), tr("No errors found"), QMessageBox::Ok);
        return;
    }
    dialog->show();
}

void MainWindow::on_actionSettings_triggered()
{
    SettingsDialog dialog(this);
    dialog.exec();
}

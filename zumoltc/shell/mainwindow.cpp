#include "mainwindow.h"

#include "checkingerrorsdialog.h"
#include "zuconfiguration.h"
#include "zuconfigurationcheck.h"
#include "zuenums.h"

#include <QAction>
#include <QCoreApplication>
#include <QMessageBox>
#include <QToolBar>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_configuration(new ZUConfiguration(this))
    , m_actionChecking(new QAction(tr("checking"), this))
{
    // The name binds the configuration's signals to slots named after it.
    m_configuration->setObjectName(QStringLiteral("configuration"));
    setWindowTitle(QCoreApplication::applicationName());
    resize(1024, 768);

    m_actionChecking->setObjectName(QStringLiteral("actionchecking"));
    m_actionChecking->setToolTip(tr("Checking for errors"));
    QToolBar *toolBar = addToolBar(tr("File"));
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->addAction(m_actionChecking);

    // Slots named on_<object>_<signal> are bound by object name.
    QMetaObject::connectSlotsByName(this);

    // Every combo box, table and tree text of the editor shows these, in the
    // language installed at this moment.
    zu::registerDisplayTexts();
}

MainWindow::~MainWindow() = default;

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

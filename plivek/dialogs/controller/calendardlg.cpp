#include "calendardlg.h"

#include "ui_calendardlg.h"

#include <QMessageLogger>

CalendarDlg::CalendarDlg(QWidget *parent, CnfController *controller)
    : QDialog(parent)
    , ui(new Ui::CalendarDlg)
    , controller(controller)
{
    ui->setupUi(this);
}

CalendarDlg::~CalendarDlg()
{
    delete ui;
}

void CalendarDlg::printError(const QWidget *dialog, const QString &message)
{
    QWidget *window = dialog ? dialog->parentWidget() : nullptr;
    if (window && window->metaObject()->indexOfSlot("printError(QString)") >= 0)
        QMetaObject::invokeMethod(window, "printError", Q_ARG(QString, message));
    else
        QMessageLogger().critical().noquote() << message;
}

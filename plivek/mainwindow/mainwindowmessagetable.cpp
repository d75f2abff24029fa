// MainWindow: the message table, where every message of the window is listed.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QDateTime>
#include <QMessageBox>

void MainWindow::addLogMessage(const QString &text, QtMsgType level, bool popupCriticalErrors)
{
    static const QIcon icons[] = {
        QIcon(QStringLiteral(":/images/eventlogInfo.png")),
        QIcon(QStringLiteral(":/images/eventlogWarn.png")),
        QIcon(QStringLiteral(":/images/eventlogError.png")),
        QIcon(QStringLiteral(":/images/eventlogError.png")),
        QIcon(QStringLiteral(":/images/SuccessComplete.png")),
    };
    if (ui) {
        QTableWidget *table = ui->messageTable;
        const int row = table->rowCount();
        table->insertRow(row);
        auto *icon = new QTableWidgetItem;
        if (level >= 0 && level < int(std::size(icons)))
            icon->setIcon(icons[level]);
        table->setItem(row, 0, icon);
        table->setItem(row, 1,
                       new QTableWidgetItem(QDateTime::currentDateTime().toString(
                           QStringLiteral("dd.MM.yyyy hh:mm:ss"))));
        table->setItem(row, 2, new QTableWidgetItem(text));
        if (row == 0)
            table->resizeColumnsToContents();
        table->resizeColumnToContents(2);
        table->scrollToBottom();
    } else if (level == QtWarningMsg) {
        qWarning().noquote() << text;
    } else if (level == QtCriticalMsg) {
        qCritical().noquote() << text;
    } else {
        qDebug().noquote() << text;
    }
    if (popupCriticalErrors && level == QtCriticalMsg)
        QMessageBox::critical(this, tr("Error"), text, QMessageBox::Ok);
}

void MainWindow::printInfo(const QString &text)
{
    addLogMessage(text, QtDebugMsg, true);
}

void MainWindow::printWarning(const QString &text)
{
    addLogMessage(text, QtWarningMsg, true);
}

void MainWindow::printError(const QString &text)
{
    addLogMessage(text, QtCriticalMsg, true);
}

void MainWindow::clearMessageTable()
{
    ui->messageTable->setRowCount(0);
}

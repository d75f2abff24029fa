#include "reporterror.h"

#include <QDebug>
#include <QMessageBox>

void reportError(const QString &title, const QString &text, bool quiet)
{
    if (quiet) {
        qCritical().noquote() << title << text;
        return;
    }
    QMessageBox::critical(nullptr, title, text, QMessageBox::Ok);
}

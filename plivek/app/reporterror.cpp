#include "reporterror.h"

#include <QDebug>
#include <QDir>
#include <QMessageBox>

void reportError(const QString &title, const QString &text, bool quiet)
{
    if (quiet) {
        qCritical().noquote() << title << text;
        return;
    }
    QMessageBox::critical(nullptr, title, text, QMessageBox::Ok);
}

QString namingPath(const QString &text, const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (text.contains(shown))
        return text;
    return QStringLiteral("%1: %2").arg(text, shown);
}

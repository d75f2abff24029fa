#include "userdialogs.h"

#include "common/widgets/contentfit.h"

#include <QDialog>
#include <QFileDialog>

UserDialogs::~UserDialogs() = default;

int UserDialogs::exec(QDialog *dialog)
{
    // The editor keeps no dialog geometry: each dialog opens showing its content.
    growToContent(dialog);
    return dialog->exec();
}

QString UserDialogs::openFileName(QWidget *parent, const QString &caption, const QString &start,
                                  const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, start, filter);
}

QString UserDialogs::saveFileName(QWidget *parent, const QString &caption, const QString &start,
                                  const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, start, filter);
}

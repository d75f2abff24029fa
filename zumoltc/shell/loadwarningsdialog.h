#pragma once

#include <QDialog>
#include <QStringList>

namespace Ui {
class LoadWarningsDialog;
}

// Shows the warnings of a configuration file that loaded, so that the user decides
// whether to keep it: OK accepts, Cancel rejects. It only shows what it is given.
class LoadWarningsDialog : public QDialog
{
    Q_OBJECT
public:
    // fileName is shown without its folder; warnings one per line, unwrapped.
    LoadWarningsDialog(const QString &fileName, const QStringList &warnings,
                       QWidget *parent = nullptr);
    ~LoadWarningsDialog() override;

private:
    Ui::LoadWarningsDialog *ui;
};

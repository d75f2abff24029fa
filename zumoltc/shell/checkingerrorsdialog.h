#pragma once

#include <QDialog>

namespace Ui {
class CheckingErrorsDialog;
}

// Lists the results of the configuration check, one row per result. The main
// window keeps one instance as its child and reuses it: Close only hides it.
class CheckingErrorsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CheckingErrorsDialog(QWidget *parent = nullptr);
    ~CheckingErrorsDialog() override;

    void clear();
    // Type 0 is an error, any other type a warning; an empty text adds no row.
    void addRow(int type, const QString &text);
    bool hasMessages() const;

private:
    Ui::CheckingErrorsDialog *ui;
};

#pragma once

#include <QDialog>
#include <QVariant>

namespace Ui {
class NewDocumentDlg;
}

// Lets the user pick the controller family and version of a new document.
// Writes nothing: the caller reads the choice after acceptance.
class NewDocumentDlg : public QDialog
{
    Q_OBJECT
public:
    explicit NewDocumentDlg(QWidget *parent = nullptr);
    ~NewDocumentDlg() override;

    // "tiverk", "adapter", "tiverkii" or "ZU_MOLT".
    QVariant type() const;
    // The version of the chosen family; invalid for the adapter (which has
    // none) and when nothing is chosen.
    QVariant version() const;

private:
    Ui::NewDocumentDlg *ui;
};

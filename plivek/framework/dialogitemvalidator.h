#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QStringList>

class QDialogButtonBox;
class QLineEdit;
class QSpinBox;
class QWidget;

// The validator of plivek's dialogs (zumoltc's editor pages have their own
// class of this name in zumoltc/shell; the two programs never share it).
//
// Keeps a dialog from being accepted while a registered editor holds a
// forbidden value: a name another object already has, or a taken id or address.
// A forbidden value paints the editor's base red, and the first button box among
// the parent's descendants is enabled only while every editor is valid.
// An editor starts valid: registration does not test its current value.
// The validator owns none of the widgets; construct it with the dialog as parent.
class DialogItemValidator : public QObject
{
    Q_OBJECT
public:
    explicit DialogItemValidator(QObject *parent = nullptr);
    ~DialogItemValidator() override;

    // Registers an editor with its forbidden values, replacing an earlier list.
    // An empty list never blocks. A null editor is ignored.
    void addLineEdit(QLineEdit *edit, QStringList forbidden);
    void addSpinBox(QSpinBox *box, const QList<int> &forbidden);

    // Enables the button box exactly while every registered editor is valid.
    void updateOkButton();

private slots:
    void lineEditTextChanged(const QString &text);
    void spinBoxValueChanged(int value);

private:
    // A destroyed editor must not keep the dialog blocked nor leave a dangling key.
    void forgetEditor(QWidget *editor);

    QDialogButtonBox *m_buttonBox = nullptr;
    QMap<QLineEdit *, QStringList> m_lineEdits;
    QMap<QSpinBox *, QList<int>> m_spinBoxes;
    QMap<QWidget *, bool> m_valid;
};

#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class DialogItemValidator;
class IntEdit;
class QAbstractButton;
class ZUSignalGroup;

namespace Ui {
class SignalGroupTimes;
}

// The ten signal-group times (red-amber to extended green 2), one IntEdit each,
// named after the attribute it edits; an empty field is not set. No relation
// between the times is checked.
//
// As a page of its own ("Times of signal groups") it edits the configuration's
// default group with its own validator and button box; Apply writes the changed
// fields and emits configurationChanged(nullptr). Embedded in the signal-group
// page it has neither: the host's validator watches the fields, the host merges
// its groups in with load(..., keep = true), adds the defaults as placeholders
// with showInherited, and writes with store.
class SignalGroupTimes : public QWidget
{
    Q_OBJECT
public:
    // The main window makes the page without arguments.
    explicit SignalGroupTimes(bool embedded = false, QWidget *parent = nullptr);
    ~SignalGroupTimes() override;

    // Empty fields without placeholders; no group is remembered.
    void clear();
    // Merges the times of own into the fields (after what earlier calls showed
    // when keep is true), then shows those of inherited as placeholders. own
    // becomes the group Apply writes to.
    void load(QPointer<ZUSignalGroup> own, QPointer<ZUSignalGroup> inherited, bool keep);
    // The inherited times as placeholders: a field left empty by the groups
    // takes the inherited value as placeholder, unless differing groups already
    // put one there; a filled field shows it once the user empties it. A host
    // that merges several groups calls this once after the last of them, so
    // that differing own values still show empty.
    void showInherited(QPointer<ZUSignalGroup> inherited);
    // Writes into target every field the validator reports changed, or every
    // field without a validator; nothing when the validator's page is unchanged.
    void store(QPointer<ZUSignalGroup> target, DialogItemValidator *validator);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);

private:
    struct Field;
    QList<Field> fields() const;

    Ui::SignalGroupTimes *ui;
    DialogItemValidator *m_validator = nullptr;
    QPointer<ZUSignalGroup> m_group;
};

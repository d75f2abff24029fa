#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariant>

#include <functional>

class QDialogButtonBox;
class QTableWidget;
class QTableWidgetItem;
class QWidget;

// Change tracking of a zumoltc editor page (see pageprotocol.h for the whole
// page contract). plivek's dialogs have a different class of this name in
// plivek/framework; the two programs never link into one target.
//
// Made with the page as parent after the page's form is built, it watches every
// descendant widget of a known kind that exists at that moment: IntEdit,
// QLineEdit, QSpinBox, QComboBox, QCheckBox, QRadioButton, QGroupBox,
// QTextEdit, ParametersTable, QTableWidget and a table view over a
// SnapshotTableModel, the first matching kind in that order (widgets inside
// composite widgets too: the line edit of a spin box changes and restores with
// it). A null parent watches nothing. A view's model must be set before the
// validator is made.
//
// Per widget it keeps a snapshot (the value after loading), a changed flag and
// a valid flag. Value widgets are changed while their value differs from the
// snapshot; a table stays changed from its first change until the next
// snapshot or Cancel. IntEdit, QSpinBox and QLineEdit may carry forbidden
// values (taken ids and names): such a value paints the base red, says in the
// widget's tool tip which value is taken ("ID 3 is already used") and makes the
// widget invalid.
//
// The page gets the properties "valid" (all widgets valid) and "changed" (any
// widget changed) and, when it declares the signal changed(bool), that signal
// each time its changed state flips. The page's own QDialogButtonBox gets Apply
// enabled while changed and valid, Cancel while changed or invalid; Cancel
// restores every snapshot. The validator owns no widget; a watched widget that
// is destroyed is forgotten.
class DialogItemValidator : public QObject
{
    Q_OBJECT
public:
    explicit DialogItemValidator(QObject *parent);
    ~DialogItemValidator() override;

    // Takes the widget's current value as its baseline and clears its changed flag.
    void snapshot(QWidget *widget);
    void snapshotAll();
    // Before several objects are merged into the page: no forbidden values, every
    // widget valid, no snapshots. Palettes stay as they are.
    void reset();

    // Rewrites the values of the widget's snapshot, its changed flag kept, where
    // what they name changed under the user's edits (an object another page
    // renumbered). map gets a combo box's index as (-1, -1, index) and each cell
    // value of a table with its row and column; it returns the value to keep.
    void
    remapSnapshot(QWidget *widget,
                  const std::function<QVariant(int row, int column, const QVariant &value)> &map);

    bool isChanged(QWidget *widget) const;
    // Marks a widget changed where the page alters it in ways its signals do not report.
    void setChanged(QWidget *widget);

    // Replace the widget's forbidden values and make it valid again; the value it
    // shows is tested at its next change only. Unwatched or null widget: nothing.
    void setForbiddenInts(QWidget *widget, const QList<int> &values);
    void setForbiddenTexts(QWidget *widget, QStringList texts);

    // Stops watching the widget (widgets that only steer the page's view).
    void removeWidget(QWidget *widget);

    // The page's changed state as last published; pages read it before applying.
    bool anyChanged() const { return m_anyChanged; }

public slots:
    // Restores every widget to its snapshot through its ordinary setters, so the
    // widgets send their usual signals and the page's own slots follow.
    void cancelChanges();
    // Publishes the page's state and enables its buttons.
    void updateState();

signals:
    void changed(bool changed);

private slots:
    void intEditValueChanged(int value);
    void lineEditTextChanged(const QString &text);
    void spinBoxValueChanged(int value);
    void comboBoxCurrentIndexChanged(int index);
    void checkBoxstateChanged(int state);
    void radioButtonToggled(bool checked);
    void groupBoxToggled(bool checked);
    void textEditChanged();
    void tableItemChanged(QTableWidgetItem *item);
    void tableSectionMoved(int logicalIndex, int oldVisualIndex, int newVisualIndex);
    void tableSectionCountChanged(int oldCount, int newCount);
    void modelEdited();

private:
    enum class Kind {
        IntEdit,
        LineEdit,
        SpinBox,
        ComboBox,
        CheckBox,
        RadioButton,
        GroupBox,
        TextEdit,
        ParametersTable,
        TableWidget,
        ModelTable
    };

    struct WidgetState
    {
        Kind kind;
        QStringList forbiddenTexts;
        QList<int> forbiddenInts;
        bool valid = true;
        bool changed = false;
        QVariant snapshot; // invalid: no snapshot taken yet
        // While a forbidden value is shown its tool tip says why; the widget's
        // own tool tip comes back with an allowed value.
        bool explaining = false;
        QString ownToolTip;
    };

    void watch(QWidget *widget);
    void watchTable(QTableWidget *table);
    WidgetState *stateOf(QWidget *widget);
    // The watched sender of the running slot, or null.
    QWidget *watchedSender(WidgetState **state);
    QVariant currentValue(QWidget *widget, Kind kind) const;
    // Records the widget's current value as its snapshot.
    void takeSnapshot(QWidget *widget, WidgetState &state);
    // The change slots of value widgets share this: changed against the snapshot,
    // forbidden values tested, state published.
    void valueWidgetChanged(const QVariant &value);
    void testForbidden(QWidget *widget, WidgetState &state, const QVariant &value);
    void restore(QWidget *widget, const WidgetState &state);
    // The table that owns the header sending the running slot, or null.
    QTableWidget *senderTable(WidgetState **state);
    QDialogButtonBox *buttonBox();

    QMap<QWidget *, WidgetState> m_widgets;
    QPointer<QDialogButtonBox> m_buttonBox;
    bool m_anyChanged = false;
};

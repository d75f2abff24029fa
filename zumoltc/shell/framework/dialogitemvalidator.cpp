#include "dialogitemvalidator.h"

#include "common/widgets/parameterstable.h"
#include "intedit.h"
#include "snapshottablemodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTextEdit>

namespace {

// The model of a table view whose cells keep their own baseline, or null
// (the view's headers share its model but are no tables of their own).
SnapshotTableModel *snapshotModel(QWidget *widget)
{
    const auto *view = qobject_cast<QTableView *>(widget);
    return view ? qobject_cast<SnapshotTableModel *>(view->model()) : nullptr;
}

// The look of an editor of this kind that nobody has touched, with the base
// painted red and the text white when the value is forbidden.
template<typename Editor> QPalette freshPalette(bool forbidden)
{
    Editor fresh;
    QPalette palette = fresh.palette();
    if (forbidden) {
        palette.setBrush(QPalette::All, QPalette::Base, QBrush(Qt::red, Qt::SolidPattern));
        // The value itself must stay readable on the red base.
        palette.setBrush(QPalette::All, QPalette::Text, QBrush(Qt::white, Qt::SolidPattern));
    }
    return palette;
}

// What a field's label calls it ("ID:" gives "ID"), or nothing without a label.
QString fieldCaption(const QWidget *widget)
{
    const QWidget *window = widget->window();
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (label->buddy() == widget) {
            QString caption = label->text();
            caption.remove(QLatin1Char('&'));
            caption = caption.trimmed();
            if (caption.endsWith(QLatin1Char(':')))
                caption.chop(1);
            return caption.trimmed();
        }
    }
    return QString();
}

// Why a forbidden value cannot stay, for the field's tool tip.
QString forbiddenReason(const QWidget *widget, const QString &value)
{
    const QString caption = fieldCaption(widget);
    if (caption.isEmpty())
        return DialogItemValidator::tr("%1 is already used").arg(value);
    return DialogItemValidator::tr("%1 %2 is already used").arg(caption, value);
}

// Rows of cells; a ParametersTable cell is [value, editable, row key], a plain
// table's cell its value (invalid where the cell has no item).
QVariant tableSnapshot(const QTableWidget *table)
{
    const auto *parameters = qobject_cast<const ParametersTable *>(table);
    QVariantList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QVariantList cells;
        for (int column = 0; column < table->columnCount(); ++column) {
            if (parameters) {
                const QTableWidgetItem *item = table->item(row, column);
                cells.append(QVariant(QVariantList {
                    parameters->cellData(row, column), parameters->isCellEditable(row, column),
                    item ? item->data(ParametersTable::RowKeyRole) : QVariant() }));
            } else {
                const QTableWidgetItem *item = table->item(row, column);
                cells.append(item ? item->data(Qt::EditRole) : QVariant());
            }
        }
        rows.append(QVariant(cells));
    }
    return rows;
}

// Puts the columns back in their logical order and fits them to their
// contents, except a last column that the header stretches.
void restoreColumns(QTableWidget *table)
{
    QHeaderView *header = table->horizontalHeader();
    for (int column = 0; column < table->columnCount(); ++column) {
        const int visual = header->visualIndex(column);
        if (visual != column)
            header->swapSections(visual, column);
    }
    const int last = table->columnCount() - 1;
    for (int column = 0; column <= last; ++column) {
        if (column == last && header->stretchLastSection())
            continue;
        table->resizeColumnToContents(column);
    }
}

void restoreParametersTable(ParametersTable *table, const QVariantList &rows)
{
    table->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        const QVariantList cells = rows.at(row).toList();
        if (table->columnCount() != cells.size())
            table->setColumnCount(cells.size());
        for (int column = 0; column < cells.size(); ++column) {
            const QVariantList cell = cells.at(column).toList();
            table->setCellData(row, column, cell.value(0), cell.value(1).toBool());
            // Rows moved and cancelled find their records again.
            if (table->item(row, column)->data(ParametersTable::RowKeyRole) != cell.value(2))
                table->item(row, column)->setData(ParametersTable::RowKeyRole, cell.value(2));
        }
    }
}

// Only a table that still has the snapshot's rows gets its values back: rows
// added or removed since would put values into the wrong rows. Missing items
// are not created.
void restoreTableWidget(QTableWidget *table, const QVariantList &rows)
{
    if (rows.size() != table->rowCount())
        return;
    for (int row = 0; row < rows.size(); ++row) {
        const QVariantList cells = rows.at(row).toList();
        if (cells.size() != table->columnCount())
            break;
        for (int column = 0; column < cells.size(); ++column) {
            if (QTableWidgetItem *item = table->item(row, column))
                item->setData(Qt::EditRole, cells.at(column));
        }
    }
}

} // namespace

DialogItemValidator::DialogItemValidator(QObject *parent)
    : QObject(parent)
{
    if (!parent)
        return;
    parent->setProperty("valid", true);
    parent->setProperty("changed", false);
    const QList<QWidget *> widgets = parent->findChildren<QWidget *>();
    for (QWidget *widget : widgets)
        watch(widget);

    const QMetaObject *page = parent->metaObject();
    const int pageChanged = page->indexOfSignal("changed(bool)");
    if (pageChanged >= 0) {
        connect(this, QMetaMethod::fromSignal(&DialogItemValidator::changed), parent,
                page->method(pageChanged));
    }
}

// QObject drops the connections of the watched widgets to this validator.
DialogItemValidator::~DialogItemValidator() = default;

void DialogItemValidator::watch(QWidget *widget)
{
    Kind kind;
    if (auto *edit = qobject_cast<IntEdit *>(widget)) {
        kind = Kind::IntEdit;
        connect(edit, &IntEdit::valueChanged, this, &DialogItemValidator::intEditValueChanged);
    } else if (auto *line = qobject_cast<QLineEdit *>(widget)) {
        kind = Kind::LineEdit;
        connect(line, &QLineEdit::textChanged, this, &DialogItemValidator::lineEditTextChanged);
    } else if (auto *spin = qobject_cast<QSpinBox *>(widget)) {
        kind = Kind::SpinBox;
        connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), this,
                &DialogItemValidator::spinBoxValueChanged);
    } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        kind = Kind::ComboBox;
        connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                &DialogItemValidator::comboBoxCurrentIndexChanged);
    } else if (auto *check = qobject_cast<QCheckBox *>(widget)) {
        kind = Kind::CheckBox;
        connect(check, &QCheckBox::stateChanged, this, &DialogItemValidator::checkBoxstateChanged);
    } else if (auto *radio = qobject_cast<QRadioButton *>(widget)) {
        kind = Kind::RadioButton;
        connect(radio, &QRadioButton::toggled, this, &DialogItemValidator::radioButtonToggled);
    } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
        kind = Kind::GroupBox;
        connect(group, &QGroupBox::toggled, this, &DialogItemValidator::groupBoxToggled);
    } else if (auto *text = qobject_cast<QTextEdit *>(widget)) {
        kind = Kind::TextEdit;
        connect(text, &QTextEdit::textChanged, this, &DialogItemValidator::textEditChanged);
    } else if (auto *table = qobject_cast<QTableWidget *>(widget)) {
        kind = qobject_cast<ParametersTable *>(table) ? Kind::ParametersTable : Kind::TableWidget;
        watchTable(table);
    } else if (SnapshotTableModel *model = snapshotModel(widget)) {
        kind = Kind::ModelTable;
        connect(model, &SnapshotTableModel::edited, this, &DialogItemValidator::modelEdited);
    } else {
        return;
    }
    WidgetState state;
    state.kind = kind;
    m_widgets.insert(widget, state);
    // Pages delete nested pages and their widgets while they live on; nothing is
    // published here, because the page itself may be the one going away.
    connect(widget, &QObject::destroyed, this, [this, widget] { m_widgets.remove(widget); });
}

void DialogItemValidator::watchTable(QTableWidget *table)
{
    connect(table, &QTableWidget::itemChanged, this, &DialogItemValidator::tableItemChanged);
    connect(table->horizontalHeader(), &QHeaderView::sectionMoved, this,
            &DialogItemValidator::tableSectionMoved);
    connect(table->horizontalHeader(), &QHeaderView::sectionCountChanged, this,
            &DialogItemValidator::tableSectionCountChanged);
    connect(table->verticalHeader(), &QHeaderView::sectionCountChanged, this,
            &DialogItemValidator::tableSectionCountChanged);
}

DialogItemValidator::WidgetState *DialogItemValidator::stateOf(QWidget *widget)
{
    const auto found = m_widgets.find(widget);
    return found == m_widgets.end() ? nullptr : &found.value();
}

QVariant DialogItemValidator::currentValue(QWidget *widget, Kind kind) const
{
    switch (kind) {
    case Kind::IntEdit:
    case Kind::SpinBox:
        return widget->property("value");
    case Kind::LineEdit:
        return widget->property("text");
    case Kind::ComboBox:
        return widget->property("currentIndex");
    case Kind::CheckBox:
        return int(static_cast<QCheckBox *>(widget)->checkState());
    case Kind::RadioButton:
    case Kind::GroupBox:
        return widget->property("checked");
    case Kind::TextEdit:
        return widget->property("plainText");
    case Kind::ParametersTable:
    case Kind::TableWidget:
        return tableSnapshot(static_cast<QTableWidget *>(widget));
    case Kind::ModelTable:
        return true; // the model holds its own baseline
    }
    return QVariant();
}

void DialogItemValidator::takeSnapshot(QWidget *widget, WidgetState &state)
{
    if (state.kind == Kind::ModelTable) {
        if (SnapshotTableModel *model = snapshotModel(widget))
            model->takeSnapshot();
    }
    state.snapshot = currentValue(widget, state.kind);
    state.changed = false;
}

void DialogItemValidator::snapshot(QWidget *widget)
{
    WidgetState *state = stateOf(widget);
    if (!state)
        return;
    takeSnapshot(widget, *state);
    updateState();
}

void DialogItemValidator::snapshotAll()
{
    for (auto it = m_widgets.begin(); it != m_widgets.end(); ++it)
        takeSnapshot(it.key(), it.value());
    updateState();
}

void DialogItemValidator::reset()
{
    for (WidgetState &state : m_widgets) {
        state.forbiddenInts.clear();
        state.forbiddenTexts.clear();
        state.valid = true;
        state.snapshot = QVariant();
    }
    updateState();
}

void DialogItemValidator::remapSnapshot(
    QWidget *widget, const std::function<QVariant(int row, int column, const QVariant &value)> &map)
{
    WidgetState *state = stateOf(widget);
    if (!state || !state->snapshot.isValid())
        return;
    switch (state->kind) {
    case Kind::ComboBox:
        state->snapshot = map(-1, -1, state->snapshot);
        break;
    case Kind::ParametersTable:
    case Kind::TableWidget: {
        QVariantList rows = state->snapshot.toList();
        for (int row = 0; row < rows.size(); ++row) {
            QVariantList cells = rows.at(row).toList();
            for (int column = 0; column < cells.size(); ++column) {
                if (state->kind == Kind::ParametersTable) {
                    // [value, editable, row key]: only the value is what the cell names.
                    QVariantList cell = cells.at(column).toList();
                    if (cell.isEmpty())
                        continue;
                    cell[0] = map(row, column, cell.at(0));
                    cells[column] = cell;
                } else {
                    cells[column] = map(row, column, cells.at(column));
                }
            }
            rows[row] = cells;
        }
        state->snapshot = rows;
        break;
    }
    default:
        break;
    }
}

bool DialogItemValidator::isChanged(QWidget *widget) const
{
    const auto found = m_widgets.constFind(widget);
    return found != m_widgets.constEnd() && found->changed;
}

void DialogItemValidator::setChanged(QWidget *widget)
{
    WidgetState *state = stateOf(widget);
    if (!state || state->changed)
        return;
    state->changed = true;
    updateState();
}

void DialogItemValidator::setForbiddenInts(QWidget *widget, const QList<int> &values)
{
    if (WidgetState *state = stateOf(widget)) {
        state->forbiddenInts = values;
        state->valid = true;
    }
}

void DialogItemValidator::setForbiddenTexts(QWidget *widget, QStringList texts)
{
    if (WidgetState *state = stateOf(widget)) {
        texts.removeDuplicates();
        state->forbiddenTexts = texts;
        state->valid = true;
    }
}

void DialogItemValidator::removeWidget(QWidget *widget)
{
    if (!widget)
        return;
    disconnect(widget, nullptr, this, nullptr);
    if (SnapshotTableModel *model = snapshotModel(widget))
        disconnect(model, nullptr, this, nullptr);
    if (auto *table = qobject_cast<QTableWidget *>(widget)) {
        disconnect(table->horizontalHeader(), nullptr, this, nullptr);
        disconnect(table->verticalHeader(), nullptr, this, nullptr);
    }
    m_widgets.remove(widget);
}

// ---- Change slots ---------------------------------------------------------

QWidget *DialogItemValidator::watchedSender(WidgetState **state)
{
    auto *widget = qobject_cast<QWidget *>(sender());
    *state = stateOf(widget);
    return *state ? widget : nullptr;
}

void DialogItemValidator::valueWidgetChanged(const QVariant &value)
{
    WidgetState *state = nullptr;
    QWidget *widget = watchedSender(&state);
    if (!widget)
        return;
    if (state->snapshot.isValid())
        state->changed = value != state->snapshot;
    testForbidden(widget, *state, value);
    updateState();
}

void DialogItemValidator::testForbidden(QWidget *widget, WidgetState &state, const QVariant &value)
{
    bool forbidden = false;
    switch (state.kind) {
    case Kind::LineEdit:
        if (state.forbiddenTexts.isEmpty())
            return;
        forbidden = state.forbiddenTexts.contains(value.toString(), Qt::CaseSensitive);
        widget->setPalette(freshPalette<QLineEdit>(forbidden));
        break;
    case Kind::IntEdit:
    case Kind::SpinBox:
        if (state.forbiddenInts.isEmpty())
            return;
        forbidden = state.forbiddenInts.contains(value.toInt());
        widget->setPalette(freshPalette<QSpinBox>(forbidden));
        break;
    default:
        return;
    }
    state.valid = !forbidden;
    // The red base tells that something is wrong; the tool tip tells what.
    if (forbidden) {
        if (!state.explaining)
            state.ownToolTip = widget->toolTip();
        state.explaining = true;
        const QString shown = state.kind == Kind::LineEdit
            ? QLatin1Char('"') + value.toString() + QLatin1Char('"')
            : QString::number(value.toInt());
        widget->setToolTip(forbiddenReason(widget, shown));
    } else if (state.explaining) {
        state.explaining = false;
        widget->setToolTip(state.ownToolTip);
    }
}

void DialogItemValidator::intEditValueChanged(int value)
{
    valueWidgetChanged(value);
}

void DialogItemValidator::lineEditTextChanged(const QString &text)
{
    valueWidgetChanged(text);
}

void DialogItemValidator::spinBoxValueChanged(int value)
{
    valueWidgetChanged(value);
}

void DialogItemValidator::comboBoxCurrentIndexChanged(int index)
{
    valueWidgetChanged(index);
}

void DialogItemValidator::checkBoxstateChanged(int state)
{
    valueWidgetChanged(state);
}

void DialogItemValidator::radioButtonToggled(bool checked)
{
    valueWidgetChanged(checked);
}

void DialogItemValidator::groupBoxToggled(bool checked)
{
    valueWidgetChanged(checked);
}

void DialogItemValidator::textEditChanged()
{
    if (auto *edit = qobject_cast<QTextEdit *>(sender()))
        valueWidgetChanged(edit->toPlainText());
}

// A table stays changed once a change is seen: editing a cell back does not
// clear it, only a snapshot or Cancel does.
void DialogItemValidator::tableItemChanged(QTableWidgetItem *item)
{
    WidgetState *state = nullptr;
    if (!watchedSender(&state))
        return;
    if (!state->changed && state->snapshot.isValid() && item) {
        const QVariantList rows = state->snapshot.toList();
        const int row = item->row();
        const int column = item->column();
        if (row < 0 || row >= rows.size()) {
            state->changed = true;
        } else {
            const QVariantList cells = rows.at(row).toList();
            if (column < 0 || column >= cells.size()) {
                state->changed = true;
            } else {
                const QVariant expected = state->kind == Kind::ParametersTable
                    ? cells.at(column).toList().value(0)
                    : cells.at(column);
                state->changed = expected != item->data(Qt::EditRole);
            }
        }
    }
    updateState();
}

// Like a table widget, the view stays changed from its first edit on.
void DialogItemValidator::modelEdited()
{
    for (auto it = m_widgets.begin(); it != m_widgets.end(); ++it) {
        if (it->kind == Kind::ModelTable && it->snapshot.isValid()
            && snapshotModel(it.key()) == sender())
            it->changed = true;
    }
    updateState();
}

QTableWidget *DialogItemValidator::senderTable(WidgetState **state)
{
    *state = nullptr;
    auto *header = qobject_cast<QHeaderView *>(sender());
    auto *table = header ? qobject_cast<QTableWidget *>(header->parent()) : nullptr;
    if (!table || (table->horizontalHeader() != header && table->verticalHeader() != header))
        return nullptr;
    *state = stateOf(table);
    return *state ? table : nullptr;
}

void DialogItemValidator::tableSectionCountChanged(int oldCount, int newCount)
{
    if (oldCount == newCount)
        return;
    WidgetState *state = nullptr;
    if (!senderTable(&state) || state->changed || !state->snapshot.isValid())
        return;
    state->changed = true;
    updateState();
}

void DialogItemValidator::tableSectionMoved(int, int, int)
{
    WidgetState *state = nullptr;
    QTableWidget *table = senderTable(&state);
    if (!table)
        return;
    if (!state->changed && state->snapshot.isValid()) {
        const QHeaderView *header = table->horizontalHeader();
        for (int column = 0; column < table->columnCount(); ++column) {
            if (header->visualIndex(column) != column) {
                state->changed = true;
                break;
            }
        }
    }
    updateState();
}

// ---- Page state -----------------------------------------------------------

QDialogButtonBox *DialogItemValidator::buttonBox()
{
    if (m_buttonBox)
        return m_buttonBox;
    // The page's own box before the boxes of pages nested in it: level by level.
    QObjectList level = parent()->children();
    while (!level.isEmpty()) {
        QObjectList next;
        for (QObject *child : qAsConst(level)) {
            if (auto *box = qobject_cast<QDialogButtonBox *>(child)) {
                m_buttonBox = box;
                return box;
            }
            next += child->children();
        }
        level = next;
    }
    return nullptr;
}

void DialogItemValidator::updateState()
{
    QObject *page = parent();
    if (!page)
        return;
    bool valid = true;
    bool changed = false;
    for (const WidgetState &state : qAsConst(m_widgets)) {
        valid = valid && state.valid;
        changed = changed || state.changed;
    }
    page->setProperty("valid", valid);
    page->setProperty("changed", changed);
    if (changed != m_anyChanged) {
        m_anyChanged = changed;
        emit this->changed(changed);
    }

    QDialogButtonBox *box = buttonBox();
    if (!box)
        return;
    if (QPushButton *apply = box->button(QDialogButtonBox::Apply))
        apply->setEnabled(changed && valid);
    if (QPushButton *cancel = box->button(QDialogButtonBox::Cancel)) {
        cancel->setEnabled(changed || !valid);
        connect(cancel, &QPushButton::clicked, this, &DialogItemValidator::cancelChanges,
                Qt::UniqueConnection);
    }
}

// ---- Cancel ---------------------------------------------------------------

void DialogItemValidator::restore(QWidget *widget, const WidgetState &state)
{
    const QVariant &snapshot = state.snapshot;
    switch (state.kind) {
    case Kind::IntEdit:
    case Kind::SpinBox:
        widget->setProperty("value", snapshot);
        break;
    case Kind::LineEdit:
        widget->setProperty("text", snapshot);
        break;
    case Kind::ComboBox:
        widget->setProperty("currentIndex", snapshot);
        break;
    case Kind::RadioButton:
    case Kind::GroupBox:
        widget->setProperty("checked", snapshot);
        break;
    case Kind::TextEdit:
        widget->setProperty("plainText", snapshot);
        break;
    case Kind::CheckBox: {
        // Page slots that follow the box by clicked() must hear of it even when
        // the state does not change; a tristate box tells by stateChanged().
        auto *box = static_cast<QCheckBox *>(widget);
        const int checkState = snapshot.toInt();
        box->setCheckState(Qt::CheckState(checkState));
        if (box->isTristate())
            emit box->stateChanged(checkState);
        else
            emit box->clicked(checkState == Qt::Checked);
        break;
    }
    case Kind::ParametersTable:
        restoreParametersTable(static_cast<ParametersTable *>(widget), snapshot.toList());
        restoreColumns(static_cast<QTableWidget *>(widget));
        break;
    case Kind::TableWidget:
        restoreTableWidget(static_cast<QTableWidget *>(widget), snapshot.toList());
        restoreColumns(static_cast<QTableWidget *>(widget));
        break;
    case Kind::ModelTable:
        if (SnapshotTableModel *model = snapshotModel(widget))
            model->restoreSnapshot();
        break;
    }
}

void DialogItemValidator::cancelChanges()
{
    // The widgets' signals run page slots while values come back, so each record
    // is looked up again rather than held across a restore.
    const QList<QWidget *> widgets = m_widgets.keys();
    for (QWidget *widget : widgets) {
        const WidgetState *state = stateOf(widget);
        // Without a snapshot there is nothing to go back to: writing the invalid
        // snapshot would empty the field.
        if (state && state->snapshot.isValid())
            restore(widget, WidgetState(*state));
        if (WidgetState *after = stateOf(widget))
            after->changed = false;
    }
    updateState();
}

#include "editorpages.h"

#include "zumoltc/model/zuenums.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHash>
#include <QMessageBox>
#include <QRegExp>
#include <QRegExpValidator>
#include <QSignalBlocker>
#include <QWidget>

namespace EditorPages {

void setDescendantsEnabled(QWidget *page, bool enabled)
{
    const QList<QWidget *> widgets = page->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (!qobject_cast<QDialogButtonBox *>(widget))
            widget->setEnabled(enabled);
    }
}

void writeIdAndName(const DialogItemValidator &validator, IntEdit *id, QLineEdit *name,
                    ZUBaseObject *object)
{
    if (validator.isChanged(id))
        object->setId(id->value());
    if (validator.isChanged(name))
        object->setName(name->text());
}

bool askSaveAnyway(QWidget *page, const QString &text)
{
    return QMessageBox::question(page, QCoreApplication::translate("EditorPages", "Invalid data"),
                                 text, QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

QRegExpValidator *dayMonthValidator(QObject *parent)
{
    return new QRegExpValidator(
        QRegExp(QStringLiteral("([1-9]|0[1-9]|1[0-9]|2[0-9]|3[0-1])\\.([1-9]|0[1-9]|1[0-2])"),
                Qt::CaseSensitive),
        parent);
}

namespace {

// The position of object among objects, -1 for none or a dead object.
int indexOfObject(const QList<QPointer<QObject>> &objects, const QObject *object)
{
    if (!object)
        return -1;
    for (int i = 0; i < objects.size(); ++i) {
        if (objects.at(i) == object)
            return i;
    }
    return -1;
}

} // namespace

void refillObjects(QComboBox *combo, const ObjectChoices &choices, DialogItemValidator *validator)
{
    const bool edited = validator && validator->isChanged(combo);
    QList<QPointer<QObject>> before;
    QList<QVariant> idsBefore;
    for (int i = 0; i < combo->count(); ++i) {
        before << combo->itemData(i, ObjectRole).value<QPointer<QObject>>();
        idsBefore << combo->itemData(i);
    }
    // The item that shows now the object of the item at index; an item filled
    // without its object is found by its id.
    const auto indexNow = [&](int index) {
        if (index < 0 || index >= before.size())
            return -1;
        if (!before.at(index).isNull())
            return indexOfObject(choices.objects, before.at(index));
        return idsBefore.at(index).isValid() ? choices.ids.indexOf(idsBefore.at(index)) : -1;
    };
    const int shown = indexNow(combo->currentIndex());
    {
        // The box changes only once for the page, from the old choice to the new.
        const QSignalBlocker blocker(combo);
        combo->clear();
        for (int i = 0; i < choices.ids.size(); ++i) {
            combo->addItem(choices.texts.value(i), choices.ids.at(i));
            combo->setItemData(i, QVariant::fromValue(choices.objects.value(i)), ObjectRole);
        }
        combo->setCurrentIndex(shown);
    }
    if (!validator)
        return;
    if (edited)
        validator->remapSnapshot(combo, [&](int, int, const QVariant &index) {
            return QVariant(indexNow(index.toInt()));
        });
    else
        validator->snapshot(combo);
}

void refillObjects(ComboBoxDelegate *delegate, const ObjectChoices &choices)
{
    delegate->texts = choices.texts;
    delegate->values = choices.ids;
    delegate->objects = choices.objects;
}

void refillLines(ParametersTable *table, bool byRow, const QList<int> &lines,
                 const ObjectChoices &choices, DialogItemValidator *validator)
{
    if (lines.isEmpty())
        return;
    auto *delegate
        = qobject_cast<ComboBoxDelegate *>(byRow ? table->itemDelegateForRow(lines.first())
                                                 : table->itemDelegateForColumn(lines.first()));
    // Each id the delegate offered, with the id its object has now (not set
    // for an object that is gone).
    QHash<int, int> renumbered;
    if (delegate) {
        for (int i = 0; i < delegate->values.size() && i < delegate->objects.size(); ++i) {
            const int now = indexOfObject(choices.objects, delegate->objects.at(i));
            renumbered.insert(cellInt(delegate->values.at(i)),
                              now < 0 ? int(zu::NotSet) : cellInt(choices.ids.at(now)));
        }
        refillObjects(delegate, choices);
    }
    // A cell names the object its id named in the delegate's list before; an
    // id that list did not offer stays while an object has it.
    const auto follow = [&](const QVariant &cell) {
        const int id = cellInt(cell);
        if (id == zu::NotSet)
            return cell;
        const auto found = renumbered.constFind(id);
        const int now = found != renumbered.constEnd()
            ? found.value()
            : (choices.ids.contains(QVariant(id)) ? id : int(zu::NotSet));
        return now == id ? cell : intCell(now);
    };
    const auto inLines = [&](int row, int column) {
        return lines.contains(byRow ? row : column);
    };

    const bool edited = validator && validator->isChanged(table);
    bool followed = false;
    {
        // A cell changed here is no edit: the validator hears of it only below.
        const QSignalBlocker blocker(table);
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 0; column < table->columnCount(); ++column) {
                QTableWidgetItem *cell = table->item(row, column);
                if (!cell || !inLines(row, column))
                    continue;
                const QVariant before = cell->data(Qt::EditRole);
                const QVariant now = follow(before);
                if (now == before)
                    continue;
                cell->setData(Qt::EditRole, now);
                followed = true;
            }
        }
    }
    if (validator) {
        if (edited) {
            validator->remapSnapshot(table, [&](int row, int column, const QVariant &value) {
                return inLines(row, column) ? follow(value) : value;
            });
        } else if (followed) {
            validator->snapshot(table);
        }
    }
    table->viewport()->update();
}

void selectObject(QComboBox *combo, const ZUBaseObject *object)
{
    combo->setCurrentIndex(object ? combo->findData(object->id()) : -1);
}

void followEnabled(QWidget *page, bool enabled)
{
    const QList<QWidget *> children
        = page->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        if (child->objectName() == QLatin1String("enabled")
            || child->objectName() == QLatin1String("buttonBox"))
            continue;
        child->setEnabled(enabled);
    }
}

QVariant intCell(int value)
{
    return value == zu::NotSet ? QVariant() : QVariant(value);
}

int cellInt(const QVariant &cell)
{
    if (!cell.isValid() || cell.isNull())
        return zu::NotSet;
    bool ok = false;
    const int value = cell.toString().trimmed().toInt(&ok);
    return ok ? value : zu::NotSet;
}

} // namespace EditorPages

#include "editorpages.h"

#include "zumoltc/model/zuenums.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
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

void emptyCellsOfGoneObjects(ParametersTable *table, int row, int column, const QList<int> &ids,
                             DialogItemValidator *validator)
{
    const bool edited = validator && validator->isChanged(table);
    bool emptied = false;
    {
        // A cell emptied here is no edit: the validator hears of it only below.
        const QSignalBlocker blocker(table);
        const int rows = row < 0 ? table->rowCount() : 1;
        const int columns = column < 0 ? table->columnCount() : 1;
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                QTableWidgetItem *cell = table->item(row < 0 ? r : row, column < 0 ? c : column);
                if (!cell)
                    continue;
                const int id = cellInt(cell->data(Qt::EditRole));
                if (id == zu::NotSet || ids.contains(id))
                    continue;
                cell->setData(Qt::EditRole, QVariant());
                emptied = true;
            }
        }
    }
    if (emptied && validator && !edited)
        validator->snapshot(table);
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

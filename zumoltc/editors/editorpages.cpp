#include "editorpages.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QRegExp>
#include <QRegExpValidator>
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

void writeIdAndName(const DialogItemValidator &validator, IntEdit *id, QLineEdit *name, ZUBaseObject *object)
{
    if (validator.isChanged(id))
        object->setId(id->value());
    if (validator.isChanged(name))
        object->setName(name->text());
}

bool askSaveAnyway(QWidget *page, const QString &text)
{
    return QMessageBox::question(page, QCoreApplication::translate("EditorPages", "Invalid data"), text,
                                 QMessageBox::Yes | QMessageBox::No)
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

void fillSwitchTypes(QComboBox *types)
{
    for (const auto &item : enumItems<zu::Switch>(true))
        types->addItem(item.first, item.second);
    types->setCurrentIndex(-1);
}

void showCurrentBounds(QWidget *bounds, const QComboBox *types, int index)
{
    bounds->setVisible(enumValue<zu::Switch>(types->itemData(index)) != zu::ZU4_SW);
}

} // namespace EditorPages

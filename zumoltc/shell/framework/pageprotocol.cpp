#include "pageprotocol.h"

#include "dialogitemvalidator.h"
#include "intedit.h"
#include "zumoltc/model/zuenums.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>

namespace PageProtocol {

namespace {

void setIdAndNameEnabled(IntEdit *id, QLineEdit *name, QCheckBox *manualName, bool enabled)
{
    id->setEnabled(enabled);
    name->setEnabled(enabled);
    manualName->setEnabled(enabled);
}

} // namespace

bool isApplyClick(QAbstractButton *button, bool loaded, const DialogItemValidator &validator)
{
    const auto *box = button ? qobject_cast<const QDialogButtonBox *>(button->parent()) : nullptr;
    return box && box->standardButton(button) == QDialogButtonBox::Apply && loaded
        && validator.anyChanged();
}

QString nameForId(const QString &prefix, const QString &idText)
{
    return prefix + idText;
}

bool isManualName(const QString &name, const QString &prefix, int id)
{
    // An id that is not set shows as an empty field, which a following name ends in.
    const QString idText = id == zu::NotSet ? QString() : QString::number(id, 10);
    return name != nameForId(prefix, idText);
}

void followId(QLineEdit *name, const QCheckBox *manualName, const QString &prefix,
              const QString &idText)
{
    if (!manualName->isChecked())
        name->setText(nameForId(prefix, idText));
}

void setManualName(QLineEdit *name, bool manual, const QString &prefix, const QString &idText)
{
    name->setReadOnly(!manual);
    if (!manual)
        name->setText(nameForId(prefix, idText));
}

void showIdAndName(IntEdit *id, QLineEdit *name, QCheckBox *manualName, const QString &prefix,
                   int objectId, const QString &objectName)
{
    setIdAndNameEnabled(id, name, manualName, true);
    id->setValue(objectId);
    const bool manual = isManualName(objectName, prefix, objectId);
    manualName->setChecked(manual);
    // The page's toggled slot only runs on a change; the name must follow all the same.
    setManualName(name, manual, prefix, id->text());
    name->setText(objectName);
}

void clearIdAndName(IntEdit *id, QLineEdit *name, QCheckBox *manualName)
{
    id->reset();
    manualName->setChecked(false);
    name->clear();
    setIdAndNameEnabled(id, name, manualName, false);
}

} // namespace PageProtocol

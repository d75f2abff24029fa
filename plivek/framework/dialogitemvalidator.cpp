#include "dialogitemvalidator.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPalette>
#include <QSpinBox>

namespace {

// The look of an editor of this kind that nobody has touched, with the base
// painted red when the value is forbidden.
template<typename Editor> QPalette editorPalette(bool forbidden)
{
    Editor fresh;
    QPalette palette = fresh.palette();
    if (forbidden)
        palette.setBrush(QPalette::All, QPalette::Base, QBrush(Qt::red, Qt::SolidPattern));
    return palette;
}

} // namespace

DialogItemValidator::DialogItemValidator(QObject *parent)
    : QObject(parent)
{
}

DialogItemValidator::~DialogItemValidator() = default;

void DialogItemValidator::addLineEdit(QLineEdit *edit, QStringList forbidden)
{
    if (!edit)
        return;
    forbidden.removeDuplicates();
    m_lineEdits.insert(edit, forbidden);
    m_valid.insert(edit, true);
    connect(edit, &QLineEdit::textChanged, this, &DialogItemValidator::lineEditTextChanged,
            Qt::UniqueConnection);
    connect(edit, &QObject::destroyed, this, [this, edit] {
        m_lineEdits.remove(edit);
        forgetEditor(edit);
    });
}

void DialogItemValidator::addSpinBox(QSpinBox *box, const QList<int> &forbidden)
{
    if (!box)
        return;
    m_spinBoxes.insert(box, forbidden);
    m_valid.insert(box, true);
    connect(box, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &DialogItemValidator::spinBoxValueChanged, Qt::UniqueConnection);
    connect(box, &QObject::destroyed, this, [this, box] {
        m_spinBoxes.remove(box);
        forgetEditor(box);
    });
}

void DialogItemValidator::forgetEditor(QWidget *editor)
{
    if (!m_valid.contains(editor)) // registered twice: the second notice finds nothing
        return;
    const bool wasValid = m_valid.take(editor);
    // An editor that held a forbidden value no longer blocks the dialog. The
    // box is only updated when already known: the dialog may be going away,
    // and its children are then no place to search.
    if (!wasValid && m_buttonBox)
        updateOkButton();
}

void DialogItemValidator::lineEditTextChanged(const QString &text)
{
    auto *edit = qobject_cast<QLineEdit *>(sender());
    if (!edit)
        return;
    const QStringList forbidden = m_lineEdits.value(edit);
    if (forbidden.isEmpty())
        return;
    const bool isForbidden = forbidden.contains(text, Qt::CaseSensitive);
    m_valid.insert(edit, !isForbidden);
    edit->setPalette(editorPalette<QLineEdit>(isForbidden));
    updateOkButton();
}

void DialogItemValidator::spinBoxValueChanged(int value)
{
    auto *box = qobject_cast<QSpinBox *>(sender());
    if (!box)
        return;
    const QList<int> forbidden = m_spinBoxes.value(box);
    if (forbidden.isEmpty())
        return;
    const bool isForbidden = forbidden.contains(value);
    m_valid.insert(box, !isForbidden);
    box->setPalette(editorPalette<QSpinBox>(isForbidden));
    updateOkButton();
}

void DialogItemValidator::updateOkButton()
{
    QObject *owner = parent();
    if (!owner)
        return;
    bool allValid = true;
    for (auto it = m_valid.cbegin(); it != m_valid.cend(); ++it) {
        if (!it.value()) {
            allValid = false;
            break;
        }
    }
    if (!m_buttonBox) {
        m_buttonBox = owner->findChild<QDialogButtonBox *>();
        if (!m_buttonBox)
            return;
        connect(m_buttonBox, &QObject::destroyed, this, [this] { m_buttonBox = nullptr; });
    }
    m_buttonBox->setEnabled(allValid);
}

#include "intedit.h"

#include "zumoltc/model/zuenums.h"

#include <QIntValidator>

IntEdit::IntEdit(QWidget *parent)
    : QLineEdit(parent)
    , m_firstMerged(zu::NotSet)
    , m_validator(new QIntValidator(0, zu::NotSet, this))
{
    setValidator(m_validator);
    connect(this, &QLineEdit::textChanged, this, &IntEdit::on_text_changed);
}

IntEdit::~IntEdit() = default;

int IntEdit::value(bool *ok, int base) const
{
    bool isNumber = false;
    const int number = text().toInt(&isNumber, base);
    if (ok)
        *ok = isNumber;
    return isNumber ? number : zu::NotSet;
}

void IntEdit::setValue(int value)
{
    if (value == zu::NotSet)
        clear();
    else
        setText(QString::number(value, 10));
}

void IntEdit::reset()
{
    clear();
    setPlaceholderText(QString());
    m_mergeStarted = false;
}

void IntEdit::setTop(int top)
{
    if (m_validator)
        m_validator->setTop(top);
}

void IntEdit::setRange(int bottom, int top)
{
    if (m_validator)
        m_validator->setRange(bottom, top);
}

void IntEdit::mergeValue(int value)
{
    if (!m_mergeStarted) {
        setValue(value);
        m_firstMerged = value;
        m_mergeStarted = true;
        return;
    }
    // The first difference decides the placeholder; later values change nothing.
    if (!placeholderText().isEmpty() || value == m_firstMerged)
        return;
    if (m_firstMerged == zu::NotSet)
        setValue(value);
    setPlaceholderText(text());
    clear();
}

void IntEdit::on_text_changed(const QString &val)
{
    bool ok = false;
    const int number = val.toInt(&ok, 10);
    emit valueChanged(ok ? number : zu::NotSet);
}

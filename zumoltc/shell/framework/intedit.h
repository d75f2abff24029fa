#pragma once

#include <QLineEdit>

class QIntValidator;

// The field in which the editor pages edit an integer attribute of the model.
// Its value is a non-negative integer or the not-set value 2147483647
// (zu::NotSet), which shows as an empty field; the text "2147483647" reads the
// same as an empty field. The field owns its QIntValidator (0..2147483647 unless
// narrowed), so a minus sign or letters cannot be typed.
//
// Several objects shown at once (reset, then mergeValue once per object): equal
// values show; differing values leave the field empty with a placeholder that
// names the first object's value, or, when that one is not set, the first value
// that differed from it.
class IntEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged)
public:
    explicit IntEdit(QWidget *parent = nullptr);
    ~IntEdit() override;

    // The text read as an integer in base; 2147483647 when it is not a number
    // (an empty field included). ok, when given, tells whether it was one.
    int value(bool *ok = nullptr, int base = 10) const;
    // 2147483647 empties the field; any other value shows in decimal.
    void setValue(int value);

    // Before a new selection is loaded: empty text, no placeholder, no merge.
    void reset();
    // Narrow the accepted range; an empty text (not set) stays acceptable.
    void setTop(int top);
    void setRange(int bottom, int top);

    // One merge step per shown object, in list order, after reset().
    void mergeValue(int value);

signals:
    // On every text change, also those made by program; an empty text gives 2147483647.
    void valueChanged(int value);

private slots:
    void on_text_changed(const QString &val);

private:
    int m_firstMerged;
    bool m_mergeStarted = false;
    QIntValidator *m_validator;
};

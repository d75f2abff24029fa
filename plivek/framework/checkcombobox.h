#pragma once

#include <QComboBox>
#include <QStringList>

// A combo box whose items carry check boxes. Its line shows the checked items
// joined by the separator, or the default text when none is checked; a click on
// an item toggles it and keeps the list open, Return or Enter closes the list,
// as does a click on the popup frame or outside it.
class CheckComboBox : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(QString separator READ separator WRITE setSeparator)
    Q_PROPERTY(QString defaultText READ defaultText WRITE setDefaultText)
    Q_PROPERTY(
        QStringList checkedItems READ checkedItems WRITE setCheckedItems NOTIFY checkedItemsChanged)
public:
    explicit CheckComboBox(QWidget *parent = nullptr);
    ~CheckComboBox() override;

    // Display texts of the checked items, in row order.
    QStringList checkedItems() const;

    QString separator() const { return m_separator; }
    void setSeparator(const QString &separator);
    QString defaultText() const { return m_defaultText; }
    void setDefaultText(const QString &text);

    bool eventFilter(QObject *watched, QEvent *event) override;
    // Obeyed only while closing is allowed: a click on an item keeps the list open.
    void hidePopup() override;

public slots:
    // Checks the items with these texts (exact match); never unchecks anything.
    void setCheckedItems(const QStringList &items);
    void updateCheckedItems();
    void toggleCheckState(int index);

signals:
    void checkedItemsChanged(const QStringList &items);

protected:
    bool event(QEvent *event) override;

private:
    QString lineText() const;

    QString m_separator;
    QString m_defaultText;
    bool m_mayClose = false;
};

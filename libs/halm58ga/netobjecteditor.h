#pragma once

#include <QPointer>
#include <QTableWidget>

namespace Halm58a {
class NetObject;
}

namespace Halm58ga {

// The property table of one network object: its kind, its name and the
// properties its class declares, one row each ("Property", "Value"). Whole
// numbers, real numbers, texts and points ("x, y" in metres) are edited in
// place and written to the object at once; a value that does not convert is
// refused and the row shows the object's value again.
class NetObjectEditor : public QTableWidget
{
    Q_OBJECT
public:
    enum Column { PropertyColumn, ValueColumn, ColumnCount };

    explicit NetObjectEditor(QWidget *parent = nullptr);

    Halm58a::NetObject *object() const { return m_object; }
    void setObject(Halm58a::NetObject *object);
    // Shows the object's current values again.
    void refresh();

private:
    void addRow(const QString &property, const QString &title, const QString &value, bool editable);
    void writeValue(QTableWidgetItem *item);

    QPointer<Halm58a::NetObject> m_object;
    bool m_filling = false;
    bool m_writing = false;
};

} // namespace Halm58ga

#pragma once

#include <QDialog>
#include <QVariant>
#include <QVariantMap>

class VObject;

// Base class of the parameter dialogs whose widgets are named after the
// configuration keys they edit. It reads and writes a widget's value by its
// object name and moves whole key lists between the widgets and a native-data
// node, the dynamic properties of an object or a map.
//
// Not set is an invalid QVariant: an empty text, a partly ticked check box, a
// spin box at its minimum that shows a special text, and any disabled widget
// (or one of a disabled ancestor) read so. A key list is a static array of
// key texts ended by a null pointer; each key is the object name of a widget.
//
// Integer spin boxes with a special text (present at the first show) select
// that text when entered at their minimum and go back to it when their number
// is erased; Enter there leaves them at it and goes to the dialog's OK.
class UiDataExchange : public QDialog
{
    Q_OBJECT
public:
    explicit UiDataExchange(QWidget *parent = nullptr);
    ~UiDataExchange() override;

    // The widget's value; with a property name the class has, that property.
    QVariant widgetValue(const QString &name, const char *property = nullptr) const;
    // Writes the value into the widget; a missing widget ignores it.
    void setWidgetValue(const QString &name, QVariant value);

    // Each key's widget value by its key. Taken after loading, it tells storing
    // which widgets the user left as they showed the stored values.
    QVariantMap widgetValues(const char *const *keys) const;
    // Each key's widget value stored under that key of the node.
    void widgetsToVObject(VObject &node, const char *const *keys) const;
    // Each key's widget value set as the target's property of that name (a
    // not-set value removes a dynamic property); a null target does nothing.
    void widgetsToProperties(QObject *target, const char *const *keys) const;
    // Every key of the map node, in its order, written into its widget.
    void vobjectToWidgets(const VObject &node);
    void mapToWidgets(const QVariantMap &map);

    bool eventFilter(QObject *watched, QEvent *event) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *findWidget(const QString &name) const;

    bool shownOnce = false;
};

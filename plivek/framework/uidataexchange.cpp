#include "uidataexchange.h"

#include "cnf/vobject.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QMetaObject>
#include <QSpinBox>

namespace {

bool hasProperty(const QObject *object, const char *name)
{
    return object->metaObject()->indexOfProperty(name) >= 0;
}

// A spin box that shows its special text stands at its minimum.
bool showsSpecialText(const QObject *widget)
{
    return !widget->property("specialValueText").toString().isEmpty()
        && widget->property("value") == widget->property("minimum");
}

// The spin box shows its special text as it is, not a number typed over it.
bool showsSpecialTextItself(const QObject *widget)
{
    return showsSpecialText(widget)
        && widget->property("text").toString() == widget->property("specialValueText").toString();
}

bool isEnter(const QEvent *event)
{
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QVariant textValue(const QVariant &text)
{
    return text.toString().isEmpty() ? QVariant() : text;
}

} // namespace

UiDataExchange::UiDataExchange(QWidget *parent)
    : QDialog(parent)
{
}

UiDataExchange::~UiDataExchange() = default;

QWidget *UiDataExchange::findWidget(const QString &name) const
{
    return findChild<QWidget *>(name);
}

QVariant UiDataExchange::widgetValue(const QString &name, const char *property) const
{
    const QWidget *widget = findWidget(name);
    if (!widget || !widget->isEnabled())
        return QVariant();
    if (property && hasProperty(widget, property))
        return widget->property(property);
    if (hasProperty(widget, "currentIndex"))
        return widget->property("currentIndex");
    if (hasProperty(widget, "tableData"))
        return widget->property("tableData");
    if (hasProperty(widget, "checked")) {
        const auto *box = qobject_cast<const QCheckBox *>(widget);
        if (box && box->checkState() == Qt::PartiallyChecked)
            return QVariant();
        return widget->property("checked").toBool() ? 1 : 0;
    }
    if (hasProperty(widget, "value"))
        return showsSpecialText(widget) ? QVariant() : widget->property("value");
    if (hasProperty(widget, "text"))
        return textValue(widget->property("text"));
    if (hasProperty(widget, "plainText"))
        return textValue(widget->property("plainText"));
    return QVariant();
}

void UiDataExchange::setWidgetValue(const QString &name, QVariant value)
{
    QWidget *widget = findWidget(name);
    if (!widget)
        return;
    if (hasProperty(widget, "currentIndex")) {
        int index = -1;
        if (value.type() == QVariant::String) {
            if (auto *combo = qobject_cast<QComboBox *>(widget))
                index = combo->findData(value, Qt::DisplayRole,
                                        Qt::MatchExactly | Qt::MatchCaseSensitive);
        } else {
            index = value.toInt();
        }
        widget->setProperty("currentIndex", index);
    } else if (hasProperty(widget, "tableData")) {
        widget->setProperty("tableData", value);
    } else if (hasProperty(widget, "checked")) {
        auto *box = qobject_cast<QCheckBox *>(widget);
        if (!value.isValid() && widget->property("tristate").toBool() && box)
            box->setCheckState(Qt::PartiallyChecked);
        else
            widget->setProperty("checked", value.toInt() == 1);
    } else if (hasProperty(widget, "value")) {
        if (!value.isValid() && !widget->property("specialValueText").toString().isEmpty())
            value = widget->property("minimum");
        widget->setProperty("value", value);
    } else if (hasProperty(widget, "text")) {
        widget->setProperty("text", value);
    } else if (hasProperty(widget, "plainText")) {
        widget->setProperty("plainText", value);
    }
}

QVariantMap UiDataExchange::widgetValues(const char *const *keys) const
{
    QVariantMap values;
    for (; keys && *keys; ++keys)
        values.insert(QLatin1String(*keys), widgetValue(QLatin1String(*keys)));
    return values;
}

void UiDataExchange::widgetsToVObject(VObject &node, const char *const *keys) const
{
    for (; keys && *keys; ++keys)
        node[*keys] = widgetValue(QLatin1String(*keys));
}

void UiDataExchange::widgetsToProperties(QObject *target, const char *const *keys) const
{
    if (!target)
        return;
    for (; keys && *keys; ++keys)
        target->setProperty(*keys, widgetValue(QLatin1String(*keys)));
}

void UiDataExchange::vobjectToWidgets(const VObject &node)
{
    for (const QString &key : node.keys())
        setWidgetValue(key, node[key].toVariant());
}

void UiDataExchange::mapToWidgets(const QVariantMap &map)
{
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        setWidgetValue(it.key(), it.value());
}

bool UiDataExchange::eventFilter(QObject *watched, QEvent *event)
{
    if (watched->inherits("QSpinBox")) {
        if (event->type() == QEvent::FocusIn) {
            // Queued, so the special text is selected after the focus change
            // and the first key typed replaces it.
            if (watched->property("value") == watched->property("minimum"))
                QMetaObject::invokeMethod(watched, "selectAll", Qt::QueuedConnection);
        } else if (event->type() == QEvent::FocusOut) {
            // An erased number goes back to the special text: not set.
            if (watched->property("cleanText").toString().isEmpty())
                watched->setProperty("value", watched->property("minimum"));
        } else if (event->type() == QEvent::KeyPress && isEnter(event)
                   && (showsSpecialTextItself(watched)
                       || watched->property("cleanText").toString().isEmpty())) {
            // Enter makes a spin box read its text, and the special text (or none)
            // reads as no number, which the box would correct to the number nearest 0.
            // The box stays not set, and the dialog gets the Enter (its OK).
            watched->setProperty("value", watched->property("minimum"));
            event->ignore();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void UiDataExchange::showEvent(QShowEvent *event)
{
    if (!shownOnce) {
        shownOnce = true;
        for (QSpinBox *box : findChildren<QSpinBox *>()) {
            if (!box->specialValueText().isEmpty())
                box->installEventFilter(this);
        }
    }
    QDialog::showEvent(event);
}

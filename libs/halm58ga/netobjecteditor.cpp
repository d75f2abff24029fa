#include "netobjecteditor.h"

#include "halm58a/connection.h"
#include "halm58a/crosswalk.h"
#include "halm58a/netobject.h"
#include "halm58a/signalgroup.h"

#include <QHeaderView>
#include <QMetaProperty>
#include <QPointF>

namespace Halm58ga {

namespace {

const int PropertyRole = Qt::UserRole;

// Points read "x, y"; everything else as Qt converts it to text.
QString valueText(const QVariant &value)
{
    if (value.userType() != QMetaType::QPointF)
        return value.toString();
    const QPointF point = value.toPointF();
    return QStringLiteral("%1, %2").arg(point.x()).arg(point.y());
}

QString kindTitle(const QObject *object)
{
    const QString name = QString::fromLatin1(object->metaObject()->className());
    return name.mid(name.lastIndexOf(QLatin1Char(':')) + 1);
}

QString groupList(const QList<Halm58a::SignalGroup *> &groups)
{
    QStringList ids;
    for (const Halm58a::SignalGroup *group : groups)
        ids.append(QString::number(group->tlId()));
    return ids.join(QLatin1Char(','));
}

} // namespace

NetObjectEditor::NetObjectEditor(QWidget *parent)
    : QTableWidget(0, ColumnCount, parent)
{
    setObjectName(QStringLiteral("netObjectEditor"));
    setHorizontalHeaderLabels({ tr("Property"), tr("Value") });
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTableWidget::itemChanged, this, &NetObjectEditor::writeValue);
}

void NetObjectEditor::setObject(Halm58a::NetObject *object)
{
    m_object = object;
    refresh();
}

void NetObjectEditor::refresh()
{
    if (m_writing)
        return;
    m_filling = true;
    setRowCount(0);
    if (Halm58a::NetObject *object = m_object) {
        addRow(QString(), tr("Kind"), kindTitle(object), false);
        // A signal group's name is its id and follows it.
        addRow(QStringLiteral("objectName"), tr("Name"), object->objectName(),
               !qobject_cast<Halm58a::SignalGroup *>(object));
        const QMetaObject *meta = object->metaObject();
        for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
            const QMetaProperty property = meta->property(i);
            addRow(QString::fromLatin1(property.name()), QString::fromLatin1(property.name()),
                   valueText(property.read(object)), property.isWritable());
        }
        if (auto *connection = qobject_cast<Halm58a::Connection *>(object))
            addRow(QString(), tr("Signal groups"), groupList(connection->signalGroups()), false);
        if (auto *crossWalk = qobject_cast<Halm58a::CrossWalk *>(object))
            addRow(QString(), tr("Signal group"),
                   crossWalk->signalGroup() ? QString::number(crossWalk->signalGroup()->tlId())
                                            : QString(),
                   false);
    }
    m_filling = false;
}

void NetObjectEditor::addRow(const QString &property, const QString &title, const QString &value,
                             bool editable)
{
    const int row = rowCount();
    insertRow(row);
    auto *name = new QTableWidgetItem(title);
    name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setItem(row, PropertyColumn, name);
    auto *cell = new QTableWidgetItem(value);
    cell->setData(PropertyRole, property);
    cell->setFlags(editable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                            : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setItem(row, ValueColumn, cell);
}

void NetObjectEditor::writeValue(QTableWidgetItem *item)
{
    if (m_filling || !m_object || item->column() != ValueColumn)
        return;
    const QByteArray name = item->data(PropertyRole).toString().toLatin1();
    if (name.isEmpty())
        return;
    const QString text = item->text().trimmed();
    const QVariant current = m_object->property(name.constData());
    QVariant value;
    bool ok = true;
    switch (current.userType()) {
    case QMetaType::Int:
        value = text.toInt(&ok);
        break;
    case QMetaType::Double:
        value = text.toDouble(&ok);
        ok = ok && qIsFinite(value.toDouble());
        break;
    case QMetaType::QPointF: {
        const QStringList parts = text.split(QLatin1Char(','));
        bool okX = false, okY = false;
        const double x = parts.value(0).trimmed().toDouble(&okX);
        const double y = parts.value(1).trimmed().toDouble(&okY);
        ok = parts.size() == 2 && okX && okY;
        value = QPointF(x, y);
        break;
    }
    default:
        value = text;
        break;
    }
    // The rows stay while the object reports its change: only this cell follows.
    m_writing = true;
    if (ok)
        m_object->setProperty(name.constData(), value);
    m_writing = false;
    m_filling = true;
    item->setText(valueText(m_object ? m_object->property(name.constData()) : QVariant()));
    m_filling = false;
}

} // namespace Halm58ga

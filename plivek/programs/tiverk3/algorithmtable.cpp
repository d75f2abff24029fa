#include "algorithmtable.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramrecord.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/cnftiverklayout.h"
#include "common/widgets/parameterstable.h"
#include "common/widgets/tablecells.h"
#include "dtaddressdelegate.h"
#include "layouttexts.h"
#include "plivek/framework/comboboxdelegate.h"

#include <QCoreApplication>
#include <QRegExp>

#include <QHeaderView>
#include <QSignalBlocker>
#include <algorithm>

namespace {

constexpr int NotSetByte = 255;
constexpr int NotSetWord = 65535;
constexpr int NestedMargin = 15;
constexpr int HeaderHeight = 100;
const char *const CallConditionName = "Условие вызова";

QString elementName(const QDomElement &element)
{
    return element.attribute(QStringLiteral("name"));
}

QDomElement elementOf(const QTableWidgetItem *item)
{
    return item ? item->data(AlgorithmTable::ElementRole).value<QDomElement>() : QDomElement();
}

bool isListId(const QString &listId)
{
    bool ok = false;
    return listId.toInt(&ok) != 0 && ok;
}

bool nameHas(const QDomElement &element, const QString &word)
{
    return elementName(element).contains(word, Qt::CaseInsensitive);
}

bool isDetectorName(const QDomElement &element)
{
    return nameHas(element, QString::fromUtf8("датчик"));
}

bool isVariantName(const QDomElement &element)
{
    return elementName(element).startsWith(QString::fromUtf8("Вариант промтакта"),
                                           Qt::CaseInsensitive);
}

// The interstate record of the first signal group of a phase; zeros when missing.
QByteArray firstGroupRecord(const CnfPhasePtr &phase, int variant)
{
    QByteArray record;
    if (phase && !phase->signalGroups.isEmpty() && phase->signalGroups.first())
        record = phase->signalGroups.first()->interstate(variant);
    record.append(QByteArray(qMax(0, CnfSignalGroup::InterstateSize - record.size()), '\0'));
    return record;
}

int recordByte(const QByteArray &record, int offset)
{
    return quint8(record.at(offset));
}

} // namespace

AlgorithmTable::AlgorithmTable(ParametersTable *table, CnfController *controller, int family,
                               QObject *owner)
    : QObject(owner)
    , m_table(table)
    , m_controller(controller)
    , m_family(family)
    , m_owner(owner)
{
    if (controller) {
        for (const CnfPhasePtr &phase : controller->phases()) {
            if (phase)
                m_phaseIds << phase->id;
        }
        for (const CnfProgramPtr &program : controller->programs()) {
            if (program)
                m_programNumbers << program->id;
        }
    }
    m_phaseDelegate = new ComboBoxDelegate(owner, m_phaseIds);
    m_programDelegate = new ComboBoxDelegate(owner, m_programNumbers);
    const int variants = controller
        ? controller->getNativeData(QStringLiteral("interstateVariantCount"), 0).toInt()
        : 0;
    if (variants > 0) {
        QStringList texts { noVariantText() };
        QList<QVariant> values { QStringLiteral("255") };
        for (int variant = 1; variant <= variants; ++variant) {
            texts << QString::number(variant);
            values << QString::number(variant);
        }
        m_variantDelegate = new ComboBoxDelegate(owner, texts, values);
    }
}

QString AlgorithmTable::noVariantText()
{
    return QCoreApplication::translate("ProgramDlg", "no");
}

void AlgorithmTable::showCycle(int seconds)
{
    if (!m_cycleItem)
        return;
    const QSignalBlocker blocker(m_cycleItem->tableWidget());
    m_cycleItem->setText(QString::number(seconds));
}

QDomElement AlgorithmTable::programsChapter(const QDomDocument &layout)
{
    return CnfTiverkLayout::programsChapter(layout);
}

int AlgorithmTable::recordSize(const QDomElement &chapter)
{
    int size = 0;
    for (const QDomElement &element : CnfTiverkLayout::elements(chapter))
        size += parseElementType(element.attribute(QStringLiteral("type"))).second;
    return size;
}

QPair<QString, int> AlgorithmTable::parseElementType(const QString &type)
{
    return CnfTiverkLayout::parseElementType(type);
}

QString AlgorithmTable::wrapHeaderText(const QString &text)
{
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int width = 10;
    for (const QString &word : words)
        width = qMax(width, word.size());
    QStringList lines;
    QString line;
    for (const QString &word : words) {
        if (line.isEmpty())
            line = word;
        else if (line.size() + word.size() <= width)
            line += QLatin1Char(' ') + word;
        else {
            lines << line;
            line = word;
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines.join(QLatin1Char('\n'));
}

QString AlgorithmTable::reportTitle(const QTableWidgetItem *header)
{
    const QDomElement element = elementOf(header);
    return element.isNull() ? header->text() : wrapHeaderText(elementName(element));
}

void AlgorithmTable::build(const QDomElement &type, const QByteArray &data)
{
    m_building = true;
    m_data = data;
    m_cursor = 2;
    m_table->clear();
    for (int column = 0; column < m_table->columnCount(); ++column)
        m_table->setItemDelegateForColumn(column, nullptr);
    for (const QPointer<QAbstractItemDelegate> &delegate : qAsConst(m_columnDelegates)) {
        if (delegate)
            delegate->deleteLater();
    }
    m_columnDelegates.clear();
    m_callConditionItem = nullptr;
    m_variantItem = nullptr;
    m_cycleItem = nullptr;
    m_detectorItems.clear();
    m_invalid.clear();
    m_table->setColumnCount(0);
    m_table->verticalHeader()->setDefaultSectionSize(25);
    m_table->setRowCount(1);

    if (m_family != OtherFamily && !type.isNull()) {
        m_table->horizontalHeader()->setMinimumHeight(HeaderHeight);
        int column = 0;
        for (const QDomElement &element : CnfTiverkLayout::elements(type)) {
            addColumn(m_table, column, element);
            if (element.hasChildNodes()) {
                if (ParametersTable *nested = createArrayTable(element, m_table))
                    placeArrayTable(m_table, 0, column, nested);
            } else {
                auto *item = new QTableWidgetItem;
                m_table->setItem(0, column, item);
                fillParameterValues(item, element);
                if (!m_cycleItem && CnfProgramRecord::isCycleField(element))
                    m_cycleItem = item;
                m_table->resizeColumnToContents(column);
            }
            ++column;
        }
    }
    m_table->resetModified();
    m_building = false;
}

void AlgorithmTable::addColumn(QTableWidget *table, int column, const QDomElement &element)
{
    auto *header = new QTableWidgetItem(wrapHeaderText(LayoutTexts::shown(elementName(element))));
    header->setData(ElementRole, QVariant::fromValue(element));
    table->insertColumn(column);
    table->setHorizontalHeaderItem(column, header);
    if (element.attribute(QStringLiteral("visible")) == QLatin1String("false"))
        table->setColumnHidden(column, true);
}

void AlgorithmTable::placeArrayTable(QTableWidget *table, int row, int column,
                                     ParametersTable *nested)
{
    auto *placeholder = new QTableWidgetItem;
    placeholder->setFlags(placeholder->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEditable));
    table->setItem(row, column, placeholder);
    table->setCellWidget(row, column, nested);
    table->setRowHeight(row, qMax(table->rowHeight(row), nested->height() + NestedMargin));
    table->setColumnWidth(
        column, qMax(row == 0 ? 0 : table->columnWidth(column), nested->width() + NestedMargin));
}

ParametersTable *AlgorithmTable::createArrayTable(const QDomElement &element,
                                                  QTableWidget *parentTable)
{
    const QStringList parts
        = element.attribute(QStringLiteral("type")).split(QRegExp(QStringLiteral("[\\[\\]]")));
    if (parts.size() != 3 || parts.first() != QLatin1String("array"))
        return nullptr;
    const int rows = parts.at(1).toInt();
    if (rows <= 0) {
        emit warning(QCoreApplication::translate("ProgramDlg",
                                                 "row %1,column%2 error: invalid type attribute")
                         .arg(element.lineNumber())
                         .arg(element.columnNumber()));
        return nullptr;
    }
    auto *nested = new ParametersTable(parentTable);
    connect(nested, &QTableWidget::currentCellChanged, this,
            &AlgorithmTable::nestedCurrentCellChanged);
    connect(nested, &QTableWidget::itemChanged, this, &AlgorithmTable::itemChanged);
    nested->verticalHeader()->hide();
    nested->setRowCount(rows);
    const QList<QDomElement> children = CnfTiverkLayout::elements(element);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < children.size(); ++column) {
            const QDomElement &child = children.at(column);
            if (row == 0)
                addColumn(nested, column, child);
            if (child.hasChildNodes()) {
                if (ParametersTable *inner = createArrayTable(child, nested)) {
                    placeArrayTable(nested, row, column, inner);
                    continue;
                }
            }
            auto *item = new QTableWidgetItem;
            nested->setItem(row, column, item);
            fillParameterValues(item, child);
        }
    }
    nested->resizeColumnsToContents();
    int width = 0;
    for (int column = 0; column < nested->columnCount(); ++column)
        width += nested->isColumnHidden(column) ? 0 : nested->columnWidth(column);
    int height = nested->horizontalHeader()->sizeHint().height();
    for (int row = 0; row < rows; ++row)
        height += nested->rowHeight(row);
    nested->horizontalHeader()->setMinimumHeight(HeaderHeight);
    height = qMax(height, HeaderHeight + nested->rowHeight(0) * rows);
    nested->resize(width, height);
    return nested;
}

QString AlgorithmTable::readRawValue(const QDomElement &element)
{
    const QPair<QString, int> type = parseElementType(element.attribute(QStringLiteral("type")));
    const int length = m_data.size();
    if (m_cursor >= length || m_cursor + type.second > length)
        return QString();
    if (type.first == QLatin1String("byte")) {
        const int value = quint8(m_data.at(m_cursor));
        m_cursor += type.second;
        return value < NotSetByte ? QString::number(value) : QString();
    }
    if (type.first == QLatin1String("word")) {
        const int value = quint8(m_data.at(m_cursor)) | (quint8(m_data.at(m_cursor + 1)) << 8);
        m_cursor += type.second;
        return value < NotSetWord ? QString::number(value) : QString();
    }
    return QString();
}

void AlgorithmTable::setColumnDelegate(QTableWidget *table, int column,
                                       QAbstractItemDelegate *delegate)
{
    table->setItemDelegateForColumn(column, delegate);
}

QList<QDomElement> AlgorithmTable::listEntries(const QString &listId) const
{
    for (QDomElement list = m_layout.documentElement().firstChildElement(QStringLiteral("List"));
         !list.isNull(); list = list.nextSiblingElement(QStringLiteral("List"))) {
        if (list.attribute(QStringLiteral("id")) == listId)
            return CnfTiverkLayout::elements(list);
    }
    return {};
}

ComboBoxDelegate *AlgorithmTable::listDelegate(const QString &listId)
{
    QStringList texts;
    QList<QVariant> values;
    for (const QDomElement &entry : listEntries(listId)) {
        texts << LayoutTexts::shown(entry.text());
        values << entry.attribute(QStringLiteral("value"));
    }
    auto *delegate = new ComboBoxDelegate(m_owner, texts, values);
    m_columnDelegates << delegate;
    return delegate;
}

void AlgorithmTable::fillParameterValues(QTableWidgetItem *item, const QDomElement &element)
{
    QTableWidget *table = item->tableWidget();
    const int column = item->column();
    QString value = readRawValue(element);
    const QString listId = element.attribute(QStringLiteral("listid"));
    const QString id = element.attribute(QStringLiteral("id"));
    if (!id.isEmpty())
        item->setData(IdRole, id);
    if (listId == QLatin1String("indexof(phases)") || listId == QLatin1String("phases")) {
        if (!table->itemDelegateForColumn(column))
            setColumnDelegate(table, column, m_phaseDelegate);
        bool ok = false;
        const int index = value.toInt(&ok);
        if (listId == QLatin1String("indexof(phases)") && ok && index >= 0
            && index < m_phaseIds.size())
            value = m_phaseIds.at(index);
    } else if (listId == QLatin1String("indexof(prog_number)")) {
        if (!table->itemDelegateForColumn(column))
            setColumnDelegate(table, column, m_programDelegate);
        bool ok = false;
        const int index = value.toInt(&ok);
        if (ok && index >= 0 && index < m_programNumbers.size())
            value = m_programNumbers.at(index);
    } else if (isListId(listId)) {
        auto *delegate = qobject_cast<ComboBoxDelegate *>(table->itemDelegateForColumn(column));
        if (!delegate) {
            delegate = listDelegate(listId);
            setColumnDelegate(table, column, delegate);
        }
        if (!value.isEmpty())
            value = delegate->textForValue(value);
        if (elementName(element) == QString::fromUtf8(CallConditionName))
            m_callConditionItem = item;
    } else if (isDetectorName(element)) {
        const bool buttonCell
            = nameHas(element, QString::fromUtf8("кнопка")) && m_callConditionItem;
        if (buttonCell)
            m_detectorItems << item;
        if (!(buttonCell && isButtonCallCondition())) {
            auto *delegate = new DtAddressDelegate(m_owner);
            m_columnDelegates << delegate;
            setColumnDelegate(table, column, delegate);
            if (!value.isEmpty())
                value = DtAddressDelegate::addressListText(value.toInt());
        }
    } else if (isVariantName(element)) {
        if (!m_variantItem)
            m_variantItem = item;
        if (m_variantDelegate) {
            setColumnDelegate(table, column, m_variantDelegate);
            value
                = m_variantDelegate->textForValue(value.isEmpty() ? QStringLiteral("255") : value);
        }
    } else if (element.hasAttribute(QStringLiteral("phase"))) {
        item->setData(PhaseRole, element.attribute(QStringLiteral("phase")));
        item->setData(ElementRole, QVariant::fromValue(element));
        item->setToolTip(limitsToolTip(phaseForCell(item)));
    }
    item->setText(value);
    item->setData(ElementRole, QVariant::fromValue(element));
}

QString AlgorithmTable::limitsToolTip(const CnfPhasePtr &phase) const
{
    if (!phase || phase->minTime < 0 || phase->maxTime < 0)
        return QString();
    return QCoreApplication::translate("ProgramDlg", "Minimum: %1 sec.\nMaximum: %2 sec.")
        .arg(phase->minTime)
        .arg(phase->maxTime);
}

bool AlgorithmTable::isButtonCallCondition() const
{
    if (!m_callConditionItem)
        return false;
    // The buttons are the entries the layout names "КН1", "КН2", ...: the cell
    // shows their translation, so the entry is found by what it shows.
    const QString shown = m_callConditionItem->text();
    QString own = shown;
    for (const QDomElement &entry :
         listEntries(elementOf(m_callConditionItem).attribute(QStringLiteral("listid")))) {
        if (LayoutTexts::shown(entry.text()) == shown) {
            own = entry.text();
            break;
        }
    }
    return own.startsWith(QString::fromUtf8("КН"));
}

bool AlgorithmTable::isDetectorCell(const QTableWidgetItem *item) const
{
    return isDetectorName(elementOf(item));
}

bool AlgorithmTable::showsDetectorList(const QTableWidgetItem *item) const
{
    if (!isDetectorCell(item))
        return false;
    return qobject_cast<DtAddressDelegate *>(
        item->tableWidget()->itemDelegateForColumn(item->column()));
}

CnfPhasePtr AlgorithmTable::phaseForCell(const QTableWidgetItem *item) const
{
    if (!item || !m_controller)
        return CnfPhasePtr();
    const QString phase = item->data(PhaseRole).toString();
    if (phase.isEmpty())
        return CnfPhasePtr();
    if (m_family == OtherFamily)
        return m_controller->findPhase(phase);
    const QTableWidget *table = item->tableWidget();
    for (int column = 0; table && column < table->columnCount(); ++column) {
        const QTableWidgetItem *other = table->item(item->row(), column);
        if (other && other != item && other->data(IdRole).toString() == phase)
            return m_controller->findPhase(other->text());
    }
    return CnfPhasePtr();
}

QByteArray AlgorithmTable::store(const QByteArray &data, int number, int type)
{
    QByteArray bytes(data.size(), char(NotSetByte));
    if (bytes.size() > 0)
        bytes[0] = char(number & 0xff);
    if (bytes.size() > 1)
        bytes[1] = char(type & 0xff);
    m_data = bytes;
    m_cursor = 2;
    storeParameterValues(m_table, &bytes);
    return bytes;
}

void AlgorithmTable::storeParameterValues(const QTableWidget *table, QByteArray *bytes)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            if (const auto *nested
                = qobject_cast<const QTableWidget *>(table->cellWidget(row, column)))
                storeParameterValues(nested, bytes);
            else
                storeParameterValue(table->item(row, column), bytes);
        }
    }
}

void AlgorithmTable::storeParameterValue(const QTableWidgetItem *item, QByteArray *bytes)
{
    const QDomElement element = elementOf(item);
    if (element.isNull())
        return;
    QString text = item->text();
    if (!text.isEmpty()) {
        const QString listId = element.attribute(QStringLiteral("listid"));
        const QTableWidget *table = item->tableWidget();
        if (listId == QLatin1String("indexof(phases)")) {
            text = QString::number(m_phaseIds.indexOf(text));
        } else if (listId == QLatin1String("indexof(prog_number)")) {
            text = QString::number(m_programNumbers.indexOf(text));
        } else if (isListId(listId)) {
            if (auto *delegate
                = qobject_cast<ComboBoxDelegate *>(table->itemDelegateForColumn(item->column())))
                text = delegate->valueForText(text).toString();
        } else if (isDetectorCell(item)) {
            if (showsDetectorList(item))
                text = QString::number(DtAddressDelegate::encodeAddressList(text));
        } else if (item == m_variantItem || isVariantName(element)) {
            if (m_variantDelegate)
                text = m_variantDelegate->valueForText(text).toString();
        }
    }
    const QPair<QString, int> type = parseElementType(element.attribute(QStringLiteral("type")));
    const bool word = type.first == QLatin1String("word");
    if (!word && type.first != QLatin1String("byte"))
        return;
    if (m_cursor + type.second > bytes->size())
        return;
    bool ok = false;
    const int value = text.toInt(&ok);
    // A value the field cannot hold stays "not set" rather than losing its high bits.
    const bool hidden = element.attribute(QStringLiteral("visible")) == QLatin1String("false");
    if (!hidden && ok && value >= 0 && value <= (word ? NotSetWord : NotSetByte)) {
        (*bytes)[m_cursor] = char(value & 0xff);
        if (word)
            (*bytes)[m_cursor + 1] = char((value >> 8) & 0xff);
    }
    m_cursor += type.second;
}

void AlgorithmTable::setCellValid(QTableWidgetItem *item, bool valid)
{
    const QSignalBlocker blocker(item->tableWidget());
    if (valid) {
        m_invalid.remove(item);
        item->setData(Qt::BackgroundRole, QVariant());
    } else {
        m_invalid.insert(item, false);
        item->setBackground(Qt::red);
    }
}

void AlgorithmTable::checkCell(QTableWidgetItem *item)
{
    const QDomElement element = elementOf(item);
    if (element.isNull())
        return;
    const QString text = item->text().trimmed();
    bool valid = true;
    if (!text.isEmpty()) {
        const QString listId = element.attribute(QStringLiteral("listid"));
        const QPair<QString, int> type
            = parseElementType(element.attribute(QStringLiteral("type")));
        if (showsDetectorList(item)) {
            valid = DtAddressDelegate::isValidAddressList(text);
        } else if (listId.isEmpty() && item != m_variantItem
                   && (type.first == QLatin1String("byte")
                       || type.first == QLatin1String("word"))) {
            // A plain number: a whole number below the field's "not set" value.
            bool ok = false;
            const int value = text.toInt(&ok);
            const int highest = (type.first == QLatin1String("word") ? NotSetWord : NotSetByte) - 1;
            valid = ok && value >= 0 && value <= highest;
            const CnfPhasePtr phase = m_family != OtherFamily ? phaseForCell(item) : CnfPhasePtr();
            if (valid && phase && phase->minTime >= 0 && phase->maxTime >= 0)
                valid = value >= phase->minTime && value <= phase->maxTime;
        }
    }
    setCellValid(item, valid);
}

void AlgorithmTable::switchDetectorCells()
{
    const bool button = isButtonCallCondition();
    for (int i = m_detectorItems.size() - 1; i >= 0; --i) {
        QTableWidgetItem *item = m_detectorItems.at(i);
        QTableWidget *table = item->tableWidget();
        const QSignalBlocker blocker(table);
        const bool hasDelegate = table->itemDelegateForColumn(item->column()) != nullptr;
        if (button && hasDelegate) {
            const QString text = item->text();
            const int value = DtAddressDelegate::encodeAddressList(text);
            item->setText(text.isEmpty() || value < 0 ? QString() : QString::number(value));
            table->setItemDelegateForColumn(item->column(), nullptr);
        } else if (!button && !hasDelegate) {
            bool ok = false;
            const int value = item->text().toInt(&ok);
            item->setText(ok ? DtAddressDelegate::addressListText(value) : QString());
            auto *delegate = new DtAddressDelegate(m_owner);
            m_columnDelegates << delegate;
            table->setItemDelegateForColumn(item->column(), delegate);
        }
        checkCell(item);
    }
}

void AlgorithmTable::itemChanged(QTableWidgetItem *item)
{
    if (m_building || !item || elementOf(item).isNull())
        return;
    if (item == m_callConditionItem && !m_detectorItems.isEmpty())
        switchDetectorCells();
    checkCell(item);
    // A phase cell renamed: the tooltip of the cells that take that phase's limits.
    const QString id = item->data(IdRole).toString();
    if (!id.isEmpty() && item->tableWidget()) {
        QTableWidget *table = item->tableWidget();
        const QSignalBlocker blocker(table);
        for (int column = 0; column < table->columnCount(); ++column) {
            QTableWidgetItem *other = table->item(item->row(), column);
            if (other && other->data(PhaseRole).toString() == id) {
                other->setToolTip(limitsToolTip(phaseForCell(other)));
                checkCell(other);
            }
        }
    }
    emit edited(item);
}

void AlgorithmTable::nestedCurrentCellChanged()
{
    m_table->setCurrentIndex(QModelIndex());
}

void AlgorithmTable::appendPhase()
{
    const int column = m_table->columnCount();
    m_table->insertColumn(column);
    for (int row = 0; row < m_table->rowCount(); ++row)
        setTableCellValue(m_table, row, column, QVariant(), true);
}

void AlgorithmTable::removePhase()
{
    QList<int> columns = selectedColumns(m_table);
    std::sort(columns.begin(), columns.end());
    for (int i = columns.size() - 1; i >= 0; --i)
        m_table->removeColumn(columns.at(i));
}

int AlgorithmTable::sequenceColumn() const
{
    const QString version = m_controller ? m_controller->property("version").toString() : QString();
    return version == QLatin1String("3.17") || version == QLatin1String("3.18") ? 5 : 4;
}

ParametersTable *AlgorithmTable::sequenceTable() const
{
    if (m_family != TiverkFamily || m_table->columnCount() <= sequenceColumn())
        return nullptr;
    return qobject_cast<ParametersTable *>(m_table->cellWidget(0, sequenceColumn()));
}

bool AlgorithmTable::hasGreenStartTime(int type) const
{
    return type == 2 && sequenceTable();
}

bool AlgorithmTable::sequenceRecords(int *phases, QByteArray *first, QByteArray *last) const
{
    const ParametersTable *sequence = sequenceTable();
    if (!sequence || !m_controller)
        return false;
    int count = 0;
    while (count < sequence->rowCount() && sequence->item(count, 0)
           && !sequence->item(count, 0)->text().isEmpty())
        ++count;
    *phases = count;
    const int variant = tableCellValue(m_table, 0, 0).toInt();
    if (count >= 2) {
        *first = firstGroupRecord(m_controller->findPhase(sequence->item(0, 0)->text()), variant);
        *last = firstGroupRecord(m_controller->findPhase(sequence->item(count - 1, 0)->text()),
                                 variant);
    }
    return true;
}

int AlgorithmTable::greenStartTime() const
{
    int phases = 0;
    QByteArray first;
    QByteArray last;
    if (!sequenceRecords(&phases, &first, &last) || phases < 2)
        return 0;
    const int k = sequenceColumn();
    const int cycle = tableCellValue(m_table, 0, k - 2).toInt();
    const int offset = tableCellValue(m_table, 0, k - 1).toInt();
    int green = offset + recordByte(last, 0) + recordByte(last, 1) + recordByte(last, 2)
        + recordByte(last, 3) - recordByte(first, 5);
    // A second of the cycle: an offset near the cycle's end carries the green
    // start past it, into the next cycle's first seconds.
    if (green < 0)
        green += cycle;
    else if (cycle > 0 && green >= cycle)
        green -= cycle;
    return green;
}

void AlgorithmTable::setGreenStartTime(int seconds)
{
    int phases = 0;
    QByteArray first;
    QByteArray last;
    if (!sequenceRecords(&phases, &first, &last))
        return;
    const int k = sequenceColumn();
    int offset = -1;
    if (phases >= 2) {
        const int cycle = tableCellValue(m_table, 0, k - 2).toInt();
        offset = seconds - recordByte(last, 0) - recordByte(last, 1) - recordByte(last, 2)
            - recordByte(last, 3) + recordByte(first, 5);
        if (offset < 0)
            offset += cycle;
    }
    const QSignalBlocker blocker(m_table);
    setTableCellValue(m_table, 0, k - 1, QString::number(offset), true);
}

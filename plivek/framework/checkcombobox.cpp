#include "checkcombobox.h"

#include "checkcombomodel.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

bool isReturnKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

CheckComboBox::CheckComboBox(QWidget *parent)
    : QComboBox(parent)
    , m_separator(QStringLiteral(","))
{
    auto *checkModel = new CheckComboModel(this);
    setModel(checkModel);

    connect(this, QOverload<int>::of(&QComboBox::activated), this,
            &CheckComboBox::toggleCheckState);
    connect(checkModel, &CheckComboModel::checkStateChanged, this,
            &CheckComboBox::updateCheckedItems);
    connect(checkModel, &QAbstractItemModel::rowsInserted, this,
            &CheckComboBox::updateCheckedItems);
    connect(checkModel, &QAbstractItemModel::rowsRemoved, this, &CheckComboBox::updateCheckedItems);
    // A new current item would put its own text on the line.
    connect(this, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this] { setEditText(lineText()); });

    // The line only shows the checked items: nothing typed there reaches the box.
    auto *line = new QLineEdit(this);
    line->setReadOnly(true);
    setLineEdit(line);
    line->disconnect(this);
    setInsertPolicy(QComboBox::NoInsert);

    view()->installEventFilter(this);
    view()->window()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);
}

CheckComboBox::~CheckComboBox() = default;

QStringList CheckComboBox::checkedItems() const
{
    QStringList items;
    const QAbstractItemModel *itemModel = model();
    if (!itemModel)
        return items;
    for (int row = 0; row < itemModel->rowCount(rootModelIndex()); ++row) {
        const QModelIndex index = itemModel->index(row, modelColumn(), rootModelIndex());
        if (index.data(Qt::CheckStateRole).toInt() == Qt::Checked)
            items.append(index.data(Qt::DisplayRole).toString());
    }
    return items;
}

void CheckComboBox::setCheckedItems(const QStringList &items)
{
    for (const QString &text : items) {
        const int index = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0)
            setItemData(index, Qt::Checked, Qt::CheckStateRole);
    }
}

QString CheckComboBox::lineText() const
{
    const QStringList items = checkedItems();
    return items.isEmpty() ? m_defaultText : items.join(m_separator);
}

void CheckComboBox::updateCheckedItems()
{
    setEditText(lineText());
    emit checkedItemsChanged(checkedItems());
}

void CheckComboBox::toggleCheckState(int index)
{
    const QVariant state = itemData(index, Qt::CheckStateRole);
    if (!state.isValid())
        return;
    const bool unchecked = state.toInt() == Qt::Unchecked;
    setItemData(index, unchecked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

void CheckComboBox::setSeparator(const QString &separator)
{
    if (separator == m_separator)
        return;
    m_separator = separator;
    updateCheckedItems();
}

void CheckComboBox::setDefaultText(const QString &text)
{
    if (text == m_defaultText)
        return;
    m_defaultText = text;
    updateCheckedItems();
}

void CheckComboBox::hidePopup()
{
    if (m_mayClose)
        QComboBox::hidePopup();
}

bool CheckComboBox::eventFilter(QObject *watched, QEvent *event)
{
    // The open popup receives clicks outside the list on its frame.
    const bool onFrame = watched == view()->window();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_mayClose = onFrame;
        break;
    case QEvent::MouseButtonRelease:
        m_mayClose = false;
        break;
    case QEvent::ShortcutOverride:
        // The popup would take Return as a choice of the current item before
        // the key press arrives: Return only closes the list.
        if (isReturnKey(static_cast<QKeyEvent *>(event)->key())) {
            QComboBox::hidePopup();
            return true;
        }
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (isReturnKey(key)) {
            QComboBox::hidePopup();
            return true;
        }
        if (key == Qt::Key_Escape)
            QComboBox::hidePopup();
        m_mayClose = onFrame;
        break;
    }
    default:
        break;
    }
    return QComboBox::eventFilter(watched, event);
}

bool CheckComboBox::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Wheel:
        // Turning the wheel over the closed box would tick items unseen;
        // leave it to the view that holds the box.
        event->ignore();
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        m_mayClose = false;
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            showPopup();
            return true;
        }
        if (isReturnKey(key)) {
            QComboBox::hidePopup();
            return true;
        }
        if (key == Qt::Key_Escape)
            QComboBox::hidePopup();
        m_mayClose = false;
        break;
    }
    default:
        break;
    }
    return QComboBox::event(event);
}

#include "dtaddressdelegate.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

namespace {

constexpr int MaxDetectors = 4;
constexpr int HighestDetector = 32;
constexpr int NextDetectorStep = 32;

// The numbers of a list; false when a part is not a whole number of 0-32.
bool parseNumbers(const QString &text, QList<int> *numbers)
{
    const QStringList parts = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        bool ok = false;
        const int number = part.trimmed().toInt(&ok);
        if (!ok || number < 0 || number > HighestDetector)
            return false;
        numbers->append(number);
    }
    return true;
}

} // namespace

DtAddressDelegate::DtAddressDelegate(QObject *parent)
    : QItemDelegate(parent)
{
}

bool DtAddressDelegate::isValidAddressList(const QString &text)
{
    QList<int> numbers;
    if (!parseNumbers(text, &numbers) || numbers.size() > MaxDetectors)
        return false;
    for (int i = 1; i < numbers.size(); ++i) {
        if (numbers.at(i) != numbers.at(i - 1) + 1)
            return false;
    }
    if (numbers.size() == 1 && numbers.first() == HighestDetector)
        return false;
    if (numbers.size() > 1 && numbers.first() == 0)
        return false;
    return true;
}

int DtAddressDelegate::encodeAddressList(const QString &text)
{
    QList<int> numbers;
    if (!isValidAddressList(text) || !parseNumbers(text, &numbers) || numbers.isEmpty())
        return -1;
    return numbers.first() + NextDetectorStep * (numbers.size() - 1);
}

QString DtAddressDelegate::addressListText(int value)
{
    if (value < 0)
        return QString();
    QStringList numbers;
    for (int i = 0; i <= value / NextDetectorStep; ++i)
        numbers << QString::number(value % NextDetectorStep + i);
    return numbers.join(QLatin1Char(','));
}

QWidget *DtAddressDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                         const QModelIndex &) const
{
    auto *editor = new QLineEdit(parent);
    editor->installEventFilter(const_cast<DtAddressDelegate *>(this));
    connect(editor, &QLineEdit::textChanged, this, &DtAddressDelegate::textChanged);
    return editor;
}

void DtAddressDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit)
        return;
    const QString text = index.data(Qt::DisplayRole).toString();
    edit->setProperty("old_text", text);
    edit->setText(text);
}

void DtAddressDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                     const QModelIndex &index) const
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit || !isValidAddressList(edit->text()))
        return;
    QString text = edit->text();
    if (text.endsWith(QLatin1Char(',')))
        text.chop(1);
    model->setData(index, text, Qt::DisplayRole);
}

QSize DtAddressDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return QSize(50, 23);
}

void DtAddressDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    if (!(option.state & QStyle::State_Selected)) {
        QItemDelegate::paint(painter, option, index);
        return;
    }
    drawBackground(painter, option, index);
    drawDisplay(painter, option, option.rect, index.data(Qt::DisplayRole).toString());
    drawFocus(painter, option, option.rect);
}

bool DtAddressDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(object);
    if (!edit || event->type() != QEvent::KeyPress
        || static_cast<QKeyEvent *>(event)->text() != QLatin1String(","))
        return QItemDelegate::eventFilter(object, event);
    const QString text = edit->text();
    if (text.endsWith(QLatin1Char(',')))
        return true;
    QList<int> numbers;
    const bool parsed = parseNumbers(text, &numbers);
    if (numbers.isEmpty())
        return parsed ? QItemDelegate::eventFilter(object, event) : true;
    // "0,1" cannot be stored, so a lone 0 is not extended either.
    const int last = numbers.last();
    if (parsed && numbers.size() < MaxDetectors && last < HighestDetector
        && !(numbers.size() == 1 && last == 0))
        edit->setText(text + QLatin1Char(',') + QString::number(last + 1));
    return true;
}

void DtAddressDelegate::textChanged(const QString &text)
{
    auto *edit = qobject_cast<QLineEdit *>(sender());
    if (!edit || text == edit->property("old_text").toString())
        return;
    QPalette palette = QLineEdit().palette();
    if (!isValidAddressList(text))
        palette.setBrush(QPalette::All, QPalette::Base, Qt::red);
    edit->setPalette(palette);
}

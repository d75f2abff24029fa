#include "timelineitemdelegate.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QSpinBox>

namespace {

constexpr int PictureSize = 24;
constexpr int MaxDuration = 65535;
const QChar Separator = QLatin1Char('|');

QPixmap filledPicture(const QColor &color)
{
    QPixmap picture(PictureSize, PictureSize);
    picture.fill(color);
    return picture;
}

QPixmap redAmberPicture()
{
    QPixmap picture(PictureSize, PictureSize);
    QPainter painter(&picture);
    painter.fillRect(0, 0, PictureSize, PictureSize / 2, Qt::red);
    painter.fillRect(0, PictureSize / 2, PictureSize, PictureSize / 2, Qt::yellow);
    return picture;
}

QPixmap greenBlinkPicture()
{
    constexpr int stripe = PictureSize / 4;
    QPixmap picture(PictureSize, PictureSize);
    QPainter painter(&picture);
    for (int i = 0; i < 4; ++i)
        painter.fillRect(i * stripe, 0, stripe, PictureSize, i % 2 ? Qt::white : Qt::darkGreen);
    return picture;
}

// The state chosen by a key press, or an empty text for any other key.
QString stateForLetter(int key)
{
    switch (key) {
    case Qt::Key_R:
        return QStringLiteral("red");
    case Qt::Key_G:
        return QStringLiteral("green");
    case Qt::Key_Y:
        return QStringLiteral("amber");
    case Qt::Key_B:
        return QStringLiteral("green_blink");
    case Qt::Key_M:
        return QStringLiteral("red_amber");
    default:
        return QString();
    }
}

} // namespace

TimelineItemDelegate::TimelineItemDelegate(QObject *parent)
    : QItemDelegate(parent)
{
    m_states = {
        { QStringLiteral("red"), QStringLiteral("(r)"), filledPicture(Qt::red) },
        { QStringLiteral("amber"), QStringLiteral("(y)"), filledPicture(Qt::yellow) },
        { QStringLiteral("green"), QStringLiteral("(g)"), filledPicture(Qt::darkGreen) },
        { QStringLiteral("red_amber"), QStringLiteral("(m)"), redAmberPicture() },
        { QStringLiteral("green_blink"), QStringLiteral("(b)"), greenBlinkPicture() },
    };
    // Room for the picture and a five-digit duration.
    const int textWidth
        = QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("655350"));
    m_sizeHint = QSize(textWidth + PictureSize, PictureSize);
}

TimelineItemDelegate::~TimelineItemDelegate() = default;

const TimelineItemDelegate::State *TimelineItemDelegate::stateForKey(const QString &key) const
{
    for (const State &state : m_states) {
        if (state.key == key)
            return &state;
    }
    return nullptr;
}

void TimelineItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    drawBackground(painter, option, index);
    const QStringList parts = index.data(Qt::EditRole).toString().split(Separator);
    if (parts.size() != 2)
        return;
    const QRect &cell = option.rect;
    if (const State *state = stateForKey(parts.at(0)))
        painter->drawPixmap(cell.left() + 1, cell.top() + (cell.height() - PictureSize) / 2,
                            state->picture);
    drawDisplay(painter, option, cell.adjusted(PictureSize, 0, 0, 0), parts.at(1));
    drawFocus(painter, option, cell);
}

QSize TimelineItemDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return m_sizeHint;
}

QWidget *TimelineItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                            const QModelIndex &) const
{
    auto *editor = new QWidget(parent);
    auto *layout = new QHBoxLayout(editor);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);

    auto *states = new QComboBox(editor);
    states->setFrame(false);
    states->setIconSize(QSize(PictureSize, PictureSize));
    for (const State &state : m_states)
        states->addItem(QIcon(state.picture), state.editorText, state.key);
    states->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    layout->addWidget(states);

    auto *duration = new QSpinBox(editor);
    duration->setRange(0, MaxDuration);
    duration->setButtonSymbols(QAbstractSpinBox::NoButtons);
    duration->installEventFilter(const_cast<TimelineItemDelegate *>(this));
    layout->addWidget(duration);
    // The view asks the editor it knows whether it has the focus: with the
    // number field as its proxy the answer is yes while the field has it, so
    // on Tab the view takes the focus before hiding the editor, instead of the
    // hidden field passing it on with a Tab of its own that moves one cell more.
    editor->setFocusProxy(duration);
    return editor;
}

void TimelineItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *states = editor->findChild<QComboBox *>();
    auto *duration = editor->findChild<QSpinBox *>();
    const QVariant value = index.data(Qt::EditRole);
    QString state;
    int seconds = 0;
    if (value.isValid()) {
        const QStringList parts = value.toString().split(Separator);
        if (parts.size() != 2)
            return;
        state = parts.at(0);
        seconds = parts.at(1).toInt();
    }
    if (states)
        states->setCurrentIndex(
            states->findData(state, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive));
    if (duration) {
        duration->setValue(seconds);
        // The view fills an open editor again when its cell changes, also on
        // the commit just before the editor closes: by the time the call
        // comes, a closed (hidden) editor must not take the focus from the
        // editor that Tab has opened next.
        QMetaObject::invokeMethod(
            duration,
            [duration] {
                if (duration->isVisible())
                    duration->setFocus();
            },
            Qt::QueuedConnection);
        duration->selectAll();
    }
}

void TimelineItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                        const QModelIndex &index) const
{
    auto *states = editor->findChild<QComboBox *>();
    auto *duration = editor->findChild<QSpinBox *>();
    if (!states || !duration)
        return;
    const QString text = states->currentData().toString() + Separator + duration->text();
    model->setData(index, text, Qt::DisplayRole);
}

bool TimelineItemDelegate::eventFilter(QObject *object, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && !m_forwardingKey) {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        const int key = keyEvent->key();
        const QString state = stateForLetter(key);
        if (key >= Qt::Key_0 && key <= Qt::Key_9) {
            if (auto *duration = object->findChild<QSpinBox *>()) {
                m_forwardingKey = true;
                QApplication::sendEvent(duration, keyEvent);
                m_forwardingKey = false;
            }
        } else if (!state.isEmpty()) {
            auto *states = object->findChild<QComboBox *>();
            if (!states && object->parent())
                states = object->parent()->findChild<QComboBox *>();
            if (states)
                states->setCurrentIndex(states->findData(state));
        }
    }
    // The view knows the whole editor, not its number field: Tab, Enter, Escape
    // and leaving the editor must commit and close that editor.
    QObject *editor = object;
    if (qobject_cast<QSpinBox *>(object) && object->parent())
        editor = object->parent();
    return QItemDelegate::eventFilter(editor, event);
}

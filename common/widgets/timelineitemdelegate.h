#pragma once

#include <QItemDelegate>
#include <QPixmap>
#include <QSize>
#include <QVector>

// Paints and edits the steps of a program timeline (plivek and zumoltc alike).
// A cell's edit-role text is a state key and a duration in seconds joined by
// "|" (for example "green|12"); the states are "red", "amber", "green",
// "red_amber" and "green_blink". A cell is drawn as a 24 x 24 signal picture
// followed by the duration and edited with a state box beside a number field;
// the letters R, Y, G, M and B choose a state and digits go to the number field.
class TimelineItemDelegate : public QItemDelegate
{
    Q_OBJECT
public:
    explicit TimelineItemDelegate(QObject *parent = nullptr);
    ~TimelineItemDelegate() override;

    bool eventFilter(QObject *object, QEvent *event) override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

private:
    struct State
    {
        QString key;
        QString editorText;
        QPixmap picture;
    };

    const State *stateForKey(const QString &key) const;

    QVector<State> m_states;
    QSize m_sizeHint;
    bool m_forwardingKey = false;
};

#pragma once

#include <QItemDelegate>
#include <QStringList>

// Edits a text that must not repeat one of the taken texts (for example a
// name unique among objects). While the editor holds a taken text its base
// colour is red, and such a text is never stored: the cell keeps its value.
// The editor's dynamic property "old_text" holds the cell's text from when
// the editor was filled.
class ExtTextDelegate : public QItemDelegate
{
    Q_OBJECT
public:
    explicit ExtTextDelegate(QObject *parent = nullptr,
                             const QStringList &takenTexts = QStringList());
    ~ExtTextDelegate() override;

    // Replaces the taken texts (an owner keeps them current as objects are
    // renamed); an editor already open is judged by the new list from its
    // next change on.
    void setTakenTexts(const QStringList &texts);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

public slots:
    // Recolours the editor that sent the change.
    void textChanged(const QString &text);

private:
    QStringList takenTexts;
};

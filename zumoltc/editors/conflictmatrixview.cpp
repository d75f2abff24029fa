#include "conflictmatrixview.h"

#include "conflictmatrixmodel.h"

#include "common/widgets/parameterstable.h"
#include "common/widgets/paramheader.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMimeData>

#include <algorithm>

ConflictMatrixView::ConflictMatrixView(QWidget *parent)
    : QTableView(parent)
    , m_model(new ConflictMatrixModel(this))
{
    setModel(m_model);
    auto *header = new ParamHeader(Qt::Horizontal, this);
    connect(header, &ParamHeader::fillColumnRequested, this,
            &ConflictMatrixView::fillColumnFromSelection);
    setHorizontalHeader(header);
    // Fitting a column to its contents measures this many cells of it, not a
    // thousand: every cell holds a short time, the titles set the width.
    header->setResizeContentsPrecision(50);
    verticalHeader()->setResizeContentsPrecision(50);
    const auto addAction
        = [this](const QString &text, const char *name, const QKeySequence &shortcut,
                 void (ConflictMatrixView::*slot)()) {
              auto *action = new QAction(text, this);
              action->setObjectName(QString::fromLatin1(name));
              action->setShortcut(shortcut);
              action->setShortcutContext(Qt::WidgetShortcut);
              connect(action, &QAction::triggered, this, slot);
              QWidget::addAction(action);
          };
    addAction(tr("Copy"), "copy", QKeySequence::Copy, &ConflictMatrixView::copy);
    addAction(tr("Paste"), "paste", QKeySequence::Paste, &ConflictMatrixView::paste);
    addAction(tr("Remove"), "clear", QKeySequence::Delete, &ConflictMatrixView::clear);
}

ConflictMatrixView::~ConflictMatrixView() = default;

void ConflictMatrixView::writeUserValue(int row, int column, const QVariant &value)
{
    m_model->setData(m_model->index(row, column), value, Qt::EditRole);
}

void ConflictMatrixView::copy()
{
    const QString text = selectedCellsText(this, [this](const QModelIndex &index) {
        return clipboardValueText(m_model->cellData(index.row(), index.column()));
    });
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

void ConflictMatrixView::paste()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || data->formats().isEmpty())
        return;
    QString text = clipboard->text();
    // Spreadsheets on other systems end their lines with CR LF.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);

    QModelIndex start = currentIndex();
    if (!start.isValid()) {
        const QModelIndexList indexes = selectionModel()->selectedIndexes();
        if (!indexes.isEmpty())
            start = *std::min_element(indexes.cbegin(), indexes.cend());
    }
    const int startRow = start.isValid() ? start.row() : 0;
    const int startColumn = start.isValid() ? start.column() : 0;
    // Lines past the last row and fields past the last column are dropped.
    const int count = m_model->rowCount();
    for (int line = 0, row = startRow; line < lines.size() && row < count; ++line, ++row) {
        const QStringList fields = lines.at(line).split(QLatin1Char('\t'));
        for (int field = 0, column = startColumn; field < fields.size() && column < count;
             ++field, ++column) {
            if (!fields.at(field).isEmpty() && m_model->isCellEditable(row, column))
                writeUserValue(row, column, pastedValue(fields.at(field)));
        }
    }
}

void ConflictMatrixView::clear()
{
    const QModelIndexList indexes = selectionModel()->selectedIndexes();
    for (const QModelIndex &index : indexes)
        writeUserValue(index.row(), index.column(), QVariant());
}

void ConflictMatrixView::keyboardSearch(const QString &) { }

// Bottom-up, as the parameter tables fill a column.
void ConflictMatrixView::fillColumnFromSelection(int column)
{
    const QModelIndexList indexes = selectionModel()->selectedIndexes();
    const auto source
        = std::find_if(indexes.cbegin(), indexes.cend(),
                       [column](const QModelIndex &index) { return index.column() == column; });
    if (source == indexes.cend())
        return;
    const QVariant value = m_model->cellData(source->row(), column);
    for (int row = m_model->rowCount() - 1; row >= 0; --row) {
        if (m_model->isCellEditable(row, column))
            writeUserValue(row, column, value);
    }
}

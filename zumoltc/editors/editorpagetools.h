#pragma once

#include <QVariant>

class QWidget;

// Small helpers the record pages share.
namespace EditorPageTools {

// The pages whose "Enable" box stands for a set type or protocol: every direct
// child widget but the box itself ("enabled") and "buttonBox" follows it.
void followEnabled(QWidget *page, bool enabled);

// A model int as a table cell: not set is an empty cell.
QVariant intCell(int value);
// A table cell as a model int: an empty cell or one that is no integer is not set.
int cellInt(const QVariant &cell);

} // namespace EditorPageTools

#include "editorpagetools.h"

#include "zumoltc/model/zuenums.h"

#include <QWidget>

namespace EditorPageTools {

void followEnabled(QWidget *page, bool enabled)
{
    const QList<QWidget *> children = page->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        if (child->objectName() == QLatin1String("enabled") || child->objectName() == QLatin1String("buttonBox"))
            continue;
        child->setEnabled(enabled);
    }
}

QVariant intCell(int value)
{
    return value == zu::NotSet ? QVariant() : QVariant(value);
}

int cellInt(const QVariant &cell)
{
    if (!cell.isValid() || cell.isNull())
        return zu::NotSet;
    bool ok = false;
    const int value = cell.toString().trimmed().toInt(&ok);
    return ok ? value : zu::NotSet;
}

} // namespace EditorPageTools

#include "windowgeometry.h"

#include <QByteArray>
#include <QSettings>
#include <QWidget>

namespace WindowGeometry {

bool restore(QWidget *window, const QString &key)
{
    const QByteArray geometry = QSettings().value(key).toByteArray();
    if (geometry.isEmpty())
        return false;
    window->restoreGeometry(geometry);
    return true;
}

void store(const QWidget *window, const QString &key)
{
    QSettings().setValue(key, window->saveGeometry());
}

} // namespace WindowGeometry

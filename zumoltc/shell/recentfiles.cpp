#include "recentfiles.h"

#include "zumoltc/shell/framework/settings.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace {

QString arrayName()
{
    return QCoreApplication::applicationName() + QStringLiteral("RecentFileList");
}

const QString fileKey = QStringLiteral("file");

QString absolutePath(const QString &fileName)
{
    return QFileInfo(fileName).absoluteFilePath();
}

bool isExistingFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

} // namespace

RecentFiles::RecentFiles(QObject *parent)
    : QObject(parent)
{
}

void RecentFiles::init(QMenu *menu, QAction *before)
{
    delete m_group;
    QSettings settings;
    const int size = settings.beginReadArray(arrayName());
    m_group = new QActionGroup(menu);
    int next = 0;
    for (int entry = 0; entry < EntryCount; ++entry) {
        auto *action = new QAction(menu);
        setEntry(action, QString(), false);
        while (next < size) {
            settings.setArrayIndex(next++);
            const QString path = Settings::text(settings, fileKey);
            if (isExistingFile(path)) {
                setEntry(action, absolutePath(path), true);
                break;
            }
        }
        m_group->addAction(action);
        if (entry == 0)
            menu->insertSeparator(before);
        menu->insertAction(before, action);
    }
    settings.endArray();
    menu->insertSeparator(before);
    connect(m_group, &QActionGroup::triggered, this, &RecentFiles::openRecentFile);
}

void RecentFiles::addFile(const QString &fileName)
{
    if (!m_group || !isExistingFile(fileName))
        return;
    const QString path = absolutePath(fileName);
    if (path == m_opening)
        m_opened = true;
    const QList<QAction *> entries = actions();
    for (const QAction *entry : entries) {
        if (entry->isVisible() && entry->data().toString() == path)
            return;
    }
    for (int index = entries.size() - 1; index > 0; --index)
        copyEntry(entries.at(index), entries.at(index - 1));
    setEntry(entries.first(), path, true);
}

void RecentFiles::removeFile(const QString &fileName)
{
    if (!m_group)
        return;
    const QString path = absolutePath(fileName);
    const QList<QAction *> entries = actions();
    int removed = -1;
    for (int index = 0; index < entries.size() && removed < 0; ++index) {
        if (entries.at(index)->isVisible() && entries.at(index)->data().toString() == path)
            removed = index;
    }
    if (removed < 0)
        return;
    int last = removed;
    while (last + 1 < entries.size() && entries.at(last + 1)->isVisible()) {
        copyEntry(entries.at(last), entries.at(last + 1));
        ++last;
    }
    setEntry(entries.at(last), QString(), false);
}

void RecentFiles::save()
{
    if (!m_group)
        return;
    QSettings settings;
    settings.remove(arrayName());
    settings.beginWriteArray(arrayName());
    int written = 0;
    const QList<QAction *> entries = actions();
    for (const QAction *entry : entries) {
        const QString path = entry->data().toString();
        if (!entry->isVisible() || !isExistingFile(path))
            continue;
        settings.setArrayIndex(written++);
        Settings::setText(settings, fileKey, path);
    }
    settings.endArray();
}

QStringList RecentFiles::files() const
{
    QStringList paths;
    const QList<QAction *> entries = actions();
    for (const QAction *entry : entries) {
        if (entry->isVisible())
            paths << entry->data().toString();
    }
    return paths;
}

QList<QAction *> RecentFiles::actions() const
{
    return m_group ? m_group->actions() : QList<QAction *>();
}

void RecentFiles::openRecentFile(QAction *action)
{
    if (!action || !m_group)
        return;
    const QString path = action->data().toString();
    m_opening = path;
    m_opened = false;
    emit openFile(path);
    const bool opened = m_opened;
    m_opening.clear();
    m_opened = false;

    // After a failed open the list stays as the receiver left it: the entry may
    // even hold another file by now, when the failed one was removed.
    QAction *first = actions().value(0);
    if (!opened || action == first || action->data().toString() != path)
        return;
    const QString firstPath = first->data().toString();
    setEntry(first, path, true);
    setEntry(action, firstPath, true);
}

void RecentFiles::setEntry(QAction *action, const QString &path, bool visible)
{
    action->setText(path);
    action->setData(path);
    action->setVisible(visible);
}

void RecentFiles::copyEntry(QAction *to, const QAction *from)
{
    setEntry(to, from->data().toString(), from->isVisible());
}

#pragma once

#include <QObject>
#include <QString>

class QAction;
class QActionGroup;
class QMenu;

// The last five configuration files, as five entries of a menu and as the settings
// array "<application name>RecentFileList" (key "file", the absolute path as Base64
// of its UTF-8 bytes). An entry's text and data are the file's absolute path; empty
// entries are invisible and come after the visible ones. Nothing happens before init.
//
// Choosing an entry emits openFile(path). The entry changes places with the first
// one only when the open succeeded, which the receiver shows by adding the file
// (addFile) while it handles openFile, as the main window does after every load.
class RecentFiles : public QObject
{
    Q_OBJECT
public:
    static constexpr int EntryCount = 5;

    explicit RecentFiles(QObject *parent = nullptr);

    // Builds the five entries from the settings into menu before `before`, between
    // two separators; stored files that no longer exist are passed over.
    void init(QMenu *menu, QAction *before);
    // Puts an existing file first, unless it is listed already (then nothing moves);
    // the fifth file drops out.
    void addFile(const QString &fileName);
    // Takes the file's entry out; the later entries move up.
    void removeFile(const QString &fileName);
    // Writes the visible entries whose files exist to the settings.
    void save();

    // The paths of the visible entries, in menu order.
    QStringList files() const;
    // The five entries in menu order (none before init).
    QList<QAction *> actions() const;

signals:
    void openFile(const QString &fileName);

public slots:
    void openRecentFile(QAction *action);

private:
    static void setEntry(QAction *action, const QString &path, bool visible);
    static void copyEntry(QAction *to, const QAction *from);

    QActionGroup *m_group = nullptr;
    // While openFile is being handled: the path asked for, and whether it was added.
    QString m_opening;
    bool m_opened = false;
};

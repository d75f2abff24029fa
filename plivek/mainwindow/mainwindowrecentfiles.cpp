// MainWindow: the recent files of the File menu, kept in the per-user settings.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "mainwindowhelpers.h"

#include <QActionGroup>
#include <QFileInfo>

using namespace MainWindowHelpers;

namespace {

constexpr int RecentFileCount = 5;

} // namespace

void MainWindow::createRecentFileEntries()
{
    auto *group = new QActionGroup(ui->menuFile);
    group->setExclusive(true);
    for (int i = 0; i < RecentFileCount; ++i) {
        auto *entry = new QAction(ui->menuFile);
        entry->setVisible(false);
        group->addAction(entry);
        ui->menuFile->insertAction(ui->actionExit, entry);
    }
    ui->menuFile->insertSeparator(ui->actionExit);
    connect(group, &QActionGroup::triggered, this, &MainWindow::openRecentFile);
}

void MainWindow::readRecentFiles()
{
    const auto *group = ui->menuFile->findChild<QActionGroup *>();
    if (!group)
        return;
    const QList<QAction *> entries = group->actions();
    auto settings = openSettings();
    const int count = settings->beginReadArray(QStringLiteral("plivekRecentFileList"));
    int filled = 0;
    for (int i = 0; i < count && filled < entries.size(); ++i) {
        settings->setArrayIndex(i);
        const QString path = pathFromSetting(settings->value(QStringLiteral("file")));
        bool listed = false;
        for (int j = 0; j < filled; ++j)
            listed = listed || withoutAmpersands(entries.at(j)->text()) == path;
        if (listed || !QFileInfo::exists(path))
            continue;
        entries.at(filled)->setText(path);
        entries.at(filled)->setVisible(true);
        ++filled;
    }
    settings->endArray();
}

void MainWindow::writeRecentFiles() const
{
    const auto *group = ui->menuFile->findChild<QActionGroup *>();
    if (!group)
        return;
    auto settings = openSettings();
    settings->beginWriteArray(QStringLiteral("plivekRecentFileList"));
    int index = 0;
    const auto entries = group->actions();
    for (const QAction *entry : entries) {
        if (!entry->isVisible())
            break;
        const QString path = withoutAmpersands(entry->text());
        if (path.isEmpty())
            continue;
        settings->setArrayIndex(index++);
        settings->setValue(QStringLiteral("file"), path.toUtf8());
    }
    settings->endArray();
}

void MainWindow::putRecentFileFirst(const QString &path)
{
    const auto *group = ui->menuFile->findChild<QActionGroup *>();
    if (!group || group->actions().isEmpty())
        return;
    const QList<QAction *> entries = group->actions();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (int i = 0; i < entries.size(); ++i) {
        if (withoutAmpersands(entries.at(i)->text()) != path)
            continue;
        if (i > 0) {
            entries.at(i)->setText(withoutAmpersands(entries.first()->text()));
            entries.first()->setText(absolute);
        }
        return;
    }
    if (entries.first()->isVisible()) {
        for (int j = entries.size() - 1; j >= 1; --j) {
            if (entries.at(j - 1)->isVisible()) {
                entries.at(j)->setText(withoutAmpersands(entries.at(j - 1)->text()));
                entries.at(j)->setVisible(true);
            }
        }
    }
    entries.first()->setText(absolute);
    entries.first()->setVisible(true);
}

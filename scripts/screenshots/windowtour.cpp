#include "windowtour.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QPixmap>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

namespace {

// Lets a freshly shown window lay itself out and paint before it is grabbed.
void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void closeWindow(QWidget *window)
{
    // A window that the callback ended already keeps its result.
    if (!window->isVisible())
        return;
    if (auto *dialog = qobject_cast<QDialog *>(window)) {
        dialog->reject();
        if (dialog->isVisible())
            dialog->done(QDialog::Rejected);
    } else {
        window->close();
    }
}

} // namespace

WindowTour::WindowTour(const QString &folder, const QString &prefix)
    : m_folder(folder)
    , m_prefix(prefix)
{
    QDir().mkpath(folder);
}

QString WindowTour::fileName(const QString &name) const
{
    QString base = QStringLiteral("%1_%2_%3_%4")
                       .arg(m_prefix, m_sample)
                       .arg(m_count, 3, 10, QLatin1Char('0'))
                       .arg(name);
    base.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]+")), QStringLiteral("_"));
    return QDir(m_folder).filePath(base + QStringLiteral(".png"));
}

void WindowTour::grabTo(QWidget *window, const QString &name)
{
    settle();
    ++m_count;
    const QString path = fileName(name);
    if (window->grab().save(path)) {
        m_written << path;
        QTextStream(stdout) << path << " " << window->width() << "x" << window->height() << " \""
                            << window->windowTitle() << "\"\n";
    }
}

void WindowTour::shot(QWidget *window, const QString &name)
{
    if (!window || !window->isVisible()) {
        m_missing << m_sample + QLatin1Char('/') + name;
        return;
    }
    grabTo(window, name);
    // Each page of each shown tab widget, so that no page is left unseen.
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>()) {
        if (!tabs->isVisibleTo(window) || tabs->count() < 2)
            continue;
        const int start = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            if (i == start || !tabs->isTabEnabled(i))
                continue;
            tabs->setCurrentIndex(i);
            grabTo(window, name + QStringLiteral("-") + tabs->tabText(i));
        }
        tabs->setCurrentIndex(start);
    }
}

bool WindowTour::modal(const QString &name, const std::function<void()> &open,
                       const std::function<void(QWidget *)> &inside)
{
    QWidget *before = QApplication::activeModalWidget();
    bool seen = false;
    auto *poll = new QTimer(this);
    poll->setInterval(50);
    connect(poll, &QTimer::timeout, this, [&, poll] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == before)
            return;
        poll->stop();
        seen = true;
        // File dialogs are the toolkit's own; they are closed unseen.
        if (!qobject_cast<QFileDialog *>(modal)) {
            shot(modal, name);
            if (inside)
                inside(modal);
        }
        closeWindow(modal);
    });
    poll->start();
    open();
    poll->stop();
    poll->deleteLater();
    if (!seen)
        m_missing << m_sample + QLatin1Char('/') + name;
    return seen;
}

void WindowTour::printSummary() const
{
    QTextStream out(stdout);
    out << m_written.size() << " pictures in " << m_folder << "\n";
    for (const QString &name : m_missing)
        out << "no window: " << name << "\n";
}

int WindowTour::run(const char *program, const Tour &tour)
{
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        QTextStream(stderr) << "usage: " << program << " <output folder> <examples folder>\n";
        return 2;
    }
    int result = 1;
    QTimer::singleShot(0, [&] {
        result = tour(arguments.at(1), QDir(arguments.at(2)));
        QCoreApplication::quit();
    });
    QApplication::exec();
    return result;
}

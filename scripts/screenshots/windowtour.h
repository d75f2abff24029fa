#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <QDir>

#include <functional>

class QWidget;

// Walks through the windows of a program and writes one PNG per window into a
// folder, for a person to look at. Modal windows are caught from a timer while
// the code that opened them blocks in exec(): grabbed, their tab pages grabbed
// one by one, handed to an optional callback (which may open further windows),
// then rejected. Not a test: it checks nothing, it only shows.
class WindowTour : public QObject
{
    Q_OBJECT
public:
    WindowTour(const QString &folder, const QString &prefix);

    // Sets the part of the file names that tells which sample is being toured.
    void setSample(const QString &sample) { m_sample = sample; }

    // Grabs a shown window (and each page of its tab widgets) as it is now.
    void shot(QWidget *window, const QString &name);
    // Runs open(), which is expected to show a modal window; that window is
    // grabbed as name, given to inside(), and closed. False when none came.
    bool modal(const QString &name, const std::function<void()> &open,
               const std::function<void(QWidget *)> &inside = {});

    // How many pictures went where, and the windows that did not come.
    void printSummary() const;

    // The main of a tour program: checks the arguments (output folder and
    // examples folder) and runs the tour once the event loop runs.
    using Tour = std::function<int(const QString &folder, const QDir &examples)>;
    static int run(const char *program, const Tour &tour);

private:
    void grabTo(QWidget *window, const QString &name);
    QString fileName(const QString &name) const;

    QString m_folder;
    QString m_prefix;
    QString m_sample;
    int m_count = 0;
    QStringList m_written;
    QStringList m_missing;
};

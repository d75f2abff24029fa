// A long description in zumoltc, timed until the window with the common-parameters
// page has been painted once: opening a ZU_MOLT file that holds it, and pasting it
// into the description of a file that holds a short one. Each length is timed for a
// text of words and for one without a single place to break. Prints the times per
// length and their growth; all should grow like the length.
// Run: build with -DBUILD_BENCHMARKS=ON (Release), then
// QT_QPA_PLATFORM=offscreen build/bench/bench_zumoltc_description [length ...]
// (default 10000 100000 1000000 characters).
#include "benchwindow.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/mainwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>

namespace {

// Words of seven letters and a blank, or the same number of letters without blanks.
QString description(int length, bool blanks)
{
    QString text = blanks ? QStringLiteral("abcdefg ").repeated(length / 8 + 1)
                          : QString(length, QLatin1Char('x'));
    text.truncate(length);
    return text;
}

// Seconds from the start of opening the file to the end of the window's first paint;
// the best of three runs.
double openSeconds(const QString &path)
{
    double best = 0;
    for (int run = 0; run < 3; ++run) {
        MainWindow window;
        QElapsedTimer timer;
        timer.start();
        if (!window.loadFile(path)) {
            std::fprintf(stderr, "zumoltc did not load %s\n", qPrintable(path));
            return -1;
        }
        showAndPaint(&window);
        const double seconds = timer.nsecsElapsed() / 1e9;
        best = run ? std::min(best, seconds) : seconds;
    }
    return best;
}

// Seconds from pasting the text into the description of the file at `path` (whose
// own description is short) to the end of the window's next paint; the best of three.
double pasteSeconds(const QString &path, const QString &text)
{
    QApplication::clipboard()->setText(text);
    double best = 0;
    for (int run = 0; run < 3; ++run) {
        MainWindow window;
        if (!window.loadFile(path)) {
            std::fprintf(stderr, "zumoltc did not load %s\n", qPrintable(path));
            return -1;
        }
        showAndPaint(&window);
        auto *field = window.findChild<QTextEdit *>(QStringLiteral("description"));
        if (!field) {
            std::fprintf(stderr, "no description field shown\n");
            return -1;
        }
        field->setFocus();
        field->moveCursor(QTextCursor::End);
        QElapsedTimer timer;
        timer.start();
        field->paste();
        QApplication::processEvents();
        window.repaint();
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (field->toPlainText().size() < text.size()) {
            std::fprintf(stderr, "the paste did not arrive\n");
            return -1;
        }
        best = run ? std::min(best, seconds) : seconds;
    }
    return best;
}

// Writes a configuration with the description; false after telling why.
bool saveWithDescription(const QString &path, const QString &text)
{
    ZUConfiguration c;
    c.setId(1);
    c.setDescription(text);
    QString error;
    if (c.save(path, &error))
        return true;
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    BenchApplication app(argc, argv, QStringLiteral("bench_zumoltc_description"));
    QList<int> lengths;
    for (int i = 1; i < argc; ++i)
        lengths << std::max(1, QByteArray(argv[i]).toInt());
    if (lengths.isEmpty())
        lengths = { 10000, 100000, 1000000 };

    QTemporaryDir dir;
    const QString longPath = dir.filePath(QStringLiteral("description.json"));
    const QString shortPath = dir.filePath(QStringLiteral("short.json"));
    if (!saveWithDescription(shortPath, QStringLiteral("Main street")))
        return 1;
    enum Case { OpenWords, OpenRun, PasteWords, PasteRun, CaseCount };
    const char *names[CaseCount]
        = { "open words s", "open no blank s", "paste words s", "paste no blank s" };
    std::printf("%10s", "characters");
    for (const char *name : names)
        std::printf(" %17s", name);
    std::printf("\n");
    QList<double> times[CaseCount];
    for (int length : qAsConst(lengths)) {
        for (bool blanks : { true, false }) {
            const QString text = description(length, blanks);
            if (!saveWithDescription(longPath, text))
                return 1;
            const double open = openSeconds(longPath);
            const double paste = pasteSeconds(shortPath, text);
            if (open < 0 || paste < 0)
                return 1;
            times[blanks ? OpenWords : OpenRun] << open;
            times[blanks ? PasteWords : PasteRun] << paste;
        }
        std::printf("%10d", length);
        for (const QList<double> &caseTimes : times)
            std::printf(" %17.3f", caseTimes.last());
        std::printf("\n");
    }
    if (lengths.size() > 1) {
        const double growth = double(lengths.last()) / lengths.first();
        std::printf("growth %.0fx characters (linear: about %.0fx):", growth, growth);
        for (int i = 0; i < CaseCount; ++i)
            std::printf(" %s %.1fx", names[i], times[i].last() / std::max(1e-9, times[i].first()));
        std::printf("\n");
    }
    return 0;
}

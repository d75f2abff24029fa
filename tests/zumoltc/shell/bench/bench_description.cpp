// Opening a ZU_MOLT file whose description is long, in zumoltc, until the window
// with the common-parameters page has been painted once. Each length is timed
// twice: a description of words and one without a single place to break. Prints
// the times per length and their growth; both should grow like the length.
// Run: build with -DBUILD_BENCHMARKS=ON (Release), then
// QT_QPA_PLATFORM=offscreen build/bench/bench_zumoltc_description [length ...]
// (default 10000 100000 1000000 characters).
#include "benchwindow.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/mainwindow.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

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
    std::printf("%10s %14s %14s\n", "characters", "words s", "no blank s");
    QList<double> words, run;
    for (int length : qAsConst(lengths)) {
        double times[2] = {};
        for (bool blanks : { true, false }) {
            const QString path = dir.filePath(QStringLiteral("description.json"));
            ZUConfiguration c;
            c.setId(1);
            c.setDescription(description(length, blanks));
            QString error;
            if (!c.save(path, &error)) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                return 1;
            }
            times[blanks ? 0 : 1] = openSeconds(path);
            if (times[blanks ? 0 : 1] < 0)
                return 1;
        }
        words << times[0];
        run << times[1];
        std::printf("%10d %14.3f %14.3f\n", length, times[0], times[1]);
    }
    if (lengths.size() > 1) {
        const double growth = double(lengths.last()) / lengths.first();
        std::printf("growth %.0fx characters: words %.1fx, no blank %.1fx (linear: about %.0fx)\n",
                    growth, words.last() / std::max(1e-9, words.first()),
                    run.last() / std::max(1e-9, run.first()), growth);
    }
    return 0;
}

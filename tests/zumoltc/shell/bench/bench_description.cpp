// A long description in zumoltc, timed as the window shows it, with the common-
// parameters page open and the description field focused:
// - open: opening a ZU_MOLT file that holds the text, until the window's first paint;
// - idle: the share of one core the process uses while the field only waits with its
//   cursor blinking at the end of the text (process CPU time over a fixed number of
//   cursor blinks);
// - key: the first keystroke at the end of the text, until the field has been painted;
// - paste: pasting the text (Ctrl+V) into the description of a file that holds a
//   short one, until the field has been painted.
// Each length is timed for words of Latin letters, words of two scripts (Latin and
// Cyrillic, Latin and Chinese) and a text without a single blank. Prints a row per
// length and text and the growth per text; open and paste should grow like the
// length, idle and key stay small.
// Run: build with -DBUILD_BENCHMARKS=ON (Release), then
// QT_QPA_PLATFORM=offscreen build/bench/bench_zumoltc_description [--blinks N] [length ...]
// (default 10000 100000 1000000 characters, 4 blinks).
#include "benchwindow.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/mainwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QScopedPointer>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

enum Text { LatinWords, LatinCyrillic, LatinChinese, Run, TextCount };
const char *const TextNames[TextCount] = { "words", "Latin Cyrillic", "Latin Chinese", "no blank" };

// The text of `length` characters: words and blanks, or one run without a blank.
QString description(int length, Text kind)
{
    QString words;
    switch (kind) {
    case LatinWords:
        words = QStringLiteral("abcdefg ");
        break;
    case LatinCyrillic:
        words = QStringLiteral("Main street \u0443\u043b\u0438\u0446\u0430 "
                               "\u0443 \u043c\u043e\u0441\u0442\u0430 ");
        break;
    case LatinChinese:
        words = QStringLiteral("signal \u4ea4\u901a\u4fe1\u53f7 plan "
                               "\u63a7\u5236\u5668 ");
        break;
    case Run:
    case TextCount:
        return QString(length, QLatin1Char('x'));
    }
    QString text = words.repeated(length / words.size() + 1);
    text.truncate(length);
    return text;
}

double processCpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

// Counts the paint events of a widget.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget)
        : m_widget(widget)
    {
        widget->installEventFilter(this);
    }
    ~PaintCounter() override
    {
        if (m_widget)
            m_widget->removeEventFilter(this);
    }
    int paints() const { return m_paints; }

    // Runs the event loop until the widget has been painted after `before` paints;
    // false when that did not happen within ten seconds.
    bool waitForPaintAfter(int before) const
    {
        QElapsedTimer deadline;
        deadline.start();
        QApplication::processEvents();
        while (m_paints <= before && deadline.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return m_paints > before;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_widget && event->type() == QEvent::Paint)
            ++m_paints;
        return false;
    }

private:
    QPointer<QWidget> m_widget;
    int m_paints = 0;
};

// A zumoltc window with a file open, shown, active and painted, and the description
// field focused with the cursor at the end of its text.
class FocusedDescription
{
public:
    bool open(const QString &path)
    {
        if (!window.loadFile(path)) {
            std::fprintf(stderr, "zumoltc did not load %s\n", qPrintable(path));
            return false;
        }
        showAndPaint(&window);
        QApplication::setActiveWindow(&window);
        field = window.findChild<QTextEdit *>(QStringLiteral("description"));
        if (!field || !field->isVisible()) {
            std::fprintf(stderr, "no description field shown\n");
            return false;
        }
        field->setFocus();
        field->moveCursor(QTextCursor::End);
        QApplication::processEvents();
        if (QApplication::focusWidget() != field) {
            std::fprintf(stderr, "the description field has no focus\n");
            return false;
        }
        paints.reset(new PaintCounter(field->viewport()));
        window.repaint();
        return true;
    }

    // Seconds from sending the key to the end of the field's next paint; -1 when it
    // was not painted.
    double keySeconds(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text)
    {
        const int before = paints->paints();
        QElapsedTimer timer;
        timer.start();
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(field, &release);
        if (!paints->waitForPaintAfter(before)) {
            std::fprintf(stderr, "the field was not painted after a key\n");
            return -1;
        }
        return timer.nsecsElapsed() / 1e9;
    }

    // Percent of one core that the process uses while the window waits for `blinks`
    // blinks of the cursor; -1 when the cursor did not blink.
    double idlePercent(int blinks)
    {
        const int blink = std::max(1, QApplication::cursorFlashTime() / 2);
        QApplication::processEvents();
        const int before = paints->paints();
        QEventLoop loop;
        QTimer::singleShot(blinks * blink, &loop, &QEventLoop::quit);
        QElapsedTimer wall;
        wall.start();
        const double cpu = processCpuSeconds();
        loop.exec();
        const double used = processCpuSeconds() - cpu;
        if (blinks > 1 && paints->paints() == before) {
            std::fprintf(stderr, "the cursor did not blink\n");
            return -1;
        }
        return 100 * used / std::max(1e-9, wall.nsecsElapsed() / 1e9);
    }

    MainWindow window;
    QTextEdit *field = nullptr;
    QScopedPointer<PaintCounter> paints;
};

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

// The share of a core while the field holding the file's text waits, and the seconds
// of the first keystroke at its end; false after telling why.
bool idleAndKey(const QString &path, int blinks, double *idle, double *key)
{
    FocusedDescription shown;
    if (!shown.open(path))
        return false;
    const int length = shown.field->toPlainText().size();
    *idle = shown.idlePercent(blinks);
    *key = shown.keySeconds(Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    if (*idle < 0 || *key < 0)
        return false;
    if (shown.field->toPlainText().size() != length + 1) {
        std::fprintf(stderr, "the key did not arrive\n");
        return false;
    }
    return true;
}

// Seconds from pasting the text at the end of the description of the file at `path`
// (whose own description is short) to the end of the field's next paint; -1 on failure.
double pasteSeconds(const QString &path, const QString &text)
{
    QApplication::clipboard()->setText(text);
    FocusedDescription shown;
    if (!shown.open(path))
        return -1;
    const int length = shown.field->toPlainText().size();
    const double seconds = shown.keySeconds(Qt::Key_V, Qt::ControlModifier, QString());
    if (seconds >= 0 && shown.field->toPlainText().size() != length + text.size()) {
        std::fprintf(stderr, "the paste did not arrive\n");
        return -1;
    }
    return seconds;
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
    int blinks = 4;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--blinks" && i + 1 < argc)
            blinks = std::max(1, QByteArray(argv[++i]).toInt());
        else
            lengths << std::max(1, QByteArray(argv[i]).toInt());
    }
    if (lengths.isEmpty())
        lengths = { 10000, 100000, 1000000 };

    QTemporaryDir dir;
    const QString longPath = dir.filePath(QStringLiteral("description.json"));
    const QString shortPath = dir.filePath(QStringLiteral("short.json"));
    if (!saveWithDescription(shortPath, QStringLiteral("Main street")))
        return 1;
    enum Measure { Open, Idle, Key, Paste, MeasureCount };
    const char *const measureNames[MeasureCount] = { "open s", "idle % core", "key s", "paste s" };
    std::printf("%10s %15s", "characters", "text");
    for (const char *name : measureNames)
        std::printf(" %12s", name);
    std::printf("\n");
    QList<double> times[TextCount][MeasureCount];
    for (int length : qAsConst(lengths)) {
        for (int kind = 0; kind < TextCount; ++kind) {
            const QString text = description(length, Text(kind));
            if (!saveWithDescription(longPath, text))
                return 1;
            double row[MeasureCount];
            row[Open] = openSeconds(longPath);
            if (row[Open] < 0 || !idleAndKey(longPath, blinks, &row[Idle], &row[Key]))
                return 1;
            row[Paste] = pasteSeconds(shortPath, text);
            if (row[Paste] < 0)
                return 1;
            std::printf("%10d %15s", length, TextNames[kind]);
            for (int m = 0; m < MeasureCount; ++m) {
                times[kind][m] << row[m];
                std::printf(m == Idle ? " %12.1f" : " %12.3f", row[m]);
            }
            std::printf("\n");
            std::fflush(stdout);
        }
    }
    if (lengths.size() > 1) {
        const double growth = double(lengths.last()) / lengths.first();
        std::printf("growth %.0fx characters (linear: about %.0fx):\n", growth, growth);
        for (int kind = 0; kind < TextCount; ++kind) {
            std::printf("%26s", TextNames[kind]);
            for (int m = 0; m < MeasureCount; ++m)
                std::printf(" %s %.1fx", measureNames[m],
                            times[kind][m].last() / std::max(1e-9, times[kind][m].first()));
            std::printf("\n");
        }
    }
    return 0;
}

#include "plivek/programs/emulation/tiverk2logdlg.h"
#include "plivek/programs/emulation/wappender.h"
#include "testmain.h"
#include "tlc/qtlc.h"

#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include <log4cxx/logger.h>

#include <memory>

using log4cxx::Level;
using log4cxx::LevelPtr;
using log4cxx::Logger;

Q_DECLARE_METATYPE(LevelPtr)

namespace {

// One logged event: logger name, level, message.
struct Event
{
    const char *logger;
    LevelPtr level;
    const char *message;
};
using Events = QVector<Event>;

void log(const Event &event)
{
    Logger::getLogger(event.logger)->log(event.level, event.message);
}

QTextEdit *textEdit(QWidget &window)
{
    return window.findChild<QTextEdit *>(QStringLiteral("textEdit"));
}

// The lines of the log without the empty block after the last line break.
QStringList lines(QWidget &window)
{
    QStringList all = textEdit(window)->toPlainText().split(QLatin1Char('\n'));
    if (!all.isEmpty() && all.last().isEmpty())
        all.removeLast();
    return all;
}

// An emulator stopped at a given emulation time.
class StoppedEmulator : public QTlc
{
public:
    explicit StoppedEmulator(qint64 ms)
        : m_ms(ms)
    {
    }
    qint64 clock() const override { return m_ms; }

private:
    qint64 m_ms;
};

} // namespace

Q_DECLARE_METATYPE(Events)

class TestTiverk2LogDlg : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        // Every level the tests log reaches the windows.
        m_rootLevel = Logger::getRootLogger()->getLevel();
        Logger::getRootLogger()->setLevel(Level::getAll());
    }

    void cleanup() { Logger::getRootLogger()->setLevel(m_rootLevel); }

    void form()
    {
        Tiverk2LogDlg window;
        QCOMPARE(window.objectName(), QStringLiteral("Tiverk2LogDlg"));
        QCOMPARE(window.size(), QSize(670, 457));
        QCOMPARE(window.windowTitle(), QStringLiteral("Log of emulator"));
        QTextEdit *edit = textEdit(window);
        QVERIFY(edit);
        QVERIFY(edit->isReadOnly());
        QVERIFY(!edit->isUndoRedoEnabled());
        QCOMPARE(edit->lineWrapMode(), QTextEdit::NoWrap);
    }

    void lines_data()
    {
        QTest::addColumn<Events>("events");
        QTest::addColumn<QStringList>("expected");
        const LevelPtr info = Level::getInfo();
        QTest::newRow("outside a run the clock is empty")
            << Events { { "emulator:stage", info, "Stage 2 starts" } }
            << QStringList { QStringLiteral(" [INFO] stage Stage 2 starts ") };
        QTest::newRow("a name without ':' stays whole")
            << Events { { "emulator", Level::getWarn(), "late" } }
            << QStringList { QStringLiteral(" [WARN] emulator late ") };
        QTest::newRow("three equal events fold")
            << Events { { "a:b", info, "m" }, { "a:b", info, "m" }, { "a:b", info, "m" } }
            << QStringList { QStringLiteral(" [INFO] b m (repeated 3 times)") };
        QTest::newRow("the part before ':' does not count")
            << Events { { "a:b", info, "m" }, { "c:b", info, "m" } }
            << QStringList { QStringLiteral(" [INFO] b m (repeated 2 times)") };
        QTest::newRow("the part after ':' counts")
            << Events { { "a:b", info, "m" }, { "a:c", info, "m" } }
            << QStringList { QStringLiteral(" [INFO] b m "), QStringLiteral(" [INFO] c m ") };
        QTest::newRow("another level does not fold")
            << Events { { "a:b", info, "m" }, { "a:b", Level::getError(), "m" } }
            << QStringList { QStringLiteral(" [INFO] b m "), QStringLiteral(" [ERROR] b m ") };
        QTest::newRow("A B A gives three lines")
            << Events { { "a:b", info, "A" }, { "a:b", info, "B" }, { "a:b", info, "A" } }
            << QStringList { QStringLiteral(" [INFO] b A "), QStringLiteral(" [INFO] b B "),
                             QStringLiteral(" [INFO] b A ") };
        QTest::newRow("a fold after other lines replaces only the last")
            << Events { { "a:x", info, "A" }, { "a:b", info, "B" }, { "a:b", info, "B" } }
            << QStringList { QStringLiteral(" [INFO] x A "),
                             QStringLiteral(" [INFO] b B (repeated 2 times)") };
    }

    void lines()
    {
        QFETCH(Events, events);
        QFETCH(QStringList, expected);
        Tiverk2LogDlg window;
        for (const Event &event : qAsConst(events))
            log(event);
        QCOMPARE(::lines(window), expected);
    }

    void colours_data()
    {
        QTest::addColumn<LevelPtr>("level");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("TRACE") << Level::getTrace() << QColor(Qt::darkGray);
        QTest::newRow("DEBUG") << Level::getDebug() << QColor(Qt::darkCyan);
        QTest::newRow("INFO") << Level::getInfo() << QColor(Qt::darkBlue);
        QTest::newRow("WARN") << Level::getWarn() << QColor(Qt::darkYellow);
        QTest::newRow("ERROR") << Level::getError() << QColor(Qt::red);
        QTest::newRow("FATAL") << Level::getFatal() << QColor(Qt::black);
    }

    void colours()
    {
        QFETCH(LevelPtr, level);
        QFETCH(QColor, colour);
        Tiverk2LogDlg window;
        // A line of another colour first: each line has its own colour.
        log({ "x:first", level == Level::getError() ? Level::getInfo() : Level::getError(),
              "before" });
        log({ "x:second", level, "coloured" });
        const QTextBlock block = textEdit(window)->document()->findBlockByNumber(1);
        QVERIFY(block.text().contains(QLatin1String("coloured")));
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::NextCharacter);
        QCOMPARE(cursor.charFormat().foreground().color(), colour);
    }

    // The run hands its emulator to the appender the root logger names "plivek";
    // only that window shows the clock.
    void clockDuringARun()
    {
        Tiverk2LogDlg first;
        Tiverk2LogDlg second;
        auto appender = std::dynamic_pointer_cast<WAppender>(
            Logger::getRootLogger()->getAppender(LOG4CXX_STR("plivek")));
        QVERIFY(appender);
        {
            StoppedEmulator emulator(12345);
            appender->setEmulator(&emulator);
            log({ "emulator:tick", Level::getDebug(), "step" });
        }
        QVERIFY(!appender->emulator());
        log({ "emulator:tick", Level::getDebug(), "after" });
        const QStringList shown = ::lines(first) + ::lines(second);
        QVERIFY2(shown.contains(QStringLiteral("12.3 [DEBUG] tick step ")),
                 qPrintable(shown.join(QLatin1Char('|'))));
        QCOMPARE(shown.count(QStringLiteral(" [DEBUG] tick step ")), 1);
        QCOMPARE(shown.count(QStringLiteral(" [DEBUG] tick after ")), 2);
    }

    void clearLog()
    {
        Tiverk2LogDlg window;
        log({ "a:b", Level::getInfo(), "m" });
        window.clearLog();
        QVERIFY(textEdit(window)->toPlainText().isEmpty());
    }

    void appenderLivesWithTheWindow()
    {
        const LevelPtr info = Level::getInfo();
        auto first = std::make_unique<Tiverk2LogDlg>();
        QVERIFY(std::dynamic_pointer_cast<WAppender>(
            Logger::getRootLogger()->getAppender(LOG4CXX_STR("plivek"))));
        {
            Tiverk2LogDlg second;
            log({ "a:b", info, "both" });
            QCOMPARE(::lines(*first), QStringList { QStringLiteral(" [INFO] b both ") });
            QCOMPARE(::lines(second), QStringList { QStringLiteral(" [INFO] b both ") });
        }
        log({ "a:b", info, "after" });
        QCOMPARE(::lines(*first).size(), 2);
        first.reset();
        QVERIFY(!Logger::getRootLogger()->getAppender(LOG4CXX_STR("plivek")));
        log({ "a:b", info, "nobody listens" });
    }

    void geometryKeptWhenHidden()
    {
        QWidget parent;
        auto *window = new Tiverk2LogDlg(&parent);
        QSignalSpy visibility(window, &Tiverk2LogDlg::visibilityChanged);
        window->show();
        window->setGeometry(QRect(40, 50, 500, 300));
        window->hide();
        QCOMPARE(visibility.count(), 2);
        QCOMPARE(visibility.at(0).at(0).toBool(), true);
        QCOMPARE(visibility.at(1).at(0).toBool(), false);
        QVERIFY(
            !QSettings().value(QStringLiteral("Tiverk2LogDlg/geometry")).toByteArray().isEmpty());
        Tiverk2LogDlg other;
        other.show();
        QCOMPARE(other.size(), QSize(500, 300));
    }

private:
    LevelPtr m_rootLevel;
};

PROJECT_TEST(TestTiverk2LogDlg);
#include "tst_tiverk2logdlg.moc"

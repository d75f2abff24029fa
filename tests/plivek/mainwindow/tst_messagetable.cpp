#include "modalanswerer.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QScrollBar>
#include <QtTest>

using namespace WindowTesting;

namespace {

QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestMessageTable : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useProgramIdentity(); }
    void init() { clearSettings(); }

    void rowPerMessage_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("popup");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<bool>("boxShown");
        QTest::newRow("information") << int(QtDebugMsg) << true << "eventlogInfo.png" << false;
        QTest::newRow("warning") << int(QtWarningMsg) << true << "eventlogWarn.png" << false;
        QTest::newRow("error") << int(QtCriticalMsg) << true << "eventlogError.png" << true;
        QTest::newRow("error without pop-up")
            << int(QtCriticalMsg) << false << "eventlogError.png" << false;
        QTest::newRow("fatal") << int(QtFatalMsg) << true << "eventlogError.png" << false;
        QTest::newRow("success") << int(QtInfoMsg) << true << "SuccessComplete.png" << false;
    }

    void rowPerMessage()
    {
        QFETCH(int, level);
        QFETCH(bool, popup);
        QFETCH(QString, icon);
        QFETCH(bool, boxShown);

        MainWindow window;
        QTableWidget *messages = table(window, "messageTable");
        QCOMPARE(messages->columnCount(), 3);
        QCOMPARE(messages->horizontalHeaderItem(0)->text(), QString());
        QCOMPARE(messages->horizontalHeaderItem(1)->text(), QStringLiteral("Time"));
        QCOMPARE(messages->horizontalHeaderItem(2)->text(), QStringLiteral("Message"));

        ModalAnswerer answerer;
        if (boxShown)
            answerer.pressButton(QMessageBox::Ok);
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        window.addLogMessage(QStringLiteral("Something happened"), QtMsgType(level), popup);
        const QDateTime after = QDateTime::currentDateTime().addSecs(1);

        QCOMPARE(messages->rowCount(), 1);
        QCOMPARE(cellText(messages, 0, 0), QString());
        QCOMPARE(iconImage(messages->item(0, 0)->icon()), iconImage(QIcon(":/images/" + icon)));
        const QString time = cellText(messages, 0, 1);
        QVERIFY2(QRegularExpression("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$")
                     .match(time)
                     .hasMatch(),
                 qPrintable(time));
        const QDateTime stamp = QDateTime::fromString(time, QStringLiteral("dd.MM.yyyy hh:mm:ss"));
        QVERIFY(stamp >= before.addMSecs(-before.time().msec()) && stamp <= after);
        QCOMPARE(cellText(messages, 0, 2), QStringLiteral("Something happened"));

        QCOMPARE(answerer.answered(), boxShown);
        if (boxShown) {
            QCOMPARE(answerer.seenTitle(), QStringLiteral("Error"));
            QCOMPARE(answerer.seenText(), QStringLiteral("Something happened"));
        }
    }

    void printHelpers()
    {
        MainWindow window;
        QTableWidget *messages = table(window, "messageTable");
        window.printInfo(QStringLiteral("info"));
        window.printWarning(QStringLiteral("warning"));
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        window.printError(QStringLiteral("error"));
        QVERIFY(answerer.answered());
        QCOMPARE(messages->rowCount(), 3);
        QCOMPARE(iconImage(messages->item(1, 0)->icon()),
                 iconImage(QIcon(":/images/eventlogWarn.png")));
        QCOMPARE(iconImage(messages->item(2, 0)->icon()),
                 iconImage(QIcon(":/images/eventlogError.png")));
        QCOMPARE(cellText(messages, 2, 2), QStringLiteral("error"));
    }

    // The first row sizes every column; later rows only the text column, so
    // that a column the user narrowed stays as it is until the table is cleared.
    void resizing()
    {
        MainWindow window;
        QTableWidget *messages = table(window, "messageTable");
        window.printInfo(QStringLiteral("first"));
        const int timeWidth = messages->columnWidth(1);
        QVERIFY(timeWidth > 60);

        const int narrowed = qMax(messages->horizontalHeader()->minimumSectionSize(), 40);
        QVERIFY(narrowed < timeWidth);
        messages->setColumnWidth(1, narrowed);
        window.printInfo(QStringLiteral("a much longer second message than the first one"));
        QCOMPARE(messages->columnWidth(1), narrowed);
        QVERIFY(messages->columnWidth(2) > 200);

        window.clearMessageTable();
        QCOMPARE(messages->rowCount(), 0);
        window.printInfo(QStringLiteral("after clearing"));
        QCOMPARE(messages->columnWidth(1), timeWidth);
    }

    void clearAction()
    {
        MainWindow window;
        QTableWidget *messages = table(window, "messageTable");
        window.printInfo(QStringLiteral("one"));
        window.printInfo(QStringLiteral("two"));
        QAction *clear = messages->actions().value(0);
        QVERIFY(clear);
        QCOMPARE(clear->text(), QStringLiteral("Clear"));
        clear->trigger();
        QCOMPARE(messages->rowCount(), 0);
    }

    void scrollsToTheNewestRow()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTableWidget *messages = table(window, "messageTable");
        for (int i = 0; i < 60; ++i)
            window.printInfo(QStringLiteral("message %1").arg(i));
        QCoreApplication::processEvents();
        QCOMPARE(messages->verticalScrollBar()->value(), messages->verticalScrollBar()->maximum());
        QVERIFY(messages->verticalScrollBar()->maximum() > 0);
    }
};

PROJECT_TEST(TestMessageTable);
#include "tst_messagetable.moc"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdaycard.h"
#include "modalanswerer.h"
#include "plivek/dialogs/controller/calendardlg.h"
#include "plivek/mainwindow/mainwindow.h"
#include "testmain.h"

#include <QAction>
#include <QCoreApplication>
#include <QMessageBox>
#include <QSettings>
#include <QTableWidget>
#include <QtTest>

// The calendar dialog's errors reach the main window that opened it: its
// message table and its error box.
class TestCalendarDlgWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("tovel"));
        QCoreApplication::setApplicationName(QStringLiteral("plivek"));
        QSettings().clear();
    }

    void limitMessageInMessageTable()
    {
        MainWindow window;
        QVERIFY(window.metaObject()->indexOfSlot("printError(QString)") >= 0);
        auto *messages = window.findChild<QTableWidget *>(QStringLiteral("messageTable"));
        QVERIFY(messages);
        const int rows = messages->rowCount();

        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverk"));
        for (int i = 0; i < controller.getMaxSpecialDayCount(); ++i)
            controller.addSpecialDay(QDate(2027, 1, 1).addDays(i), CnfSpecialDayPtr::create());
        CalendarDlg dialog(&window, &controller);

        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        dialog.findChild<QAction *>(QStringLiteral("specialDaysAdd"))->trigger();
        const QString message = QStringLiteral(
            "Impossible to add new special day. Maximum numbers for given type of controller: 32");
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Error"));
        QCOMPARE(answerer.seenText(), message);
        QCOMPARE(messages->rowCount(), rows + 1);
        QCOMPARE(messages->item(rows, 2)->text(), message);
    }
};

PROJECT_TEST(TestCalendarDlgWindow);
#include "tst_calendardlgwindow.moc"

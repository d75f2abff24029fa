#include "modalanswerer.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/checkingerrorsdialog.h"
#include "zumoltc/shell/mainwindow.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

void runCheck(MainWindow &window)
{
    auto *action = window.findChild<QAction *>(QStringLiteral("actionchecking"));
    QVERIFY(action);
    action->trigger();
}

QStringList shownRows(CheckingErrorsDialog *dialog)
{
    auto *table = dialog->findChild<QTableWidget *>(QStringLiteral("errorsTable"));
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row)
        rows.append(table->item(row, 1)->text());
    return rows;
}

// An id and a default signal plan are all that an otherwise empty configuration needs.
void makeClean(ZUConfiguration &configuration)
{
    configuration.setId(1);
    auto *plan = new ZUSignalPlan;
    plan->setId(1);
    configuration.addSignalPlan(plan);
    configuration.setDefaultProgram(plan);
}

} // namespace

class TestChecking : public QObject
{
    Q_OBJECT
private slots:
    void actionOfTheWindow()
    {
        MainWindow window;
        auto *action = window.findChild<QAction *>(QStringLiteral("actionchecking"));
        QVERIFY(action);
        QCOMPARE(action->text(), QStringLiteral("checking"));
        QCOMPARE(action->toolTip(), QStringLiteral("Checking for errors"));
        QVERIFY(window.configuration());
    }

    void oneDialogReusedAcrossChecks()
    {
        MainWindow window;
        runCheck(window);
        const QList<CheckingErrorsDialog *> dialogs = window.findChildren<CheckingErrorsDialog *>();
        QCOMPARE(dialogs.size(), 1);
        QPointer<CheckingErrorsDialog> dialog = dialogs.first();
        QCOMPARE(dialog->parentWidget(), &window);
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        const QStringList emptyRows = {
            QStringLiteral("Controller ID not set"),
            QStringLiteral("Signal plans are not defined"),
            QStringLiteral("Default signal plan are not defined"),
            QStringLiteral("Dayplans are not defined"),
        };
        QCOMPARE(shownRows(dialog), emptyRows);
        // Every row is an error row.
        auto *table = dialog->findChild<QTableWidget *>(QStringLiteral("errorsTable"));
        CheckingErrorsDialog reference;
        reference.addRow(0, QStringLiteral("e"));
        const QImage errorIcon
            = reference.findChild<QTableWidget *>()->item(0, 0)->icon().pixmap(16).toImage();
        for (int row = 0; row < table->rowCount(); ++row)
            QCOMPARE(table->item(row, 0)->icon().pixmap(16).toImage(), errorIcon);

        // Closing only hides it; the next check shows it again with its own rows only.
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Close)->click();
        QVERIFY(!dialog->isVisible());
        window.configuration()->setId(7);
        runCheck(window);
        QCOMPARE(window.findChildren<CheckingErrorsDialog *>().size(), 1);
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(shownRows(dialog), emptyRows.mid(1));
    }

    void cleanConfigurationSaysNoErrorsFound()
    {
        MainWindow window;
        makeClean(*window.configuration());
        ModalAnswerer answerer;
        QWidget *boxParent = nullptr;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        answerer.answerWith([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            boxParent = box->parentWidget();
            buttons = box->standardButtons();
            icon = box->icon();
            box->button(QMessageBox::Ok)->click();
        });
        runCheck(window);
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Checking"));
        QCOMPARE(answerer.seenText(), QStringLiteral("No errors found"));
        QCOMPARE(boxParent, &window);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(icon, QMessageBox::Information);
        auto *dialog = window.findChild<CheckingErrorsDialog *>();
        QVERIFY(!dialog || !dialog->isVisible());
    }

    void cleanCheckAfterFailedOneClearsTheDialog()
    {
        MainWindow window;
        runCheck(window);
        auto *dialog = window.findChild<CheckingErrorsDialog *>();
        QVERIFY(dialog->hasMessages());

        makeClean(*window.configuration());
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        runCheck(window);
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenText(), QStringLiteral("No errors found"));
        QCOMPARE(window.findChild<CheckingErrorsDialog *>(), dialog);
        QVERIFY(!dialog->hasMessages());
    }
};

PROJECT_TEST(TestChecking);
#include "tst_checking.moc"

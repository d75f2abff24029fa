#include "checkingerrorsdialog.h"
#include "testmain.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

class TestCheckingErrorsDialog : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        CheckingErrorsDialog dialog;
        QCOMPARE(dialog.objectName(), QStringLiteral("CheckingErrorsDialog"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Checking results"));
        QCOMPARE(dialog.size(), QSize(696, 384));
        auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("errorsTable"));
        QVERIFY(table);
        QCOMPARE(table->columnCount(), 2);
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("Type"));
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Description"));
        QVERIFY(!dialog.hasMessages());
    }

    void rowsCarryIconAndReadOnlyText()
    {
        CheckingErrorsDialog dialog;
        auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("errorsTable"));
        dialog.addRow(0, QStringLiteral("Controller ID not set"));
        dialog.addRow(1, QStringLiteral("a warning"));
        dialog.addRow(0, QString());
        QCOMPARE(table->rowCount(), 2);
        QVERIFY(dialog.hasMessages());
        for (int row = 0; row < 2; ++row) {
            QVERIFY(!table->item(row, 0)->icon().isNull());
            QVERIFY(table->item(row, 0)->text().isEmpty());
            QCOMPARE(table->item(row, 1)->flags(), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        }
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("Controller ID not set"));
        // Error and warning rows show different icons.
        const QImage error = table->item(0, 0)->icon().pixmap(16).toImage();
        const QImage warning = table->item(1, 0)->icon().pixmap(16).toImage();
        QVERIFY(error != warning);

        dialog.clear();
        QCOMPARE(table->rowCount(), 0);
        QVERIFY(!dialog.hasMessages());
    }

    void closeOnlyHides()
    {
        QWidget owner;
        QPointer<CheckingErrorsDialog> dialog = new CheckingErrorsDialog(&owner);
        dialog->show();
        auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        buttons->button(QDialogButtonBox::Close)->click();
        QVERIFY(dialog);
        QVERIFY(!dialog->isVisible());
    }
};

PROJECT_TEST(TestCheckingErrorsDialog);
#include "tst_checkingerrorsdialog.moc"

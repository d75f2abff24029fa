#include "testmain.h"
#include "zumoltc/shell/checkingerrorsdialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
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
        QVERIFY(table->horizontalHeader()->stretchLastSection());
        auto *buttons = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        QVERIFY(buttons);
        QCOMPARE(buttons->orientation(), Qt::Horizontal);
        QCOMPARE(buttons->standardButtons(),
                 QDialogButtonBox::StandardButtons(QDialogButtonBox::Close));
        QVERIFY(!dialog.hasMessages());
    }

    // Type 0 shows the error icon, every other type the warning icon; both cells
    // of a row can be selected but not edited.
    void rowOfType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("icon");

        const QString error = QStringLiteral("://icons/dialog-error.png");
        const QString warning = QStringLiteral("://icons/dialog-warning.png");
        QTest::newRow("error") << 0 << error;
        QTest::newRow("warning 1") << 1 << warning;
        QTest::newRow("warning 2") << 2 << warning;
        QTest::newRow("negative type") << -1 << warning;
    }

    void rowOfType()
    {
        QFETCH(int, type);
        QFETCH(QString, icon);
        const QImage expected = QIcon(icon).pixmap(16).toImage();
        QVERIFY(!expected.isNull());
        CheckingErrorsDialog dialog;
        auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("errorsTable"));
        dialog.addRow(type, QStringLiteral("text"));
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->item(0, 0)->icon().pixmap(16).toImage(), expected);
        for (int column = 0; column < 2; ++column)
            QCOMPARE(table->item(0, column)->flags(), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
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

#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfsignalgroup.h"
#include "plivek/dialogs/elements/interstatesdlg.h"
#include "plivek/dialogs/elements/matrixdlg.h"
#include "plivek/dialogs/elements/sgdefaultsdlg.h"
#include "testmain.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

namespace {

bool isShown(const QWidget &dialog, const char *name)
{
    const QWidget *widget = dialog.findChild<QWidget *>(QLatin1String(name));
    return widget && widget->isVisible();
}

} // namespace

class TestElementDialogs : public QObject
{
    Q_OBJECT
private slots:
    void sgDefaultsFamilies_data()
    {
        QTest::addColumn<bool>("tiverkII");
        QTest::newRow("TIVERK II") << true;
        QTest::newRow("other") << false;
    }

    // The extended timings are hidden for TIVERK II, yet loaded and read.
    void sgDefaultsFamilies()
    {
        QFETCH(bool, tiverkII);

        SGDefaultsDlg dialog(tiverkII, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Defaults fro signal groups"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const char *name :
             { "extRed", "extGreen1", "extGreen2", "label_26", "label_27", "label_28" })
            QCOMPARE(isShown(dialog, name), !tiverkII);
        QVERIFY(isShown(dialog, "maxGreen"));

        dialog.mapToWidgets({ { "extRed", 4 }, { "amber", QVariant() }, { "redAmber", 2 } });
        QCOMPARE(dialog.widgetValue(QStringLiteral("extRed")), QVariant(4));
        QVERIFY(!dialog.widgetValue(QStringLiteral("amber")).isValid());
        QCOMPARE(dialog.findChild<QSpinBox *>(QStringLiteral("amber"))->text(),
                 QStringLiteral("not set"));
        QCOMPARE(dialog.widgetValue(QStringLiteral("redAmber")), QVariant(2));
    }

    void matrixTitles_data()
    {
        QTest::addColumn<bool>("given");
        QTest::addColumn<bool>("conflict");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("idShown");

        QTest::newRow("new conflict matrix") << false << true << "New conflict matrix" << false;
        QTest::newRow("new matrix") << false << false << "New matrix" << true;
        QTest::newRow("conflict matrix") << true << true << "Conflict matrix" << false;
        QTest::newRow("matrix") << true << false << "Matrix 7 Night" << true;
    }

    void matrixTitles()
    {
        QFETCH(bool, given);
        QFETCH(bool, conflict);
        QFETCH(QString, title);
        QFETCH(bool, idShown);

        CnfController controller;
        CnfMatrixPtr matrix;
        if (given) {
            matrix = CnfMatrixPtr::create();
            matrix->setId(7);
            matrix->setName(QStringLiteral("Night"));
        }
        MatrixDlg dialog(nullptr, &controller, matrix, nullptr, conflict);
        QCOMPARE(dialog.windowTitle(), title);
        QVERIFY(dialog.matrix());
        if (given)
            QCOMPARE(dialog.matrix(), matrix);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(isShown(dialog, "id"), idShown);
        if (given && !conflict) {
            QCOMPARE(dialog.findChild<QSpinBox *>(QStringLiteral("id"))->value(), 7);
            QCOMPARE(dialog.findChild<QLineEdit *>(QStringLiteral("name"))->text(),
                     QStringLiteral("Night"));
        }
    }

    void interstatesEmbedded()
    {
        CnfController controller;
        InterstatesDlg modal(nullptr, &controller, false);
        QCOMPARE(modal.windowTitle(), QStringLiteral("Interstates"));
        QVERIFY(modal.findChild<QDialogButtonBox *>());
        QWidget host;
        InterstatesDlg embedded(&host, &controller, true);
        QVERIFY(!embedded.findChild<QDialogButtonBox *>());
        QVERIFY(!embedded.isWindow());
    }

    // Applying an unedited table gives every record back unchanged.
    void interstatesApplyKeepsRecords()
    {
        CnfController controller;
        auto group = CnfSignalGroupPtr::create();
        group->id = 1;
        group->setInterstate(1, QByteArray("\x01\x02\x03\x04\x05\x06", 6));
        QVERIFY(controller.addSignalGroup(group));
        InterstatesDlg dialog(nullptr, &controller, false);
        dialog.applyToController();
        QCOMPARE(group->interstate(1), QByteArray("\x01\x02\x03\x04\x05\x06", 6));
    }
};

PROJECT_TEST(TestElementDialogs);
#include "tst_elementdialogs.moc"

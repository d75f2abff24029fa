#include "modalanswerer.h"
#include "plivek/programs/svgexportparametersdlg.h"
#include "testmain.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QtTest>

class TestSvgExportParametersDlg : public QObject
{
    Q_OBJECT
private:
    static QSpinBox *spin(QWidget &dialog, const char *name)
    {
        return dialog.findChild<QSpinBox *>(QLatin1String(name));
    }
    static QCheckBox *check(QWidget &dialog, const char *name)
    {
        return dialog.findChild<QCheckBox *>(QLatin1String(name));
    }
    static void pressOk(QWidget &dialog)
    {
        dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    }
    static QVariant stored(const char *key)
    {
        return QSettings().value(QLatin1String("SvgExportParametersDlg/") + QLatin1String(key));
    }

private slots:
    void init() { QSettings().remove(QStringLiteral("SvgExportParametersDlg")); }

    void firstUseShowsTheScreenSize()
    {
        SvgExportParametersDlg dialog(QSize(812, 431), false);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Image parameters"));
        QCOMPARE(dialog.size(), QSize(305, 187));
        QVERIFY(!check(dialog, "likeOnScreen")->isChecked());
        QVERIFY(!check(dialog, "mmSize")->isChecked());
        QVERIFY(spin(dialog, "width")->isEnabled());
        QCOMPARE(spin(dialog, "width")->value(), 812);
        QCOMPARE(spin(dialog, "height")->value(), 431);
        QCOMPARE(spin(dialog, "height")->maximum(), 65535);
        QCOMPARE(dialog.imageSize(), QSize(812, 431));
    }

    void typedSizeIsStoredAndOffered()
    {
        {
            SvgExportParametersDlg dialog(QSize(812, 431), false);
            spin(dialog, "width")->setValue(1024);
            spin(dialog, "height")->setValue(600);
            QCOMPARE(dialog.imageSize(), QSize(1024, 600));
            pressOk(dialog);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QCOMPARE(stored("ImageSize").toSize(), QSize(1024, 600));
        SvgExportParametersDlg next(QSize(300, 200), false);
        QCOMPARE(next.imageSize(), QSize(1024, 600));
    }

    void likeOnScreenStoresTheScreenSize()
    {
        {
            SvgExportParametersDlg dialog(QSize(640, 480), false);
            spin(dialog, "width")->setValue(99);
            check(dialog, "mmSize")->setChecked(true);
            QTest::mouseClick(check(dialog, "likeOnScreen"), Qt::LeftButton);
            QVERIFY(check(dialog, "likeOnScreen")->isChecked());
            QVERIFY(!spin(dialog, "width")->isEnabled());
            QVERIFY(!spin(dialog, "height")->isEnabled());
            QCOMPARE(spin(dialog, "width")->value(), 640);
            QVERIFY(!check(dialog, "mmSize")->isChecked());
            pressOk(dialog);
        }
        QCOMPARE(stored("ImageSize").toSize(), QSize(640, 480));
        QCOMPARE(stored("likeonscreen").toBool(), true);

        // The next export follows the chart's new size.
        SvgExportParametersDlg next(QSize(800, 600), false);
        QVERIFY(check(next, "likeOnScreen")->isChecked());
        QVERIFY(!spin(next, "width")->isEnabled());
        QCOMPARE(spin(next, "width")->value(), 800);
        QCOMPARE(next.imageSize(), QSize(800, 600));
    }

    void cancelStoresNothing()
    {
        SvgExportParametersDlg dialog(QSize(640, 480), false);
        spin(dialog, "width")->setValue(99);
        dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
        QVERIFY(!stored("ImageSize").isValid());
        QVERIFY(!stored("inmm").isValid());
    }

    void hiddenMillimetreBoxKeepsItsValue()
    {
        QSettings().setValue(QStringLiteral("SvgExportParametersDlg/inmm"), true);
        SvgExportParametersDlg dialog(QSize(640, 480), true);
        QVERIFY(check(dialog, "mmSize")->isHidden());
        QVERIFY(check(dialog, "mmSize")->isChecked());
        QVERIFY(!dialog.inMillimeters());
        pressOk(dialog);
        QCOMPARE(stored("inmm").toBool(), true);
    }

    // The caller asks after exec() returned, when no box of the dialog is visible any more.
    void inMillimetersAfterExec_data()
    {
        QTest::addColumn<bool>("hide");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<bool>("expected");
        QTest::newRow("svg, ticked") << false << true << true;
        QTest::newRow("svg, not ticked") << false << false << false;
        QTest::newRow("raster, stored ticked") << true << true << false;
    }

    void inMillimetersAfterExec()
    {
        QFETCH(bool, hide);
        QFETCH(bool, tick);
        QFETCH(bool, expected);
        QSettings().setValue(QStringLiteral("SvgExportParametersDlg/inmm"), hide && tick);
        SvgExportParametersDlg dialog(QSize(640, 480), hide);
        ModalAnswerer answerer;
        answerer.answerWith([tick, hide](QWidget *modal) {
            if (!hide && tick)
                QTest::mouseClick(modal->findChild<QCheckBox *>(QStringLiteral("mmSize")),
                                  Qt::LeftButton);
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(answerer.answered());
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.inMillimeters(), expected);
        QCOMPARE(stored("inmm").toBool(), tick);
    }
};

PROJECT_TEST(TestSvgExportParametersDlg);
#include "tst_svgexportparametersdlg.moc"

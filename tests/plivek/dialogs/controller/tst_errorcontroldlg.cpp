#include "cnf/cnfcontroller.h"
#include "cnf/vobject.h"
#include "plivek/dialogs/controller/errorcontroldlg.h"
#include "plivek/framework/tiverkedittable.h"
#include "testdata.h"
#include "testmain.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

void pressOk(ErrorControlDlg &dialog)
{
    auto *box = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

TiverkEditTable *table(ErrorControlDlg &dialog, const char *name)
{
    return dialog.findChild<TiverkEditTable *>(QLatin1String(name));
}

QVariantMap recoveryOf(const CnfController &controller)
{
    return controller.nativeData()["modules"]["SystemBus"]["devices"]["KSK1"]["recovery"]
        .toVariant()
        .toMap();
}

} // namespace

class TestErrorControlDlg : public QObject
{
    Q_OBJECT
private slots:
    // The titles are translation sources and must match byte for byte.
    void faultKindTitles()
    {
        const auto &kinds = ErrorControlDlg::faultKinds();
        QCOMPARE(kinds.size(), 19);
        QCOMPARE(kinds.at(0).first, QStringLiteral("redError"));
        QCOMPARE(kinds.at(5).second.toUtf8(), QByteArray("Short curcuit in the circuit breaker"));
        QCOMPARE(kinds.at(10).first, QStringLiteral("curentLimit"));
        QCOMPARE(kinds.at(11).first, QStringLiteral("shortCurent"));
        QCOMPARE(kinds.at(14).first, QStringLiteral("curentLowFence"));
        QCOMPARE(kinds.at(15).first, QStringLiteral("curentHighFence"));
        QCOMPARE(kinds.at(16),
                 qMakePair(QStringLiteral("keyUnsync"),
                           QStringLiteral("Key out of sync with electricity grid")));
        QCOMPARE(kinds.at(17),
                 qMakePair(QStringLiteral("mnswUnsync"),
                           QStringLiteral("Circuit breaker out of sync with electricity grid")));
        QCOMPARE(kinds.at(18),
                 qMakePair(QStringLiteral("netDevLost"), QStringLiteral("Nework device lost")));
        QCOMPARE(&ErrorControlDlg::faultKinds(), &kinds);
    }

    // The translation source collected from the code holds each title as the dialog
    // shows it, or no translation could ever match it.
    void faultKindTitlesAreTranslationSources()
    {
        QFile file(QDir(TestSupport::examplesPath())
                       .filePath(QStringLiteral("../translations/plivek_ru.ts")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader ts(&file);
        QStringList sources;
        QString context;
        while (!ts.atEnd()) {
            ts.readNext();
            if (!ts.isStartElement())
                continue;
            if (ts.name() == QLatin1String("name"))
                context = ts.readElementText();
            else if (ts.name() == QLatin1String("source") && context == "ErrorControlDlg")
                sources << ts.readElementText();
        }
        QVERIFY2(!ts.hasError(), qPrintable(ts.errorString()));
        for (const auto &kind : ErrorControlDlg::faultKinds())
            QVERIFY2(sources.contains(kind.second), qPrintable(kind.second));
    }

    void pages_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("page"); // -1: no page shown
        QTest::newRow("tiverk") << "tiverk" << 0;
        QTest::newRow("tiverkii") << "tiverkii" << 1;
        QTest::newRow("TIVERKII") << "TIVERKII" << 1;
        QTest::newRow("TIVERK") << "TIVERK" << -1;
        QTest::newRow("ZU_MOLT") << "ZU_MOLT" << -1;
    }

    // A family with no page stores nothing on OK.
    void pages()
    {
        QFETCH(QString, type);
        QFETCH(int, page);
        CnfController controller;
        controller.setProperty("type", type);
        controller.setNativeData(QStringLiteral("errorControl"),
                                 QVariantList { QVariantList { 1, 2 } });
        const QByteArray before = controller.save(-1);
        ErrorControlDlg dialog(nullptr, &controller);
        auto *stack = dialog.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
        QCOMPARE(!stack->isHidden(), page >= 0);
        if (page >= 0)
            QCOMPARE(stack->currentIndex(), page);
        if (page < 0) {
            pressOk(dialog);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(controller.save(-1), before);
        }
    }

    void tiverkRows_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("rows");
        QTest::newRow("3.16") << "3.16" << 5;
        QTest::newRow("3.17") << "3.17" << 6;
        QTest::newRow("3.18") << "3.18" << 6;
    }

    // Rows by version; 255 shows empty and is stored back as not set.
    void tiverkRows()
    {
        QFETCH(QString, version);
        QFETCH(int, rows);
        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverk"));
        controller.setProperty("version", version);
        controller.setNativeData(QStringLiteral("errorControl"),
                                 QVariantList { QVariantList { 10, 3 }, QVariantList { 255, 4 } });
        ErrorControlDlg dialog(nullptr, &controller);
        TiverkEditTable *errors = table(dialog, "errorControl");
        QCOMPARE(errors->rowCount(), rows);
        QCOMPARE(errors->verticalHeaderItem(rows - 1)->text(), QStringLiteral("Other"));
        QCOMPARE(errors->verticalHeaderItem(4)->text(),
                 rows == 6 ? QStringLiteral("Silent devices") : QStringLiteral("Other"));
        QCOMPARE(errors->cellValue(0, 0), QVariant(10));
        QVERIFY(!errors->cellValue(1, 0).isValid());
        errors->setCellValue(2, 1, 7);
        pressOk(dialog);
        const QVariantList stored
            = controller.getNativeData(QStringLiteral("errorControl")).toList();
        QCOMPARE(stored.size(), rows);
        QCOMPARE(stored.at(0).toList(), (QVariantList { 10, 3 }));
        QVERIFY(!stored.at(1).toList().at(0).isValid());
        QCOMPARE(stored.at(1).toList().at(1), QVariant(4));
        QCOMPARE(stored.at(2).toList().at(1), QVariant(7));
    }

    // OK replaces the recovery block: unknown keys are gone, an emptied row
    // has no entry, and the empty cell of a half-filled row counts 0.
    void tiverkIIRoundTrip()
    {
        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverkii"));
        controller.nativeData()["modules"]["SystemBus"]["devices"]["KSK1"]["recovery"]
            = QVariantMap {
                  { "defectSwitchRate", 30 },
                  { "unknown", 1 },
                  { "errors",
                    QVariantMap {
                        { "redError", QVariantMap { { "interval", 5 }, { "attempts", 2 } } },
                        { "netDevLost", QVariantMap { { "interval", 9 }, { "attempts", 1 } } },
                        { "oldKind", QVariantMap { { "interval", 1 }, { "attempts", 1 } } } } }
              };
        ErrorControlDlg dialog(nullptr, &controller);
        auto *rate = dialog.findChild<QSpinBox *>(QStringLiteral("defectSwitchRate"));
        auto *confidence = dialog.findChild<QSpinBox *>(QStringLiteral("confidenceInterval"));
        QCOMPARE(rate->value(), 30);
        QCOMPARE(confidence->text(), QStringLiteral("not set"));
        TiverkEditTable *errors = table(dialog, "errorControl_2");
        QCOMPARE(errors->rowCount(), 19);
        QCOMPARE(errors->verticalHeaderItem(0)->text(), QStringLiteral("Control of red"));
        QCOMPARE(errors->cellValue(0, 0), QVariant(5));
        QCOMPARE(errors->cellValue(18, 1), QVariant(1));

        errors->setCellValue(18, 0, QString()); // erased in its editor
        errors->setCellValue(18, 1, QVariant()); // cleared with Delete
        errors->setCellValue(2, 1, QStringLiteral("4")); // typed into the attempts cell only
        confidence->setValue(60);
        pressOk(dialog);

        const QVariantMap expected {
            { "defectSwitchRate", 30 },
            { "confidenceInterval", 60 },
            { "errors",
              QVariantMap { { "redError", QVariantMap { { "interval", 5 }, { "attempts", 2 } } },
                            { "mnswLost", QVariantMap { { "interval", 0 }, { "attempts", 4 } } } } }
        };
        QCOMPARE(recoveryOf(controller), expected);
    }

    // Both value columns show beside the long fault titles without scrolling.
    void tiverkIIColumnsVisible()
    {
        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverkii"));
        ErrorControlDlg dialog(nullptr, &controller);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        TiverkEditTable *errors = table(dialog, "errorControl_2");
        QCOMPARE(errors->horizontalScrollBar()->maximum(), 0);
        const int attempts = errors->horizontalHeader()->sectionSizeHint(1);
        QVERIFY(errors->columnWidth(1) >= attempts);
    }

    // A configuration without the "KSK1" device opens empty and gets the
    // device path on OK.
    void tiverkIIWithoutDevice()
    {
        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverkii"));
        ErrorControlDlg dialog(nullptr, &controller);
        auto *rate = dialog.findChild<QSpinBox *>(QStringLiteral("defectSwitchRate"));
        QCOMPARE(rate->text(), QStringLiteral("not set"));
        rate->setValue(5);
        pressOk(dialog);
        QCOMPARE(recoveryOf(controller), (QVariantMap { { "defectSwitchRate", 5 } }));
    }
};

PROJECT_TEST(TestErrorControlDlg);
#include "tst_errorcontroldlg.moc"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "common/widgets/parameterstable.h"
#include "plivek/programs/programdlg.h"
#include "testdata.h"
#include "testmain.h"

#include <QImage>
#include <QLineEdit>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using TableSetup = std::function<void(ParametersTable *)>;
Q_DECLARE_METATYPE(TableSetup)

namespace {

bool loadExample(CnfController &controller, const QString &name)
{
    const CnfNativePtr native = CnfNative::loadNativeConfig(TestSupport::examplesPath(name));
    return native && native->createController(controller);
}

QVariantList row(std::initializer_list<QVariant> values)
{
    return QVariantList(values);
}

} // namespace

class TestProgramDlg : public QObject
{
    Q_OBJECT
private slots:
    void tiverkTableData_data()
    {
        QTest::addColumn<TableSetup>("setup");
        QTest::addColumn<QVariantList>("expected");

        QTest::newRow("fewer than two columns") << TableSetup([](ParametersTable *table) {
            table->setRowCount(2);
            table->setColumnCount(1);
            table->setCellData(0, 0, 5, true);
        }) << QVariantList();

        // Column 1 is hidden: the header names the visible ones, the column
        // without a header item by its number among the visible columns.
        QTest::newRow("headers and a hidden column")
            << TableSetup([](ParametersTable *table) {
                   table->setRowCount(2);
                   table->setColumnCount(3);
                   table->setHorizontalHeaderItem(0,
                                                  new QTableWidgetItem(QStringLiteral("  Phase ")));
                   table->setColumnHidden(1, true);
                   table->setVerticalHeaderItem(0, new QTableWidgetItem(QStringLiteral("Min")));
                   table->setCellData(0, 0, 7, true);
                   table->setCellData(0, 1, 99, true);
                   table->setCellData(0, 2, QStringLiteral("12"), true);
               })
            << QVariantList { row({ QStringLiteral("Phase"), QStringLiteral("2") }),
                              row({ QStringLiteral("Min"), 7, 12 }),
                              row({ QVariant(), QVariant() }) };

        QTest::newRow("empty and non-number cells")
            << TableSetup([](ParametersTable *table) {
                   table->setRowCount(1);
                   table->setColumnCount(5);
                   table->setCellData(0, 0, QStringLiteral("no"), true);
                   table->setCellData(0, 1, QVariant(), true);
                   table->setCellData(0, 2, QString(), true);
                   table->setCellData(0, 3, QVariantList { 1, 2 }, true);
                   // A text the user erased is empty, not the number 0.
                   table->setCellData(0, 4, QString(QLatin1String("")), true);
               })
            << QVariantList { row({ QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                    QStringLiteral("4"), QStringLiteral("5") }),
                              row({ 0, QVariant(), QVariant(), QVariantList { 1, 2 },
                                    QVariant() }) };

        QTest::newRow("nested tables")
            << TableSetup([](ParametersTable *table) {
                   table->setRowCount(1);
                   table->setColumnCount(3);
                   auto *nested = new ParametersTable;
                   nested->setRowCount(1);
                   nested->setColumnCount(2);
                   nested->setCellData(0, 0, 3, true);
                   nested->setCellData(0, 1, 4, true);
                   table->setCellWidget(0, 0, nested);
                   auto *narrow = new ParametersTable;
                   narrow->setRowCount(1);
                   narrow->setColumnCount(1);
                   table->setCellWidget(0, 1, narrow);
                   table->setCellData(0, 2, 8, true);
               })
            << QVariantList {
                   row({ QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3") }),
                   row({ QVariantList { row({ QStringLiteral("1"), QStringLiteral("2") }),
                                        row({ 3, 4 }) },
                         QVariantList(), 8 })
               };
    }

    void tiverkTableData()
    {
        QFETCH(TableSetup, setup);
        QFETCH(QVariantList, expected);
        CnfController controller;
        ProgramDlg dialog(nullptr, CnfProgramPtr(), &controller, false);
        auto *table = dialog.findChild<ParametersTable *>(QStringLiteral("tiverkTable"));
        QVERIFY(table);
        // Removing the rows removes their header items too.
        table->setRowCount(0);
        table->setColumnCount(0);
        setup(table);
        QCOMPARE(dialog.tiverkTableData(), expected);
    }

    // The table the report takes: the algorithm parameters of the program's type,
    // nested tables as nested lists.
    void tableOfParametersFromProgram()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        const CnfProgramPtr program = controller.findProgram(QStringLiteral("2"));
        // Coordinated type of 3.18: variant, change time, start delay, cycle, offset, sequence.
        QVERIFY(controller.setProgramRawData(program,
                                             QByteArray::fromHex("0202"
                                                                 "01"
                                                                 "05"
                                                                 "0a00"
                                                                 "5a00"
                                                                 "0f00"
                                                                 "00"
                                                                 "14"
                                                                 "01"
                                                                 "1e")));
        ProgramDlg dialog(nullptr, program, &controller, false);
        const QVariantList data = dialog.tiverkTableData();
        QCOMPARE(data.size(), 2);
        const QVariantList values = data.value(1).toList();
        QCOMPARE(values.mid(0, 5), (QVariantList { 1, 5, 10, 90, 15 }));
        const QVariantList sequence = values.value(5).toList();
        QCOMPARE(sequence.size(), 17);
        QCOMPARE(sequence.value(1).toList(),
                 (QVariantList { controller.phases().at(0)->id.toInt(), 20 }));
        QCOMPARE(sequence.value(2).toList(),
                 (QVariantList { controller.phases().at(1)->id.toInt(), 30 }));
        QCOMPARE(sequence.value(3).toList(), (QVariantList { QVariant(), QVariant() }));
    }

    void diagramPicture_data()
    {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("diagram");
        QTest::newRow("png") << "tiverk318_intersection.cnf"
                             << "prog_1.png" << true << true;
        QTest::newRow("svg") << "tiverk318_intersection.cnf"
                             << "prog_1.svg" << true << true;
        // Other families get a picture that says the diagram is not supported.
        QTest::newRow("TIVERK II png") << "tiverkii_intersection.json"
                                       << "prog_1.png" << true << false;
        QTest::newRow("adapter has no diagram") << "adapter_crossing.txt"
                                                << "prog_1.png" << false << false;
    }

    void diagramPicture()
    {
        QFETCH(QString, example);
        QFETCH(QString, name);
        QFETCH(bool, written);
        QFETCH(bool, diagram);
        CnfController controller;
        QVERIFY(loadExample(controller, example));
        QVERIFY(!controller.programs().isEmpty());
        ProgramDlg dialog(nullptr, controller.programs().first(), &controller, false);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QCOMPARE(dialog.saveDiagramImage(path, QSize(1024, 600)), written);
        QCOMPARE(QFile::exists(path), written);
        if (!written)
            return;
        if (name.endsWith(QLatin1String(".svg"))) {
            QSvgRenderer renderer(path);
            QVERIFY(renderer.isValid());
            QCOMPARE(renderer.defaultSize(), QSize(1024, 600));
            QVERIFY(TestSupport::readFile(path).contains("<svg"));
        } else {
            const QImage image(path, "PNG");
            QCOMPARE(image.size(), QSize(1024, 600));
            // Something besides the white background was drawn: the diagram, or
            // a text in the middle.
            QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
            if (diagram) {
                QVERIFY(image.pixelColor(512, 40) != QColor(Qt::white));
            } else {
                bool text = false;
                for (int x = 0; x < image.width() && !text; ++x)
                    text = image.pixelColor(x, 300) != QColor(Qt::white);
                QVERIFY(text);
            }
        }
    }

    // The dialogs edit a copy: the given program stays as it was, the edited one
    // comes from program() after OK.
    void editsACopy()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        const CnfProgramPtr stored = controller.findProgram(QStringLiteral("2"));
        const QByteArray bytes = stored->data();
        ProgramDlg dialog(nullptr, stored, &controller, false);
        auto *table = dialog.findChild<ParametersTable *>(QStringLiteral("tiverkTable"));
        // The interstate variant of the coordinated type (the sample's is 1).
        table->item(0, 0)->setText(QStringLiteral("2"));
        dialog.findChild<QLineEdit *>(QStringLiteral("progName"))->setText(QStringLiteral("Peak"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(stored->data(), bytes);
        QCOMPARE(stored->name, QStringLiteral("Morning peak"));
        QVERIFY(dialog.program() != stored);
        QCOMPARE(dialog.program()->data().size(), bytes.size());
        QCOMPARE(dialog.program()->name, QStringLiteral("Peak"));
    }

    void newProgramTakesFirstFreeNumber()
    {
        CnfController controller;
        for (const char *id : { "1", "2", "4" }) {
            auto program = CnfProgramPtr::create(&controller);
            program->id = QLatin1String(id);
            QVERIFY(controller.addProgram(program));
        }
        QCOMPARE(ProgramDlg(nullptr, CnfProgramPtr(), &controller, true).program()->id,
                 QStringLiteral("3"));
    }
};

PROJECT_TEST(TestProgramDlg);
#include "tst_programdlg.moc"

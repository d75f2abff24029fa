#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "common/widgets/tablecells.h"
#include "elementfixtures.h"
#include "modalanswerer.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QDialogButtonBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowTesting;

namespace {

CnfMatrixPtr addMatrix(CnfController &controller, int id, const QString &name)
{
    auto matrix = CnfMatrixPtr::create();
    matrix->setId(id);
    matrix->setName(name);
    controller.addMatrix(matrix, false, false);
    return matrix;
}

QList<int> matrixIds(const CnfController &controller)
{
    QList<int> ids;
    for (const CnfMatrixPtr &matrix : controller.matrixList())
        ids << matrix->id();
    return ids;
}

QList<bool> column(const QTableWidget *table, int column)
{
    QList<bool> values;
    for (int row = 0; row < table->rowCount(); ++row)
        values << tableCellValue(table, row, column).toBool();
    return values;
}

} // namespace

class TestMatricesTable : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    // A TIVERK II document (its network empty), with matrices 1 "Matrix.1",
    // 3 "Peak" and 4 "Night"; 1 is the default and the safety matrix.
    void load(MainWindow &window)
    {
        QVERIFY(ElementFixtures::loadDocument(window, dir));
        CnfController &loaded = window.document().controller();
        for (const CnfMatrixPtr &matrix : loaded.matrixList())
            loaded.removeMatrix(matrix->id());
        const CnfMatrixPtr first = addMatrix(loaded, 1, QStringLiteral("Matrix.1"));
        addMatrix(loaded, 3, QStringLiteral("Peak"));
        addMatrix(loaded, 4, QStringLiteral("Night"));
        loaded.setDefaultMatrix(first);
        loaded.setSafetyMatrix(first);
        window.updateMatricesTable();
        window.setChanged(false);
    }

private slots:
    void initTestCase() { actAsPlivek(dir); }

    void init() { clearSettings(); }

    void refresh()
    {
        MainWindow window;
        load(window);
        QTableWidget *matrices = table(window, "matricesTable");
        QCOMPARE(matrices->rowCount(), 3);
        QCOMPARE(cellText(matrices, 1, 1), QStringLiteral("Peak"));
        QCOMPARE(column(matrices, 2), (QList<bool> { true, false, false }));
        QCOMPARE(column(matrices, 3), (QList<bool> { true, false, false }));
        QVERIFY(!(matrices->item(0, 0)->flags() & Qt::ItemIsEditable));
        QVERIFY(matrices->item(0, 2)->flags() & Qt::ItemIsEditable);
    }

    // The new matrix takes the smallest free id and the first free name, and
    // is added only when its dialog is accepted.
    void add_data()
    {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("accepted") << true;
        QTest::newRow("cancelled") << false;
    }

    void add()
    {
        QFETCH(bool, accepted);
        MainWindow window;
        load(window);
        ModalAnswerer answerer;
        answerer.pressButton(accepted ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        child<QAction>(window, "matrixAdd")->trigger();
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenClassName(), QStringLiteral("MatrixDlg"));
        const CnfController &controller = window.document().controller();
        QTableWidget *matrices = table(window, "matricesTable");
        if (!accepted) {
            QCOMPARE(matrixIds(controller), (QList<int> { 1, 3, 4 }));
            QCOMPARE(matrices->rowCount(), 3);
            QVERIFY(!window.document().isChanged());
            return;
        }
        QCOMPARE(matrixIds(controller), (QList<int> { 1, 3, 4, 2 }));
        QCOMPARE(controller.findMatrix(2)->name(), QStringLiteral("Matrix.2"));
        QCOMPARE(cellText(matrices, 3, 0), QStringLiteral("2"));
        QCOMPARE(tableCellValue(matrices, 3, 2).toBool(), false);
        QVERIFY(window.document().isChanged());
    }

    // Ticking a choice column moves the choice there and clears it elsewhere;
    // clearing the ticked cell is refused and changes nothing.
    void choice_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("value");
        QTest::addColumn<QList<bool>>("defaults");
        QTest::addColumn<QList<bool>>("safety");
        QTest::addColumn<int>("defaultId");
        QTest::addColumn<int>("safetyId");
        QTest::addColumn<bool>("changed");
        QTest::newRow("default to row 2") << 2 << 2 << true << QList<bool> { false, false, true }
                                          << QList<bool> { true, false, false } << 4 << 1 << true;
        QTest::newRow("safety to row 1") << 1 << 3 << true << QList<bool> { true, false, false }
                                         << QList<bool> { false, true, false } << 1 << 3 << true;
        QTest::newRow("clearing the safety")
            << 0 << 3 << false << QList<bool> { true, false, false }
            << QList<bool> { true, false, false } << 1 << 1 << false;
    }

    void choice()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, value);
        QFETCH(QList<bool>, defaults);
        QFETCH(QList<bool>, safety);
        QFETCH(int, defaultId);
        QFETCH(int, safetyId);
        QFETCH(bool, changed);
        MainWindow window;
        load(window);
        QTableWidget *matrices = table(window, "matricesTable");
        matrices->item(row, column)->setData(Qt::EditRole, value);
        QCOMPARE(::column(matrices, 2), defaults);
        QCOMPARE(::column(matrices, 3), safety);
        const CnfController &controller = window.document().controller();
        QCOMPARE(controller.defaultMatrix()->id(), defaultId);
        QCOMPARE(controller.safetyMatrix()->id(), safetyId);
        QCOMPARE(window.document().isChanged(), changed);
    }

    // A double click on a choice column opens nothing; on the name it opens
    // the matrix, and Cancel changes nothing.
    void properties_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("opens");
        QTest::newRow("default") << 2 << false;
        QTest::newRow("safety") << 3 << false;
        QTest::newRow("name") << 1 << true;
    }

    void properties()
    {
        QFETCH(int, column);
        QFETCH(bool, opens);
        MainWindow window;
        load(window);
        QTableWidget *matrices = table(window, "matricesTable");
        matrices->item(1, column)->setSelected(true);
        ModalAnswerer answerer;
        QString title;
        answerer.answerWith([&title](QWidget *modal) {
            title = modal->windowTitle();
            modal->close();
        });
        window.matricesItemProperties();
        QCOMPARE(answerer.answered(), opens);
        if (opens)
            QCOMPARE(title, QStringLiteral("Matrix 3 Peak"));
        QVERIFY(!window.document().isChanged());
    }

    void deleteAsksNothing()
    {
        MainWindow window;
        load(window);
        QTableWidget *matrices = table(window, "matricesTable");
        matrices->item(1, 0)->setSelected(true);
        matrices->item(1, 1)->setSelected(true);
        matrices->item(2, 3)->setSelected(true);
        ModalAnswerer answerer;
        answerer.reject();
        child<QAction>(window, "matrixDelete")->trigger();
        QVERIFY(!answerer.answered());
        QCOMPARE(matrixIds(window.document().controller()), QList<int> { 1 });
        QCOMPARE(matrices->rowCount(), 1);
        QVERIFY(window.document().isChanged());
    }
};

PROJECT_TEST(TestMatricesTable);
#include "tst_matricestable.moc"

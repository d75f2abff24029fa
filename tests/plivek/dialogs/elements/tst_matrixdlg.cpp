#include "../../../libs/halm58a/fourarmjunction.h"
#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfsignalgroup.h"
#include "halm58ga/genericgraphicsitem.h"
#include "halm58ga/networkg.h"
#include "modalanswerer.h"
#include "plivek/dialogs/elements/matrixdlg.h"
#include "plivek/framework/tiverkedittable.h"
#include "testmain.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QtTest>

#include <cmath>

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

template<typename T> T *field(QWidget &dialog, const char *name)
{
    return dialog.findChild<T *>(QLatin1String(name));
}

TiverkEditTable *table(QWidget &dialog)
{
    return field<TiverkEditTable>(dialog, "matrixTable");
}

bool okEnabled(QWidget &dialog)
{
    auto *box = field<QDialogButtonBox>(dialog, "buttonBox");
    return box->isEnabled() && box->button(QDialogButtonBox::Ok)->isEnabled();
}

// Controller 12 with the four groups of the four-arm junction (3 is the crosswalk).
void fillController(CnfController &controller, int count = 4)
{
    CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
    controller.setProperty("number", 12);
    for (int id = 1; id <= count; ++id) {
        auto group = CnfSignalGroupPtr::create();
        group->id = id;
        group->setType(id == 3 ? CnfSignalGroup::Pedestrian : CnfSignalGroup::Traffic);
        controller.addSignalGroup(group);
    }
}

void addPhase(CnfController &controller, const QString &id, const QList<int> &groups)
{
    auto phase = CnfPhasePtr::create();
    phase->id = id;
    for (int group : groups)
        phase->signalGroups << controller.findSG(group);
    controller.addPhase(phase);
}

CnfMatrixPtr listedMatrix(CnfController &controller, int id, const QString &name,
                          bool safety = false)
{
    auto matrix = CnfMatrixPtr::create();
    matrix->setId(id);
    matrix->setName(name);
    controller.addMatrix(matrix, false, safety);
    return matrix;
}

bool ticked(QTableWidget *t, int row, int column)
{
    return t->item(row, column) && t->item(row, column)->data(Qt::EditRole).toBool();
}

QString cellText(QTableWidget *t, int row, int column)
{
    return t->item(row, column) ? t->item(row, column)->text() : QString();
}

bool hasBackground(QTableWidget *t, int row, int column, Qt::GlobalColor color)
{
    const QBrush brush = t->item(row, column)->background();
    return brush.style() == Qt::SolidPattern && brush.color() == QColor(color);
}

// A drawn network holding the four-arm junction of granule 12.
struct DrawnJunction
{
    QGraphicsScene scene;
    Halm58ga::Networkg *network = new Halm58ga::Networkg(&scene);
    FourArmJunction junction { *network };

    QColor highlight(Halm58a::NetObject *object) const
    {
        Halm58ga::GenericGraphicsItem *item = network->object2item(object);
        return item && item->isSelected() ? item->highlightColor() : QColor();
    }
    // The highlight of a group's connections and crosswalks, invalid when
    // they differ or none is highlighted.
    QColor groupHighlight(int number) const
    {
        Halm58a::SignalGroup *group = junction.groups.at(number - 1);
        QList<Halm58a::NetObject *> objects;
        for (Halm58a::Connection *connection : group->connections())
            objects << connection;
        for (Halm58a::CrossWalk *crossWalk : group->crossWalks())
            objects << crossWalk;
        QColor color = highlight(objects.first());
        for (Halm58a::NetObject *object : objects) {
            if (highlight(object) != color)
                return QColor();
        }
        return color;
    }
};

// The last value reported for a cell; -1 when none was.
double lastReported(const QSignalSpy &spy, int off, int on)
{
    for (int index = spy.count() - 1; index >= 0; --index) {
        if (spy.at(index).at(0).toInt() == off && spy.at(index).at(1).toInt() == on)
            return spy.at(index).at(2).toDouble();
    }
    return -1;
}

} // namespace

class TestMatrixDlg : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() { QSettings().remove(QStringLiteral("MatrixDlg/show_full_name_of_sg")); }

    void cellsAndRounding_data()
    {
        QTest::addColumn<double>("stored");
        QTest::addColumn<int>("decimals"); // -1: no "Rounding off"
        QTest::addColumn<QString>("shown");
        QTest::newRow("1.236 shows 1.24") << 1.236 << -1 << "1.24";
        QTest::newRow("1.234 shows 1.23") << 1.234 << -1 << "1.23";
        QTest::newRow("1.125 rounds the half up") << 1.125 << -1 << "1.13";
        // Only an exact 255 is "not set"; its neighbours are values.
        QTest::newRow("254.4 kept") << 254.4 << -1 << "254.4";
        QTest::newRow("254.5 kept") << 254.5 << -1 << "254.5";
        QTest::newRow("255 shows empty") << 255.0 << -1 << "";
        QTest::newRow("255.3 kept") << 255.3 << -1 << "255.3";
        QTest::newRow("255.5 kept") << 255.5 << -1 << "255.5";
        QTest::newRow("no value") << NaN << -1 << "";
        QTest::newRow("2.5 off to 0 decimals") << 2.5 << 0 << "3";
        QTest::newRow("-2.7 off to 0 decimals") << -2.7 << 0 << "-2";
        QTest::newRow("1.26 off to 1 decimal") << 1.26 << 1 << "1.3";
    }

    // The cell (R, C) shows releaf(C, R) rounded to two decimals; "Rounding
    // off" rounds every number to the chosen decimals and emits each change.
    void cellsAndRounding()
    {
        QFETCH(double, stored);
        QFETCH(int, decimals);
        QFETCH(QString, shown);

        CnfController controller;
        fillController(controller, 2);
        const CnfMatrixPtr matrix = listedMatrix(controller, 3, QStringLiteral("Night"));
        matrix->setReleaf(controller.findSG(2), controller.findSG(1), stored);
        MatrixDlg dialog(nullptr, &controller, matrix, nullptr, false);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Matrix 3 Night"));
        QTableWidget *t = table(dialog);
        QCOMPARE(t->rowCount(), 2);
        QCOMPARE(cellText(t, 1, 0), QString());
        QSignalSpy spy(&dialog, &MatrixDlg::valueChanged);
        if (decimals >= 0) {
            field<QSpinBox>(dialog, "rounding")->setValue(decimals);
            field<QPushButton>(dialog, "rounding_2")->click();
            QCOMPARE(spy.count(), 1);
            QCOMPARE(spy.at(0).at(0).toInt(), 1);
            QCOMPARE(spy.at(0).at(1).toInt(), 2);
            QCOMPARE(spy.at(0).at(2).toDouble(), shown.toDouble());
        }
        QCOMPARE(cellText(t, 0, 1), shown);
        QVERIFY(!(t->item(0, 0)->flags() & Qt::ItemIsEditable));
        QVERIFY(hasBackground(t, 0, 0, Qt::lightGray));
        dialog.accept();
        QCOMPARE(matrix->id(), 3);
        const double saved = matrix->releaf(controller.findSG(2), controller.findSG(1));
        QCOMPARE(std::isnan(saved), shown.isEmpty());
        if (!shown.isEmpty())
            QVERIFY2(saved == shown.toDouble(), qPrintable(QString::number(saved, 'g', 17)));
    }

    // The matrix changes only on accept; "," decimals and other texts are read.
    void saveToMatrix()
    {
        CnfController controller;
        fillController(controller, 3);
        const CnfMatrixPtr matrix = listedMatrix(controller, 2, QStringLiteral("Day"));
        matrix->setReleaf(controller.findSG(1), controller.findSG(2), 4);
        MatrixDlg dialog(nullptr, &controller, matrix, nullptr, false);
        TiverkEditTable *t = table(dialog);
        t->item(0, 1)->setData(Qt::EditRole, QStringLiteral("2,5"));
        t->item(0, 2)->setData(Qt::EditRole, QStringLiteral("abc"));
        t->item(1, 0)->setData(Qt::EditRole, QVariant());
        field<QLineEdit>(dialog, "name")->setText(QStringLiteral("Evening"));
        QCOMPARE(matrix->releaf(controller.findSG(1), controller.findSG(2)), 4.0);
        dialog.reject();
        QCOMPARE(matrix->name(), QStringLiteral("Day"));
        dialog.accept();
        QCOMPARE(matrix->name(), QStringLiteral("Evening"));
        QCOMPARE(matrix->releaf(controller.findSG(2), controller.findSG(1)), 2.5);
        QCOMPARE(matrix->releaf(controller.findSG(3), controller.findSG(1)), 0.0);
        QVERIFY(std::isnan(matrix->releaf(controller.findSG(1), controller.findSG(2))));
        QCOMPARE(matrix->content().size(), 2);
    }

    // A conflict tick mirrors itself; both cells report their new value.
    void conflictMirror()
    {
        CnfController controller;
        fillController(controller, 3);
        const CnfMatrixPtr matrix = listedMatrix(controller, 4, QStringLiteral("Conflicts"), true);
        matrix->setReleaf(controller.findSG(1), controller.findSG(3), 1);
        matrix->setReleaf(controller.findSG(3), controller.findSG(1), 1);
        // A file may mark a conflict with another number: left ticked, it stays.
        matrix->setReleaf(controller.findSG(2), controller.findSG(3), 5);
        matrix->setReleaf(controller.findSG(3), controller.findSG(2), 5);
        MatrixDlg dialog(nullptr, &controller, matrix, nullptr, true);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Conflict matrix"));
        TiverkEditTable *t = table(dialog);
        QVERIFY(ticked(t, 2, 0) && ticked(t, 0, 2));
        QVERIFY(ticked(t, 1, 2) && ticked(t, 2, 1));
        QVERIFY(!ticked(t, 0, 1));

        QSignalSpy spy(&dialog, &MatrixDlg::valueChanged);
        t->setCurrentCell(0, 1);
        QTest::keyClick(t, Qt::Key_Space);
        QVERIFY(ticked(t, 0, 1) && ticked(t, 1, 0));
        QCOMPARE(spy.count(), 2);
        QSet<QString> reports;
        for (const QList<QVariant> &args : spy)
            reports << QStringLiteral("%1>%2=%3")
                           .arg(args.at(0).toInt())
                           .arg(args.at(1).toInt())
                           .arg(args.at(2).toDouble());
        QCOMPARE(reports, QSet<QString>({ "1>2=1", "2>1=1" }));
        spy.clear();
        t->setCurrentCell(2, 0);
        QTest::keyClick(t, Qt::Key_Space);
        QVERIFY(!ticked(t, 2, 0) && !ticked(t, 0, 2));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(2).toDouble(), 0.0);

        dialog.accept();
        // The conflict matrix keeps its identifier and name.
        QCOMPARE(matrix->id(), 4);
        QCOMPARE(matrix->name(), QStringLiteral("Conflicts"));
        QCOMPARE(matrix->releaf(controller.findSG(2), controller.findSG(1)), 1.0);
        QCOMPARE(matrix->releaf(controller.findSG(1), controller.findSG(2)), 1.0);
        QVERIFY(std::isnan(matrix->releaf(controller.findSG(1), controller.findSG(3))));
        QCOMPARE(matrix->releaf(controller.findSG(2), controller.findSG(3)), 5.0);
        QCOMPARE(matrix->releaf(controller.findSG(3), controller.findSG(2)), 5.0);
    }

    // A value without its mirror paints the empty partner yellow; as the
    // current cell, the empty one shows its filled partner dark yellow.
    void asymmetryMarks()
    {
        CnfController controller;
        fillController(controller, 2);
        MatrixDlg dialog(nullptr, &controller, CnfMatrixPtr(), nullptr, false);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("New matrix"));
        TiverkEditTable *t = table(dialog);
        QSignalSpy spy(&dialog, &MatrixDlg::valueChanged);
        t->item(0, 1)->setData(Qt::EditRole, 3.5);
        QVERIFY(hasBackground(t, 1, 0, Qt::yellow));
        QCOMPARE(lastReported(spy, 1, 2), 3.5);
        t->setCurrentCell(1, 0);
        QVERIFY(hasBackground(t, 0, 1, Qt::darkYellow));
        QVERIFY(hasBackground(t, 1, 0, Qt::yellow)); // the row colour keeps off yellow
        t->item(1, 0)->setData(Qt::EditRole, 2.0);
        QVERIFY(!hasBackground(t, 1, 0, Qt::yellow));
        QVERIFY(!hasBackground(t, 0, 1, Qt::darkYellow));
        t->item(0, 1)->setData(Qt::EditRole, QVariant());
        QVERIFY(std::isnan(lastReported(spy, 1, 2)));
        QVERIFY(hasBackground(t, 0, 1, Qt::yellow));
    }

    // Groups that share a phase get empty read-only cells while the box is
    // ticked; unticking makes them editable without bringing the values back.
    void samePhaseLock()
    {
        CnfController controller;
        fillController(controller, 3);
        addPhase(controller, QStringLiteral("1"), { 1, 2 });
        const CnfMatrixPtr matrix = listedMatrix(controller, 2, QString());
        matrix->setReleaf(controller.findSG(1), controller.findSG(2), 4);
        matrix->setReleaf(controller.findSG(3), controller.findSG(2), 5);
        MatrixDlg dialog(nullptr, &controller, matrix, nullptr, false);
        TiverkEditTable *t = table(dialog);
        QSignalSpy spy(&dialog, &MatrixDlg::valueChanged);
        field<QCheckBox>(dialog, "forbid_cells_with_same_phase")->setChecked(true);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 2);
        QCOMPARE(spy.at(0).at(1).toInt(), 1);
        QVERIFY(std::isnan(spy.at(0).at(2).toDouble()));
        QCOMPARE(cellText(t, 1, 0), QString());
        QVERIFY(!(t->item(1, 0)->flags() & Qt::ItemIsEditable));
        QVERIFY(!(t->item(0, 1)->flags() & Qt::ItemIsEditable));
        QCOMPARE(cellText(t, 1, 2), QStringLiteral("5"));
        field<QCheckBox>(dialog, "forbid_cells_with_same_phase")->setChecked(false);
        QVERIFY(t->item(1, 0)->flags() & Qt::ItemIsEditable);
        QCOMPARE(cellText(t, 1, 0), QString());
    }

    // Other matrices' ids and names are forbidden, 0 always, the empty name never.
    void validator()
    {
        CnfController controller;
        fillController(controller, 1);
        listedMatrix(controller, 1, QStringLiteral("Day"));
        listedMatrix(controller, 2, QString());
        const CnfMatrixPtr matrix = listedMatrix(controller, 3, QStringLiteral("Night"));
        MatrixDlg dialog(nullptr, &controller, matrix, nullptr, false);
        auto *id = field<QSpinBox>(dialog, "id");
        auto *name = field<QLineEdit>(dialog, "name");
        QVERIFY(okEnabled(dialog));
        for (int taken : { 1, 2, 0 }) {
            id->setValue(taken);
            QVERIFY2(!okEnabled(dialog), qPrintable(QString::number(taken)));
        }
        id->setValue(3);
        QVERIFY(okEnabled(dialog));
        name->setText(QStringLiteral("Day"));
        QVERIFY(!okEnabled(dialog));
        name->setText(QString());
        QVERIFY(okEnabled(dialog));
        dialog.lockIdAndName();
        QVERIFY(!id->isEnabled() && !name->isEnabled());
    }

    void headers_data()
    {
        QTest::addColumn<QVariant>("setting");
        QTest::addColumn<QString>("header");
        QTest::newRow("default") << QVariant() << "3,Pedestrian";
        QTest::newRow("full names") << QVariant(true) << "3 (Pedestrian)";
    }

    // Headers carry the group number; their text follows the setting, which
    // the check box writes back.
    void headers()
    {
        QFETCH(QVariant, setting);
        QFETCH(QString, header);

        if (setting.isValid())
            QSettings().setValue(QStringLiteral("MatrixDlg/show_full_name_of_sg"), setting);
        CnfController controller;
        fillController(controller, 3);
        MatrixDlg dialog(nullptr, &controller, CnfMatrixPtr(), nullptr, false);
        TiverkEditTable *t = table(dialog);
        QCOMPARE(t->verticalHeaderItem(2)->text(), header);
        QCOMPARE(t->horizontalHeaderItem(2)->text(), header);
        QCOMPARE(t->horizontalHeaderItem(2)->data(Qt::UserRole).toInt(), 3);
        auto *fullNames = field<QCheckBox>(dialog, "show_full_name_of_sg");
        QCOMPARE(fullNames->isChecked(), setting.isValid());
        fullNames->click();
        QCOMPARE(QSettings().value(QStringLiteral("MatrixDlg/show_full_name_of_sg")).toBool(),
                 !setting.isValid());
        QCOMPARE(t->verticalHeaderItem(2)->text(),
                 setting.isValid() ? "3,Pedestrian" : "3 (Pedestrian)");
    }

    // The current row's group is drawn in red, the column's in green; moving
    // on clears the old ones, and nothing stays highlighted after the dialog.
    void highlight()
    {
        DrawnJunction drawn;
        CnfController controller;
        fillController(controller);
        {
            MatrixDlg dialog(nullptr, &controller, CnfMatrixPtr(), drawn.network, false);
            TiverkEditTable *t = table(dialog);
            QSignalSpy spy(&dialog, &MatrixDlg::valueChanged);
            t->setCurrentCell(0, 1);
            QCOMPARE(spy.count(), 0); // painting the row and column is no edit
            QCOMPARE(drawn.groupHighlight(1), QColor(QStringLiteral("#fccbcb")));
            QCOMPARE(drawn.groupHighlight(2), QColor(QStringLiteral("#cbfcd1")));
            QCOMPARE(t->item(0, 2)->background().color(), QColor(QStringLiteral("#fccbcb")));
            t->setCurrentCell(2, 3);
            QVERIFY(!drawn.groupHighlight(1).isValid());
            QVERIFY(!drawn.groupHighlight(2).isValid());
            QCOMPARE(drawn.groupHighlight(3), QColor(QStringLiteral("#fccbcb")));
            QCOMPARE(drawn.groupHighlight(4), QColor(QStringLiteral("#cbfcd1")));
            QCOMPARE(t->item(0, 2)->background().style(), Qt::NoBrush);
            t->setCurrentCell(1, 1); // the diagonal highlights nothing
            QVERIFY(!drawn.groupHighlight(3).isValid());
            t->setCurrentCell(3, 2);
        }
        for (int number = 1; number <= 4; ++number)
            QVERIFY(!drawn.groupHighlight(number).isValid());
    }

    // A network without nodes has no geometry: both geometry widgets go.
    void networkWithoutNodes()
    {
        QGraphicsScene scene;
        auto *empty = new Halm58ga::Networkg(&scene);
        CnfController controller;
        fillController(controller, 2);
        MatrixDlg bare(nullptr, &controller, CnfMatrixPtr(), empty, false);
        QVERIFY(!field<QPushButton>(bare, "fromGeometry"));
        QVERIFY(!field<QCheckBox>(bare, "useConflictMatrix"));
        MatrixDlg without(nullptr, &controller, CnfMatrixPtr(), nullptr, false);
        QVERIFY(field<QPushButton>(without, "fromGeometry"));
    }

    // The conflict fill ticks each pair the geometry puts in conflict, both ways.
    void conflictsFromGeometry()
    {
        DrawnJunction drawn;
        CnfController controller;
        fillController(controller);
        MatrixDlg dialog(nullptr, &controller, CnfMatrixPtr(), drawn.network, true);
        QSignalSpy spy(&dialog, &MatrixDlg::valueChanged);
        field<QPushButton>(dialog, "fromGeometry")->click();
        TiverkEditTable *t = table(dialog);
        const QSet<QPair<int, int>> conflicts { { 1, 2 }, { 1, 3 }, { 3, 4 }, { 2, 4 } };
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) {
                const bool expected = conflicts.contains({ row + 1, column + 1 })
                    || conflicts.contains({ column + 1, row + 1 });
                QCOMPARE(ticked(t, row, column), expected);
            }
        }
        QCOMPARE(spy.count(), 0);
        QVERIFY(t->item(0, 1)->flags() & Qt::ItemIsEditable);
    }

    void geometryMessages_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("groups");
        QTest::addColumn<QString>("message");
        QTest::newRow("no granule") << 99 << 4 << "Granule with id = '99' not found";
        QTest::newRow("granule without groups")
            << 13 << 0 << "Can't find matrix: No signal groups given";
    }

    // A failed derivation says why and leaves the table as it was.
    void geometryMessages()
    {
        QFETCH(int, number);
        QFETCH(int, groups);
        QFETCH(QString, message);

        DrawnJunction drawn;
        auto *other = new Halm58a::Granule({ drawn.junction.centre });
        other->setTlId(13);
        drawn.network->addItem(other);
        CnfController controller;
        fillController(controller, groups);
        controller.setProperty("number", number);
        const CnfMatrixPtr matrix = listedMatrix(controller, 2, QString());
        matrix->setReleaf(controller.findSG(1), controller.findSG(2), 7);
        MatrixDlg dialog(nullptr, &controller, matrix, drawn.network, false);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        field<QPushButton>(dialog, "fromGeometry")->click();
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Error"));
        QCOMPARE(answerer.seenText(), message);
        if (groups > 1)
            QCOMPARE(cellText(table(dialog), 1, 0), QStringLiteral("7"));
    }

    // Fewer groups in the controller than in the junction: a warning, then the fill.
    void countWarning()
    {
        DrawnJunction drawn;
        CnfController controller;
        fillController(controller, 3);
        MatrixDlg dialog(nullptr, &controller, CnfMatrixPtr(), drawn.network, true);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        field<QPushButton>(dialog, "fromGeometry")->click();
        QCOMPARE(
            answerer.seenText(),
            QStringLiteral("Signal group count in network (4) not equal count in controller (3)"));
        QVERIFY(ticked(table(dialog), 0, 2));
    }

    // A pair that a phase runs together but the fill puts in conflict is
    // reported once per pair, with every phase that runs it.
    void samePhaseReport()
    {
        DrawnJunction drawn;
        CnfController controller;
        fillController(controller);
        addPhase(controller, QStringLiteral("3"), { 4, 2 });
        addPhase(controller, QStringLiteral("4"), { 1, 4 });
        addPhase(controller, QStringLiteral("5"), { 2, 4 });
        MatrixDlg dialog(nullptr, &controller, CnfMatrixPtr(), drawn.network, true);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        field<QPushButton>(dialog, "fromGeometry")->click();
        QCOMPARE(answerer.seenText(),
                 QStringLiteral("Following phases contains conflicted signal groups:\n3,5:2-4"));
    }

    // The seed: an ordinary matrix computed with "Use conflict matrix" also
    // holds the pairs the conflict matrix knows; an empty or missing conflict
    // matrix gives no seed.
    void seed_data()
    {
        QTest::addColumn<int>("conflictMatrix"); // 0 none, 1 empty, 2 with the pair 1-4
        QTest::addColumn<bool>("seeded");
        QTest::newRow("no conflict matrix") << 0 << false;
        QTest::newRow("empty conflict matrix") << 1 << false;
        QTest::newRow("conflict matrix with 1-4") << 2 << true;
    }

    void seed()
    {
        QFETCH(int, conflictMatrix);
        QFETCH(bool, seeded);

        DrawnJunction drawn;
        CnfController controller;
        fillController(controller);
        if (conflictMatrix > 0) {
            const CnfMatrixPtr known = listedMatrix(controller, 5, QStringLiteral("Safety"), true);
            if (conflictMatrix == 2) {
                known->setReleaf(controller.findSG(1), controller.findSG(4), 1);
                known->setReleaf(controller.findSG(4), controller.findSG(1), 1);
            }
        }
        MatrixDlg dialog(nullptr, &controller, CnfMatrixPtr(), drawn.network, false);
        {
            const QSignalBlocker blocker(field<QCheckBox>(dialog, "useConflictMatrix"));
            field<QCheckBox>(dialog, "useConflictMatrix")->setChecked(true);
        }
        field<QPushButton>(dialog, "fromGeometry")->click();
        TiverkEditTable *t = table(dialog);
        QCOMPARE(!cellText(t, 3, 0).isEmpty(), seeded);
        QVERIFY(!cellText(t, 1, 0).isEmpty()); // 1-2 cross in the geometry
        QVERIFY(cellText(t, 2, 1).isEmpty()); // 2-3 never meet
    }

    void masking_data()
    {
        QTest::addColumn<bool>("withConflictMatrix");
        QTest::addColumn<bool>("otherJunctionFirst");
        QTest::newRow("conflict matrix") << true << false;
        QTest::newRow("another junction's groups first") << true << true;
        QTest::newRow("no conflict matrix") << false << false;
    }

    // "Use conflict matrix" keeps the values of pairs in conflict and empties
    // the rest; the groups are those of the controller's own junction.
    void masking()
    {
        QFETCH(bool, withConflictMatrix);
        QFETCH(bool, otherJunctionFirst);

        QGraphicsScene scene;
        auto *network = new Halm58ga::Networkg(&scene);
        if (otherJunctionFirst) {
            auto *node = new Halm58a::Node;
            node->setPos(QPointF(500, 500));
            network->addItem(node);
            auto *other = new Halm58a::Granule({ node });
            other->setTlId(13);
            network->addItem(other);
            for (int id = 1; id <= 4; ++id) {
                auto *group = new Halm58a::SignalGroup(other);
                group->setTlId(id);
                network->addItem(group);
            }
        }
        FourArmJunction junction(*network);
        CnfController controller;
        fillController(controller, 3);
        if (withConflictMatrix) {
            const CnfMatrixPtr known = listedMatrix(controller, 5, QStringLiteral("Safety"), true);
            known->setReleaf(controller.findSG(1), controller.findSG(2), 1);
        }
        const CnfMatrixPtr matrix = listedMatrix(controller, 2, QStringLiteral("Day"));
        matrix->setReleaf(controller.findSG(1), controller.findSG(2), 3);
        matrix->setReleaf(controller.findSG(2), controller.findSG(1), 4);
        matrix->setReleaf(controller.findSG(1), controller.findSG(3), 6);
        MatrixDlg dialog(nullptr, &controller, matrix, network, false);
        field<QCheckBox>(dialog, "useConflictMatrix")->setChecked(true);
        TiverkEditTable *t = table(dialog);
        QCOMPARE(cellText(t, 1, 0), withConflictMatrix ? QStringLiteral("3") : QString());
        QCOMPARE(cellText(t, 0, 1), QString());
        QCOMPARE(cellText(t, 2, 0), QString());
        QVERIFY(matrix->releaf(controller.findSG(1), controller.findSG(3)) == 6.0);
    }
};

PROJECT_TEST(TestMatrixDlg);
#include "tst_matrixdlg.moc"

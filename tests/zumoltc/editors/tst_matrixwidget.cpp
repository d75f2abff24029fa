#include "pagefixture.h"
#include "pageswindow.h"
#include "testmain.h"
#include "zumoltc/editors/conflictmatrixmodel.h"
#include "zumoltc/editors/conflictmatrixview.h"
#include "zumoltc/editors/matrixwidget.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QToolButton>
#include <QtTest>

using namespace PageFixture;

namespace {

using Points = QMap<QPair<int, int>, int>;

// The conflict points of a saved file by the ids of their groups.
Points pointsOf(const QJsonObject &json)
{
    Points points;
    const QJsonArray igm = json.value("IGM").toArray();
    for (const QJsonValue &point : igm.first().toObject().value("items").toArray()) {
        const QJsonObject p = point.toObject();
        points.insert({ p.value("clearing").toInt(), p.value("entering").toInt() },
                      p.value("time").toInt());
    }
    return points;
}

struct Fixture
{
    Fixture()
    {
        loaded = loadPages(configuration);
        page.load(&configuration);
        QObject::connect(&page, &MatrixWidget::configurationChanged, &page,
                         [this](const char *className) { classNames << className; });
    }
    ConflictMatrixModel *table() const
    {
        return field<ConflictMatrixView>(page, "matrixTable")->matrixModel();
    }
    QCheckBox *box(const char *name) const { return field<QCheckBox>(page, name); }
    void click(QCheckBox *box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    }
    // What the user's edit of a cell leaves in it: the typed text.
    void edit(int row, int column, const QString &text)
    {
        table()->setData(table()->index(row, column), text);
    }
    bool applyEnabled() const { return button(page, QDialogButtonBox::Apply)->isEnabled(); }
    // The saved conflict points by the ids of their groups.
    Points savedPoints() { return pointsOf(saved(configuration)); }
    QStringList headers(bool horizontal) const
    {
        QStringList texts;
        for (int i = 0; i < table()->columnCount(); ++i)
            texts << table()->headerData(i, horizontal ? Qt::Horizontal : Qt::Vertical).toString();
        return texts;
    }

    ZUConfiguration configuration;
    MatrixWidget page;
    bool loaded = false;
    QList<const char *> classNames;
};

const Points loadedPoints { { { 1, 2 }, 4 }, { { 2, 1 }, 5 }, { { 3, 1 }, 6 } };

} // namespace

class TestMatrixWidget : public QObject
{
    Q_OBJECT
private slots:
    void table()
    {
        Fixture f;
        QVERIFY(f.loaded);
        QCOMPARE(f.table()->rowCount(), 3);
        QCOMPARE(f.table()->columnCount(), 3);
        QCOMPARE(f.table()->cellData(0, 1).toInt(), 4);
        QCOMPARE(f.table()->cellData(1, 0).toInt(), 5);
        QCOMPARE(f.table()->cellData(2, 0).toInt(), 6);
        QVERIFY(!f.table()->cellData(0, 2).isValid());
        for (int i = 0; i < 3; ++i) {
            QVERIFY(!f.table()->cellData(i, i).isValid());
            QVERIFY(!f.table()->isCellEditable(i, i));
        }
        QVERIFY(f.table()->isCellEditable(0, 2));
        QVERIFY(f.box("show_full_name_of_sg")->isChecked());
        QVERIFY(!f.box("forbid_cells_with_same_phase")->isChecked());
        const QStringList full = { f.configuration.signalGroups().at(0)->text(QString()),
                                   f.configuration.signalGroups().at(1)->text(QString()),
                                   f.configuration.signalGroups().at(2)->text(QString()) };
        QCOMPARE(f.headers(true), full);
        QCOMPARE(f.headers(false), full);
        QCOMPARE(field(f.page, "name")->text(), QStringLiteral("Matrix.1"));
        QVERIFY(!f.box("manualName")->isChecked());
        QVERIFY(!f.applyEnabled());
    }

    // A changed table is written whole: 0 is a point, an empty cell none.
    void applyTable()
    {
        Fixture f;
        f.edit(1, 2, QStringLiteral("0"));
        f.edit(0, 1, QString());
        QVERIFY(f.applyEnabled());
        clickApply(f.page);
        QCOMPARE(f.classNames.size(), 1);
        QCOMPARE(f.classNames.first(), ZUIntergreenMatrix::staticMetaObject.className());
        const Points expected { { { 2, 1 }, 5 }, { { 3, 1 }, 6 }, { { 2, 3 }, 0 } };
        QCOMPARE(f.savedPoints(), expected);
        QCOMPARE(f.page.windowTitle(), f.configuration.intergreenMatrix()->text(QString()));

        // Text that is no number makes no point.
        f.edit(0, 2, QStringLiteral("x"));
        clickApply(f.page);
        QCOMPARE(f.savedPoints(), expected);
    }

    // Apply keeps the stored order of the points: a changed point stays in
    // its place, a removed one goes, a new one comes last; so a one-cell
    // edit changes one line of the file.
    void applyKeepsPointOrder()
    {
        Fixture f;
        ZUIntergreenMatrix *matrix = f.configuration.intergreenMatrix();
        matrix->clear();
        for (const QPair<int, int> &pair : { qMakePair(3, 1), qMakePair(2, 1), qMakePair(1, 2) }) {
            matrix->setConflictTime(f.configuration.findSignalGroup(pair.first),
                                    f.configuration.findSignalGroup(pair.second),
                                    loadedPoints.value(pair));
        }
        f.page.load(&f.configuration);
        const QList<QByteArray> before = f.configuration.toJson().split('\n');
        f.edit(1, 0, QStringLiteral("8"));
        clickApply(f.page);
        const QList<QByteArray> after = f.configuration.toJson().split('\n');
        QCOMPARE(after.size(), before.size());
        QList<QByteArray> changed;
        for (int line = 0; line < after.size(); ++line) {
            if (after.at(line) != before.at(line))
                changed << after.at(line).trimmed();
        }
        QCOMPARE(changed, QList<QByteArray> { "{\"clearing\": 2, \"entering\": 1, \"time\": 8}," });

        f.edit(0, 2, QStringLiteral("3"));
        f.edit(0, 1, QString());
        clickApply(f.page);
        QList<QPair<int, int>> order;
        for (const QJsonValue &point : saved(f.configuration)
                                           .value("IGM")
                                           .toArray()
                                           .first()
                                           .toObject()
                                           .value("items")
                                           .toArray()) {
            order << qMakePair(point.toObject().value("clearing").toInt(),
                               point.toObject().value("entering").toInt());
        }
        const QList<QPair<int, int>> expected { { 3, 1 }, { 2, 1 }, { 1, 3 } };
        QCOMPARE(order, expected);
    }

    void nameOnly()
    {
        Fixture f;
        f.click(f.box("manualName"));
        type(field(f.page, "name"), QStringLiteral("Main conflicts"));
        clickApply(f.page);
        QCOMPARE(f.configuration.intergreenMatrix()->name(), QStringLiteral("Main conflicts"));
        QCOMPARE(f.savedPoints(), loadedPoints);
        QCOMPARE(f.configuration.intergreenMatrix()->points().size(), 3);
    }

    // Pairs in one stage (A and C) are emptied and locked; applying drops them.
    void forbidSamePhase()
    {
        Fixture f;
        f.click(f.box("forbid_cells_with_same_phase"));
        QVERIFY(!f.table()->cellData(2, 0).isValid());
        QVERIFY(!f.table()->isCellEditable(2, 0));
        QVERIFY(!f.table()->isCellEditable(0, 2));
        QVERIFY(f.table()->isCellEditable(0, 1));
        QCOMPARE(f.table()->cellData(0, 1).toInt(), 4);
        QVERIFY(f.applyEnabled());

        f.click(f.box("forbid_cells_with_same_phase"));
        QVERIFY(f.table()->isCellEditable(2, 0));
        QVERIFY(!f.table()->isCellEditable(1, 1));
        f.edit(0, 2, QStringLiteral("3"));
        clickApply(f.page);
        const Points expected { { { 1, 2 }, 4 }, { { 2, 1 }, 5 }, { { 1, 3 }, 3 } };
        QCOMPARE(f.savedPoints(), expected);

        // Checked, a reload locks them at once.
        f.click(f.box("forbid_cells_with_same_phase"));
        f.page.load(&f.configuration);
        QVERIFY(f.box("forbid_cells_with_same_phase")->isChecked());
        QVERIFY(!f.table()->isCellEditable(0, 2));
        QVERIFY(!f.table()->cellData(0, 2).isValid());
    }

    // The view boxes are no edits; bare ids without full names.
    void viewBoxes()
    {
        Fixture f;
        f.click(f.box("show_full_name_of_sg"));
        QVERIFY(!f.applyEnabled());
        QCOMPARE(f.headers(true), QStringList({ "1", "2", "3" }));
        QCOMPARE(f.headers(false), QStringList({ "1", "2", "3" }));
        f.page.load(&f.configuration);
        QVERIFY(!f.box("show_full_name_of_sg")->isChecked());
        QCOMPARE(f.headers(true), QStringList({ "1", "2", "3" }));
        f.click(f.box("forbid_cells_with_same_phase"));
        f.click(f.box("forbid_cells_with_same_phase"));
        f.edit(0, 2, QStringLiteral("2"));
        f.page.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
        QVERIFY(!f.applyEnabled());
        QVERIFY(!f.table()->cellData(0, 2).isValid());
    }

    // A group added or deleted elsewhere rebuilds the table as the new baseline.
    void groupsAddedAndDeleted()
    {
        Fixture f;
        f.edit(0, 2, QStringLiteral("2"));
        auto *group = new ZUSignalGroup;
        group->setId(4);
        f.configuration.addSignalGroup(group);
        QCOMPARE(f.table()->rowCount(), 4);
        QCOMPARE(f.table()->columnCount(), 4);
        QVERIFY(!f.table()->cellData(0, 2).isValid()); // the unapplied edit is gone
        QVERIFY(!f.page.property("changed").toBool());
        QVERIFY(!f.applyEnabled());

        delete f.configuration.signalGroups().at(0).data();
        QCOMPARE(f.table()->rowCount(), 3);
        QVERIFY(!f.page.property("changed").toBool());

        f.page.configurationHasChanged(ZUStage::staticMetaObject.className());
        f.edit(0, 1, QStringLiteral("9"));
        f.page.configurationHasChanged(ZUSignalGroup::staticMetaObject.className());
        QVERIFY(!f.table()->cellData(0, 1).isValid());
        QVERIFY(!f.applyEnabled());
    }

    // Copy, Paste and Remove work on the cells as in the other parameter
    // tables: TAB-separated lines, locked cells skipped, pasted words read as 0.
    void clipboardActions()
    {
        Fixture f;
        auto *view = field<ConflictMatrixView>(f.page, "matrixTable");
        auto trigger = [view](const char *name) {
            view->findChild<QAction *>(QLatin1String(name))->trigger();
        };
        view->selectionModel()->select(
            QItemSelection(f.table()->index(0, 0), f.table()->index(1, 1)),
            QItemSelectionModel::ClearAndSelect);
        trigger("copy");
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("\t4\n5\t\n"));

        QGuiApplication::clipboard()->setText(QStringLiteral("7\tword\t2.5\n"));
        view->setCurrentIndex(f.table()->index(2, 0));
        trigger("paste");
        QCOMPARE(f.table()->cellData(2, 0).toInt(), 7);
        QCOMPARE(f.table()->cellData(2, 1).toInt(), 0);
        QVERIFY(!f.table()->cellData(2, 2).isValid()); // the diagonal takes nothing

        view->selectionModel()->select(f.table()->index(0, 1), QItemSelectionModel::ClearAndSelect);
        trigger("clear");
        QVERIFY(!f.table()->cellData(0, 1).isValid());
        QVERIFY(f.applyEnabled());
        clickApply(f.page);
        const Points expected { { { 2, 1 }, 5 }, { { 3, 1 }, 7 }, { { 3, 2 }, 0 } };
        QCOMPARE(f.savedPoints(), expected);
    }

    // Groups moved while the page is open: a cell is saved for the groups of
    // its headers, not for those now at its position.
    void movedGroups()
    {
        Fixture f;
        const QStringList before = f.headers(true);
        f.configuration.moveSignalGroup(2, 0); // C to the top, as the mover does
        f.page.configurationHasChanged(nullptr); // a move names no class
        QCOMPARE(f.headers(true), before);
        f.edit(1, 2, QStringLiteral("8")); // under B and C
        clickApply(f.page);
        Points expected = loadedPoints;
        expected.insert({ 2, 3 }, 8);
        QCOMPARE(f.savedPoints(), expected);

        // Rebuilt, the table follows the new order.
        f.page.configurationHasChanged(ZUSignalGroup::staticMetaObject.className());
        QCOMPARE(f.headers(false).first(), f.configuration.signalGroups().at(0)->text(QString()));
        QCOMPARE(f.table()->cellData(0, 1).toInt(), 6); // (C, A)
    }

    // Through the window: the section opens the page; edits, Forbid cells, a
    // group added, and groups moved while the page is open, each saved.
    void matrixInWindow()
    {
        PagesWindow w;
        QVERIFY(w.loaded);
        ZUConfiguration *c = w.configuration();
        auto savedPoints = [&w] {
            return pointsOf(w.save());
        };
        w.select({ w.section(QStringLiteral("Conflict matrix")) });
        auto *page = w.page<MatrixWidget>();
        QVERIFY(page);
        ConflictMatrixModel *table = field<ConflictMatrixView>(*page, "matrixTable")->matrixModel();
        QCOMPARE(table->cellData(0, 1).toInt(), 4);
        QCOMPARE(table->cellData(1, 0).toInt(), 5);
        QCOMPARE(table->cellData(2, 0).toInt(), 6);
        table->setData(table->index(1, 2), QStringLiteral("0"));
        table->setData(table->index(0, 1), QVariant());
        clickApply(*page);
        Points expected { { { 2, 1 }, 5 }, { { 3, 1 }, 6 }, { { 2, 3 }, 0 } };
        QCOMPARE(savedPoints(), expected);
        QCOMPARE(w.tabText(page), c->intergreenMatrix()->text(QString()));

        auto *forbid = field<QCheckBox>(*page, "forbid_cells_with_same_phase");
        QTest::mouseClick(forbid, Qt::LeftButton, {}, QPoint(5, forbid->height() / 2));
        QVERIFY(!table->isCellEditable(2, 0));
        clickApply(*page);
        expected.remove({ 3, 1 });
        QCOMPARE(savedPoints(), expected);

        auto *group = new ZUSignalGroup;
        group->setId(4);
        c->addSignalGroup(group);
        QCOMPARE(table->rowCount(), 4);
        QCOMPARE(table->columnCount(), 4);
        QVERIFY(!page->property("changed").toBool());
        QVERIFY(w.tree()->isEnabled());

        // Group 3 to the top with the tree's button while the page is open.
        // Ctrl+click: the matrix stays selected, group 3 is added and becomes current.
        w.tree()->setCurrentItem(w.window.objectItem(c->findSignalGroup(3)), 0,
                                 QItemSelectionModel::Select);
        QCOMPARE(w.page<MatrixWidget>(), page);
        QWidget *strip = w.tree()->itemWidget(w.tree()->currentItem(), 1);
        QVERIFY(strip);
        strip->findChild<QToolButton *>(QStringLiteral("top"))->click();
        QCOMPARE(c->signalGroups().first()->id(), 3);
        QCOMPARE(w.page<MatrixWidget>(), page);
        QCOMPARE(table->headerData(1, Qt::Horizontal).toString(),
                 c->findSignalGroup(2)->text(QString()));
        QCOMPARE(table->headerData(0, Qt::Vertical).toString(),
                 c->findSignalGroup(1)->text(QString()));
        table->setData(table->index(0, 1), QStringLiteral("7")); // under 1 and 2
        clickApply(*page);
        expected.insert({ 1, 2 }, 7);
        QCOMPARE(savedPoints(), expected);
    }
};

PROJECT_TEST(TestMatrixWidget);
#include "tst_matrixwidget.moc"

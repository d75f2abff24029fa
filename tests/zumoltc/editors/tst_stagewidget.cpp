#include "common/widgets/parameterstable.h"
#include "pagefixture.h"
#include "pageswindow.h"
#include "testmain.h"
#include "zumoltc/editors/stagewidget.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QtTest>

using namespace PageFixture;

namespace {

struct Fixture
{
    Fixture() { loaded = loadPages(configuration); }
    QPointer<ZUStage> stage(int index) { return configuration.stages().at(index); }
    void show(const QList<int> &indexes)
    {
        QList<QPointer<ZUStage>> stages;
        for (int index : indexes)
            stages << stage(index);
        page.setObjects(&configuration, stages);
    }
    ParametersTable *table() const { return field<ParametersTable>(page, "sgTable"); }
    QCheckBox *useMatrix() const { return field<QCheckBox>(page, "use_matrix"); }
    bool assigned(int row) const { return table()->cellData(row, StageWidget::Assigned).toBool(); }
    bool locked(int row) const { return !table()->isCellEditable(row, StageWidget::Assigned); }
    void toggle(int row)
    {
        table()->setCurrentCell(row, StageWidget::Assigned);
        QTest::keyClick(table(), Qt::Key_Space);
    }
    QString assignedSg() const { return field<QLabel>(page, "assignedSg")->text(); }
    bool pageChanged() const { return page.property("changed").toBool(); }

    ZUConfiguration configuration;
    StageWidget page;
    bool loaded = false;
};

} // namespace

class TestStageWidget : public QObject
{
    Q_OBJECT
private slots:
    // The main window sets the display texts before any page exists.
    void initTestCase() { zu::registerDisplayTexts(); }

    void oneStage()
    {
        Fixture f;
        QVERIFY(f.loaded);
        f.show({ 0 });
        QStringList headers;
        for (int column = 0; column < f.table()->columnCount(); ++column)
            headers << f.table()->horizontalHeaderItem(column)->text();
        QCOMPARE(headers, QStringList({ "Assigned", "ID", "Name", "Type" }));
        QCOMPARE(f.table()->rowCount(), 3);
        QCOMPARE(f.table()->cellData(1, StageWidget::Id).toInt(), 2);
        QCOMPARE(f.table()->cellData(1, StageWidget::Name).toString(), QStringLiteral("B"));
        QCOMPARE(f.table()->cellData(1, StageWidget::Type).toString(), QStringLiteral("tram"));
        QVERIFY(f.assigned(0) && !f.assigned(1) && f.assigned(2));
        QCOMPARE(f.assignedSg(), QStringLiteral("1(A),3(C)"));
        QCOMPARE(field(f.page, "minTime")->text(), QStringLiteral("10"));
        QVERIFY(!field<QCheckBox>(f.page, "manualName")->isChecked());
        QVERIFY(!f.table()->verticalHeader()->isVisible());
        QVERIFY(!button(f.page, QDialogButtonBox::Apply)->isEnabled());

        f.show({ 1 });
        QVERIFY(f.assignedSg().isEmpty());
        f.toggle(1);
        QCOMPARE(f.assignedSg(), QStringLiteral("2(B)"));
        type(field(f.page, "maxTime"), QString());
        clickApply(f.page);
        const QJsonObject stage = itemWithId(saved(f.configuration).value("stages").toArray(), 2);
        QCOMPARE(stage.value("groups").toArray(), QJsonArray({ 2 }));
        QVERIFY(!stage.contains("maxGreen"));
        QCOMPARE(stage.value("minGreen").toInt(), 8);
        QCOMPARE(f.page.windowTitle(), f.stage(1)->text(QString()));
    }

    // Points (A,B), (B,A) and (C,A): an assigned A unticks and locks B and C,
    // partners in either direction; unticking the box unlocks them and keeps
    // what they hold.
    void checkConflicts()
    {
        Fixture f;
        f.show({ 1 });
        auto clickBox = [&f] {
            QTest::mouseClick(f.useMatrix(), Qt::LeftButton, {},
                              QPoint(5, f.useMatrix()->height() / 2));
        };
        f.toggle(0);
        f.toggle(1);
        QVERIFY(f.assigned(0) && f.assigned(1));
        clickBox();
        QVERIFY(f.useMatrix()->isChecked());
        QVERIFY(f.assigned(0) && !f.assigned(1) && !f.assigned(2));
        QVERIFY(!f.locked(0) && f.locked(1) && f.locked(2));
        QCOMPARE(f.table()->item(1, StageWidget::Assigned)->background().color(),
                 QColor(Qt::lightGray));
        QCOMPARE(f.assignedSg(), QStringLiteral("1(A)"));
        f.toggle(1); // locked: no change
        QVERIFY(!f.assigned(1));

        // Unticking A runs the check again: nothing is assigned, nothing locked.
        f.toggle(0);
        QVERIFY(!f.locked(0) && !f.locked(1) && !f.locked(2));
        f.toggle(2); // C locks its partner A only
        QVERIFY(f.locked(0) && !f.locked(1));
        f.toggle(2);
        f.toggle(0);
        QVERIFY(f.locked(1) && f.locked(2));

        clickBox();
        QVERIFY(!f.useMatrix()->isChecked());
        QVERIFY(!f.locked(0) && !f.locked(1) && !f.locked(2));
        QVERIFY(f.assigned(0) && !f.assigned(1) && !f.assigned(2));
        f.toggle(1);
        QVERIFY(f.assigned(1));
        clickApply(f.page);
        QCOMPARE(f.stage(1)->groups().size(), 2);

        // Never stored: the next load starts without it.
        clickBox();
        f.show({ 1 });
        QVERIFY(!f.useMatrix()->isChecked());
        QVERIFY(!f.locked(0) && !f.locked(1));
    }

    // Groups added or deleted elsewhere refill the table as the new baseline.
    void groupsAddedAndDeleted()
    {
        Fixture f;
        f.show({ 0 });
        type(field(f.page, "minTime"), QStringLiteral("12"));
        auto *group = new ZUSignalGroup;
        group->setId(4);
        group->setName(QStringLiteral("D"));
        f.configuration.insertSignalGroup(group, f.configuration.signalGroups().at(0));
        QCOMPARE(f.table()->rowCount(), 4);
        QCOMPARE(f.table()->cellData(1, StageWidget::Name).toString(), QStringLiteral("D"));
        QVERIFY(!f.assigned(1));
        QVERIFY(!field<QLabel>(f.page, "assignedSg")->text().contains("D"));
        QVERIFY(f.pageChanged()); // the typed time stays an edit
        QCOMPARE(field(f.page, "minTime")->text(), QStringLiteral("12"));

        f.show({ 0 });
        QVERIFY(!f.pageChanged());
        f.configuration.addSignalGroup(new ZUSignalGroup);
        QCOMPARE(f.table()->rowCount(), 5);
        QVERIFY(!f.pageChanged());
        QVERIFY(!button(f.page, QDialogButtonBox::Apply)->isEnabled());

        delete f.configuration.signalGroups().at(3).data(); // C
        QCOMPARE(f.table()->rowCount(), 4);
        QCOMPARE(f.assignedSg(), QStringLiteral("1(A)"));
        QVERIFY(!f.pageChanged());

        // The same page loaded again makes no second connection.
        f.show({ 0 });
        f.show({ 0 });
        f.configuration.addSignalGroup(new ZUSignalGroup);
        QCOMPARE(f.table()->rowCount(), 5);
        QVERIFY(!f.pageChanged());
    }

    void severalStages()
    {
        Fixture f;
        f.stage(1)->addGroup(f.configuration.signalGroups().at(1));
        f.show({ 0, 1 });
        QVERIFY(!field(f.page, "id")->isEnabled());
        QVERIFY(!field(f.page, "name")->isEnabled());
        QVERIFY(!f.table()->isEnabled());
        QVERIFY(!f.useMatrix()->isEnabled());
        QCOMPARE(f.table()->rowCount(), 0);
        QVERIFY(!field<QLabel>(f.page, "assignedSg")->isVisibleTo(&f.page));
        QLineEdit *minTime = field(f.page, "minTime");
        QVERIFY(minTime->text().isEmpty());
        QCOMPARE(minTime->placeholderText(), QStringLiteral("10"));
        QCOMPARE(field(f.page, "maxTime")->text(), QStringLiteral("40"));
        type(field(f.page, "maxTime"), QStringLiteral("50"));
        clickApply(f.page);
        QCOMPARE(f.stage(0)->minTime(), 10);
        QCOMPARE(f.stage(1)->minTime(), 8);
        QCOMPARE(f.stage(0)->maxTime(), 50);
        QCOMPARE(f.stage(1)->maxTime(), 50);
        QCOMPARE(f.stage(0)->groups().size(), 2);
        QCOMPARE(f.stage(1)->groups().size(), 1);
        QCOMPARE(f.stage(0)->name(), QStringLiteral("Stage.1"));
    }

    // Another stage's id or name keeps Apply disabled; id 0 is allowed.
    void forbiddenIdAndName()
    {
        Fixture f;
        f.show({ 0 });
        type(field(f.page, "id"), QStringLiteral("2"));
        QVERIFY(!button(f.page, QDialogButtonBox::Apply)->isEnabled());
        type(field(f.page, "id"), QStringLiteral("0"));
        QCOMPARE(field(f.page, "name")->text(), QStringLiteral("Stage.0"));
        QVERIFY(button(f.page, QDialogButtonBox::Apply)->isEnabled());
        QTest::mouseClick(field<QCheckBox>(f.page, "manualName"), Qt::LeftButton, {},
                          QPoint(5, field<QCheckBox>(f.page, "manualName")->height() / 2));
        type(field(f.page, "name"), QStringLiteral("Empty"));
        QVERIFY(!button(f.page, QDialogButtonBox::Apply)->isEnabled());
        type(field(f.page, "name"), QStringLiteral("Zero"));
        clickApply(f.page);
        QCOMPARE(f.stage(0)->id(), 0);
        QCOMPARE(f.stage(0)->name(), QStringLiteral("Zero"));
    }

    // Through the window: the conflict check on one stage, and a group inserted
    // while the page is open.
    void stageInWindow()
    {
        PagesWindow w;
        QVERIFY(w.loaded);
        ZUConfiguration *c = w.configuration();
        w.selectObjects(QList<ZUStage *> { c->stages().at(1) });
        auto *page = w.page<StageWidget>();
        QVERIFY(page);
        auto *table = field<ParametersTable>(*page, "sgTable");
        auto *useMatrix = field<QCheckBox>(*page, "use_matrix");
        QTest::mouseClick(useMatrix, Qt::LeftButton, {}, QPoint(5, useMatrix->height() / 2));
        table->setCurrentCell(0, StageWidget::Assigned);
        QTest::keyClick(table, Qt::Key_Space);
        QVERIFY(!table->isCellEditable(1, StageWidget::Assigned));
        QVERIFY(!table->isCellEditable(2, StageWidget::Assigned));
        QTest::mouseClick(useMatrix, Qt::LeftButton, {}, QPoint(5, useMatrix->height() / 2));
        QVERIFY(table->isCellEditable(1, StageWidget::Assigned));
        clickApply(*page);
        const QJsonObject stage = itemWithId(w.save().value("stages").toArray(), 2);
        QCOMPARE(stage.value("groups").toArray(), QJsonArray({ 1 }));
        QCOMPARE(w.tabText(page), c->stages().at(1)->text(QString()));

        auto *group = new ZUSignalGroup;
        group->setId(4);
        c->insertSignalGroup(group, c->signalGroups().at(0));
        QCOMPARE(table->rowCount(), 4);
        QVERIFY(!page->property("changed").toBool());
        QVERIFY(w.tree()->isEnabled());
    }
};

PROJECT_TEST(TestStageWidget);
#include "tst_stagewidget.moc"

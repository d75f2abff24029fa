#include "common/widgets/parameterstable.h"
#include "testmain.h"
#include "zumoltc/editors/editorpages.h"
#include "zumoltc/model/zuenums.h"
#include "zumoltc/shell/framework/comboboxdelegate.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTest>

// The one rule by which every page reads a table cell as a model int, and
// writes a model int into a cell; cells and choices that follow their objects.
class TestEditorPages : public QObject
{
    Q_OBJECT
private slots:
    void cellInt_data()
    {
        QTest::addColumn<QVariant>("cell");
        QTest::addColumn<int>("value");
        QTest::newRow("int") << QVariant(12) << 12;
        QTest::newRow("zero") << QVariant(0) << 0;
        QTest::newRow("negative") << QVariant(-3) << -3;
        QTest::newRow("typed text") << QVariant(QStringLiteral("7")) << 7;
        QTest::newRow("text with blanks") << QVariant(QStringLiteral("  7 ")) << 7;
        QTest::newRow("empty text") << QVariant(QString()) << int(zu::NotSet);
        QTest::newRow("blank text") << QVariant(QStringLiteral("  ")) << int(zu::NotSet);
        QTest::newRow("no cell") << QVariant() << int(zu::NotSet);
        QTest::newRow("word") << QVariant(QStringLiteral("seven")) << int(zu::NotSet);
        QTest::newRow("fraction") << QVariant(QStringLiteral("2.5")) << int(zu::NotSet);
        QTest::newRow("number and word") << QVariant(QStringLiteral("7 s")) << int(zu::NotSet);
    }

    void cellInt()
    {
        QFETCH(QVariant, cell);
        QFETCH(int, value);
        QCOMPARE(EditorPages::cellInt(cell), value);
    }

    // What a page writes it reads back as the same model value.
    void roundTrip_data()
    {
        QTest::addColumn<int>("value");
        QTest::newRow("not set") << int(zu::NotSet);
        QTest::newRow("zero") << 0;
        QTest::newRow("positive") << 255;
        QTest::newRow("negative") << -1;
    }

    void roundTrip()
    {
        QFETCH(int, value);
        const QVariant cell = EditorPages::intCell(value);
        QCOMPARE(cell.isNull(), value == zu::NotSet);
        QCOMPARE(EditorPages::cellInt(cell), value);
    }

    // Cells name objects: each follows its object to the object's id now, and the
    // cell of an object that is gone is emptied. Without the user's edits in the
    // table that is no change of the page; with them the table stays changed, and
    // Cancel goes back to the loaded objects under their ids now.
    void refillLinesFollowsObjects_data()
    {
        QTest::addColumn<bool>("edited");
        QTest::newRow("as loaded") << false;
        QTest::newRow("with the user's edit") << true;
    }

    void refillLinesFollowsObjects()
    {
        QFETCH(bool, edited);
        QWidget page;
        auto *table = new ParametersTable(&page);
        auto *delegate = new ComboBoxDelegate(table, QStringList(), QList<QVariant>());
        table->setItemDelegateForColumn(0, delegate);
        table->setItemDelegateForColumn(2, delegate);
        QObject first, second, third;
        EditorPages::ObjectChoices before;
        before.texts = QStringList { "1", "2", "3" };
        before.ids = QList<QVariant> { 1, 2, 3 };
        before.objects = QList<QPointer<QObject>> { &first, &second, &third };
        EditorPages::refillObjects(delegate, before);
        table->setRowCount(3);
        table->setColumnCount(3);
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column)
                table->setCellData(row, column, row + 1, true);
        }
        auto *validator = new DialogItemValidator(&page);
        validator->snapshotAll();
        if (edited)
            table->setCellData(2, 0, 2, true); // the second object chosen in the last row
        QSignalSpy changes(validator, &DialogItemValidator::changed);

        // The first object is gone, the second and third swap their ids.
        EditorPages::ObjectChoices now;
        now.texts = QStringList { "3", "2" };
        now.ids = QList<QVariant> { 3, 2 };
        now.objects = QList<QPointer<QObject>> { &second, &third };
        EditorPages::refillLines(table, false, { 0, 2 }, now, validator);
        QCOMPARE(delegate->values, now.ids);
        for (const int column : { 0, 2 }) {
            QCOMPARE(table->cellData(0, column), QVariant());
            QCOMPARE(table->cellData(1, column), QVariant(3));
        }
        QCOMPARE(table->cellData(2, 0), QVariant(edited ? 3 : 2));
        QCOMPARE(table->cellData(2, 2), QVariant(2));
        QCOMPARE(table->cellData(0, 1), QVariant(1)); // a column of no objects
        QCOMPARE(validator->isChanged(table), edited);
        QCOMPARE(page.property("changed").toBool(), edited);
        QCOMPARE(changes.count(), 0);

        // Cancel shows the objects as loaded, under their ids now.
        validator->cancelChanges();
        QCOMPARE(table->cellData(0, 0), QVariant());
        QCOMPARE(table->cellData(1, 0), QVariant(3));
        QCOMPARE(table->cellData(2, 0), QVariant(2));
        QCOMPARE(table->cellData(0, 1), QVariant(1));
        QVERIFY(!validator->isChanged(table));

        // One row of the table, as a delegate of one row edits it: an id the
        // delegate did not offer stays while an object has it.
        auto *rowDelegate = new ComboBoxDelegate(table, QStringList(), QList<QVariant>());
        table->setItemDelegateForRow(1, rowDelegate);
        table->setCellData(1, 1, 2, true);
        validator->snapshotAll();
        EditorPages::refillLines(table, true, { 1 }, now, validator);
        QCOMPARE(table->cellData(1, 1), QVariant(2));
        now.ids = QList<QVariant> { 3 };
        now.objects = QList<QPointer<QObject>> { &second };
        EditorPages::refillLines(table, true, { 1 }, now, validator);
        QCOMPARE(table->cellData(1, 1), QVariant());
        QCOMPARE(table->cellData(1, 0), QVariant(3)); // the second object's id
        QCOMPARE(table->cellData(0, 1), QVariant(1)); // another row
        QVERIFY(!validator->isChanged(table));
    }

    // A combo box of objects shows its object under the object's id now; a
    // choice the user changed stays, and Cancel goes back to the loaded object.
    void refillObjectsFollowsObjects_data()
    {
        QTest::addColumn<bool>("edited");
        QTest::newRow("as loaded") << false;
        QTest::newRow("with the user's choice") << true;
    }

    void refillObjectsFollowsObjects()
    {
        QFETCH(bool, edited);
        QWidget page;
        auto *combo = new QComboBox(&page);
        QObject first, second, third;
        EditorPages::ObjectChoices choices;
        choices.texts = QStringList { "1", "2", "3" };
        choices.ids = QList<QVariant> { 1, 2, 3 };
        choices.objects = QList<QPointer<QObject>> { &first, &second, &third };
        EditorPages::refillObjects(combo, choices, nullptr);
        combo->setCurrentIndex(1);
        auto *validator = new DialogItemValidator(&page);
        validator->snapshotAll();
        if (edited)
            combo->setCurrentIndex(2);

        // The second object takes the id 9 and moves last; the first is gone.
        choices.texts = QStringList { "3", "9" };
        choices.ids = QList<QVariant> { 3, 9 };
        choices.objects = QList<QPointer<QObject>> { &third, &second };
        EditorPages::refillObjects(combo, choices, validator);
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->currentData(), QVariant(edited ? 3 : 9));
        QCOMPARE(validator->isChanged(combo), edited);
        validator->cancelChanges();
        QCOMPARE(combo->currentData(), QVariant(9));

        // The object shown is gone: no choice.
        choices.texts = QStringList { "3" };
        choices.ids = QList<QVariant> { 3 };
        choices.objects = QList<QPointer<QObject>> { &third };
        EditorPages::refillObjects(combo, choices, validator);
        QCOMPARE(combo->currentIndex(), -1);
        QVERIFY(!validator->isChanged(combo));
    }
};

PROJECT_TEST(TestEditorPages);
#include "tst_editorpages.moc"

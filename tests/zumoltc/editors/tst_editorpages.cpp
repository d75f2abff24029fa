#include "common/widgets/parameterstable.h"
#include "testmain.h"
#include "zumoltc/editors/editorpages.h"
#include "zumoltc/model/zuenums.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"

#include <QSignalSpy>
#include <QTest>

// The one rule by which every page reads a table cell as a model int, and
// writes a model int into a cell; the cells of objects that are gone.
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

    // A cell whose object is gone is emptied; without the user's edits in the table
    // that is no change of the page, with them the table stays changed.
    void emptyCellsOfGoneObjects_data()
    {
        QTest::addColumn<bool>("edited");
        QTest::newRow("as loaded") << false;
        QTest::newRow("with the user's edit") << true;
    }

    void emptyCellsOfGoneObjects()
    {
        QFETCH(bool, edited);
        QWidget page;
        auto *table = new ParametersTable(&page);
        table->setRowCount(3);
        table->setColumnCount(2);
        for (int row = 0; row < 3; ++row) {
            table->setCellData(row, 0, row + 1, true);
            table->setCellData(row, 1, row + 1, true);
        }
        auto *validator = new DialogItemValidator(&page);
        validator->snapshotAll();
        if (edited)
            table->setCellData(2, 0, 4, true);
        QSignalSpy changes(validator, &DialogItemValidator::changed);

        EditorPages::emptyCellsOfGoneObjects(table, -1, 0, { 2, 4 }, validator);
        QCOMPARE(table->cellData(0, 0), QVariant());
        QCOMPARE(table->cellData(1, 0), QVariant(2));
        QCOMPARE(table->cellData(2, 0), edited ? QVariant(4) : QVariant());
        QCOMPARE(table->cellData(0, 1), QVariant(1)); // another column
        QCOMPARE(validator->isChanged(table), edited);
        QCOMPARE(page.property("changed").toBool(), edited);
        QCOMPARE(changes.count(), 0);

        // One row of the table, as a delegate of one row edits it.
        EditorPages::emptyCellsOfGoneObjects(table, 0, -1, { 2 }, validator);
        QCOMPARE(table->cellData(0, 1), QVariant());
        QCOMPARE(table->cellData(1, 1), QVariant(2));
    }
};

PROJECT_TEST(TestEditorPages);
#include "tst_editorpages.moc"

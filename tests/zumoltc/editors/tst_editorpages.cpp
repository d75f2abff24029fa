#include "testmain.h"
#include "zumoltc/editors/editorpages.h"
#include "zumoltc/model/zuenums.h"

#include <QTest>

// The one rule by which every page reads a table cell as a model int, and
// writes a model int into a cell.
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
};

PROJECT_TEST(TestEditorPages);
#include "tst_editorpages.moc"

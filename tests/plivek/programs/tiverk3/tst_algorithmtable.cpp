#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "common/widgets/parameterstable.h"
#include "installedtranslation.h"
#include "plivek/framework/comboboxdelegate.h"
#include "plivek/programs/tiverk3/algorithmtable.h"
#include "plivek/programs/tiverk3/dtaddressdelegate.h"
#include "testdata.h"
#include "testmain.h"

#include <QtTest>

namespace {

// A layout with the two lists of the controller and one type "5" of the given elements.
QDomDocument layoutOf(const QString &elements)
{
    QDomDocument document;
    document.setContent(QString::fromUtf8("<Layout>"
                                          "<List id=\"1\"><Element value=\"0\">Нет</Element>"
                                          "<Element value=\"1\">КН1</Element>"
                                          "<Element value=\"3\">Датчик</Element></List>"
                                          "<List id=\"2\"><Element value=\"0\">Нет</Element>"
                                          "<Element value=\"1\">Да</Element></List>"
                                          "<Chapter id=\"programs\"><Type id=\"5\" name=\"T\">")
                        + elements + QStringLiteral("</Type></Chapter></Layout>"));
    return document;
}

// A call condition, a button-or-detector cell and one in a nested table.
QString callAndButton()
{
    return QString::fromUtf8("<Element type=\"byte\" name=\"Условие вызова\" listid=\"1\"/>"
                             "<Element type=\"byte\" name=\"Кнопка или датчик вызова\"/>"
                             "<Element type=\"array[1]\" name=\"Rows\"><Element type=\"byte\" "
                             "name=\"КНОПКА или ДАТЧИК\"/></Element>");
}

QDomElement typeOf(const QDomDocument &layout)
{
    return AlgorithmTable::programsChapter(layout).firstChildElement(QStringLiteral("Type"));
}

// Each text the table shows for the layout (column titles, the choices of list
// cells, nested tables too) with the layout's own text it stands for: a title
// with the field's name wrapped, a choice with its list entry.
void collectShownTexts(QTableWidget *table, const QDomDocument &layout,
                       QList<QPair<QString, QString>> *texts)
{
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem *header = table->horizontalHeaderItem(column);
        const QDomElement field = header->data(AlgorithmTable::ElementRole).value<QDomElement>();
        texts->append({ header->text(),
                        AlgorithmTable::wrapHeaderText(field.attribute(QStringLiteral("name"))) });
        const QString listId = field.attribute(QStringLiteral("listid"));
        if (listId.toInt() > 0) {
            const auto *choices
                = qobject_cast<ComboBoxDelegate *>(table->itemDelegateForColumn(column));
            QVERIFY2(choices, qPrintable(header->text()));
            QStringList own;
            for (QDomElement list = layout.documentElement().firstChildElement("List");
                 !list.isNull(); list = list.nextSiblingElement("List")) {
                for (QDomElement entry = list.firstChildElement("Element");
                     list.attribute("id") == listId && !entry.isNull();
                     entry = entry.nextSiblingElement("Element"))
                    own << entry.text();
            }
            QCOMPARE(choices->texts().size(), own.size());
            for (int i = 0; i < own.size(); ++i)
                texts->append({ choices->texts().at(i), own.at(i) });
        }
        for (int row = 0; row < table->rowCount(); ++row) {
            if (auto *nested = qobject_cast<QTableWidget *>(table->cellWidget(row, column)))
                collectShownTexts(nested, layout, texts);
        }
    }
}

bool hasCyrillic(const QString &text)
{
    for (const QChar c : text) {
        if (c.script() == QChar::Script_Cyrillic)
            return true;
    }
    return false;
}

// The parameter cells in the order of their bytes: rows, then columns, nested
// tables where they stand.
void collectItems(QTableWidget *table, QList<QTableWidgetItem *> *items)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            if (auto *nested = qobject_cast<QTableWidget *>(table->cellWidget(row, column)))
                collectItems(nested, items);
            else if (QTableWidgetItem *item = table->item(row, column))
                items->append(item);
        }
    }
}

QStringList texts(const QList<QTableWidgetItem *> &items)
{
    QStringList result;
    for (const QTableWidgetItem *item : items)
        result << item->text();
    return result;
}

bool loadExample(CnfController &controller, const QString &name)
{
    const CnfNativePtr native = CnfNative::loadNativeConfig(TestSupport::examplesPath(name));
    return native && native->createController(controller);
}

} // namespace

class TestAlgorithmTable : public QObject
{
    Q_OBJECT
private slots:
    void parseElementType_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("base");
        QTest::addColumn<int>("size");
        QTest::newRow("byte") << "byte"
                              << "byte" << 1;
        QTest::newRow("word") << "word"
                              << "word" << 2;
        QTest::newRow("counted word") << "word[3]"
                                      << "word" << 6;
        QTest::newRow("counted byte") << "byte[62]"
                                      << "byte" << 62;
        QTest::newRow("array") << "array[16]"
                               << "array" << 16;
        QTest::newRow("colon") << "byte:4"
                               << "byte" << 4;
    }

    void parseElementType()
    {
        QFETCH(QString, type);
        QFETCH(QString, base);
        QFETCH(int, size);
        QCOMPARE(AlgorithmTable::parseElementType(type), qMakePair(base, size));
    }

    void recordSizeOfTheControllersLayout()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        QCOMPARE(
            AlgorithmTable::recordSize(AlgorithmTable::programsChapter(controller.tiverkLayout())),
            64);
    }

    void wrapHeaderText()
    {
        QCOMPARE(AlgorithmTable::wrapHeaderText(QStringLiteral("Button or detector of the call")),
                 QStringLiteral("Button or\ndetector of\nthe call"));
        QCOMPARE(AlgorithmTable::wrapHeaderText(QStringLiteral("Cycle")), QStringLiteral("Cycle"));
    }

    // Layout, raw bytes, the cells shown, the edits made (cell index = text, in
    // byte order) and the bytes written back.
    void bytesAndCells_data()
    {
        QTest::addColumn<QString>("elements");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<bool>("valid");

        const QString byteAndWord = QStringLiteral(
            "<Element type=\"byte\" name=\"A\"/><Element type=\"word\" name=\"B\"/>");
        QTest::newRow("not set") << byteAndWord << QByteArray::fromHex("0105ffffff")
                                 << QStringList { "", "" } << QStringList()
                                 << QByteArray::fromHex("0105ffffff") << true;
        QTest::newRow("little-endian word at the end")
            << byteAndWord << QByteArray::fromHex("0105073412") << QStringList { "7", "4660" }
            << QStringList { "1=65534" } << QByteArray::fromHex("010507feff") << true;
        QTest::newRow("data shorter than the layout")
            << byteAndWord << QByteArray::fromHex("010507ff") << QStringList { "7", "" }
            << QStringList { "1=9" } << QByteArray::fromHex("010507ff") << true;
        QTest::newRow("hidden column written as 255")
            << QStringLiteral("<Element type=\"byte\" name=\"A\" visible=\"false\"/><Element "
                              "type=\"byte\" name=\"B\"/>")
            << QByteArray::fromHex("01050708") << QStringList { "7", "8" } << QStringList()
            << QByteArray::fromHex("0105ff08") << true;
        QTest::newRow("counted field uses its first value")
            << QStringLiteral(
                   "<Element type=\"byte[3]\" name=\"A\"/><Element type=\"byte\" name=\"B\"/>")
            << QByteArray::fromHex("010507080904") << QStringList { "7", "4" } << QStringList()
            << QByteArray::fromHex("010507ffff04") << true;
        QTest::newRow("nested arrays depth first")
            << QStringLiteral(
                   "<Element type=\"array[2]\" name=\"Rows\"><Element type=\"byte\" name=\"X\"/>"
                   "<Element type=\"array[2]\" name=\"Inner\"><Element type=\"byte\" "
                   "name=\"Y\"/></Element>"
                   "</Element><Element type=\"byte\" name=\"Z\"/>")
            << QByteArray::fromHex("01050a0b0c141516ff")
            << QStringList { "10", "11", "12", "20", "21", "22", "" } << QStringList { "6=3" }
            << QByteArray::fromHex("01050a0b0c14151603") << true;
        QTest::newRow("list texts")
            << QStringLiteral("<Element type=\"byte\" name=\"Repeat\" listid=\"2\"/>")
            << QByteArray::fromHex("010501") << QStringList { "Yes" } << QStringList { "0=No" }
            << QByteArray::fromHex("010500") << true;
        const QString detector
            = QString::fromUtf8("<Element type=\"byte\" name=\"Адрес датчика\"/>");
        QTest::newRow("detector list")
            << detector << QByteArray::fromHex("010521") << QStringList { "1,2" }
            << QStringList { "0=3,4,5" } << QByteArray::fromHex("010543") << true;
        QTest::newRow("pasted detector list that cannot be stored")
            << detector << QByteArray::fromHex("010503") << QStringList { "3" }
            << QStringList { "0=3,5" } << QByteArray::fromHex("0105ff") << false;
        QTest::newRow("300 in a byte cell")
            << byteAndWord << QByteArray::fromHex("01050712") << QStringList { "7", "" }
            << QStringList { "0=300" } << QByteArray::fromHex("0105ffff") << false;
        QTest::newRow("not a number")
            << byteAndWord << QByteArray::fromHex("0105071200") << QStringList { "7", "18" }
            << QStringList { "1=x" } << QByteArray::fromHex("010507ffff") << false;
        QTest::newRow("65535 in a word cell")
            << byteAndWord << QByteArray::fromHex("0105071200") << QStringList { "7", "18" }
            << QStringList { "1=65535" } << QByteArray::fromHex("010507ffff") << false;
        QTest::newRow("button call condition switches detector cells")
            << callAndButton() << QByteArray::fromHex("0105034343")
            << QStringList { "Detector", "3,4,5", "3,4,5" } << QStringList { "0=Button 1" }
            << QByteArray::fromHex("0105014343") << true;
        QTest::newRow("button numbers back to lists")
            << callAndButton() << QByteArray::fromHex("0105014305")
            << QStringList { "Button 1", "67", "5" } << QStringList { "0=Detector" }
            << QByteArray::fromHex("0105034305") << true;
    }

    void bytesAndCells()
    {
        QFETCH(QString, elements);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, cells);
        QFETCH(QStringList, edits);
        QFETCH(QByteArray, written);
        QFETCH(bool, valid);

        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverk"));
        QWidget owner;
        auto *table = new ParametersTable(&owner);
        AlgorithmTable algorithm(table, &controller, AlgorithmTable::TiverkFamily, &owner);
        const QDomDocument layout = layoutOf(elements);
        algorithm.setLayout(layout);
        algorithm.build(typeOf(layout), bytes);
        connect(table, &QTableWidget::itemChanged, &algorithm, &AlgorithmTable::itemChanged);
        QList<QTableWidgetItem *> items;
        collectItems(table, &items);
        QCOMPARE(texts(items), cells);
        QVERIFY(!table->modified);

        for (const QString &edit : edits) {
            const int index = edit.section(QLatin1Char('='), 0, 0).toInt();
            items.at(index)->setText(edit.section(QLatin1Char('='), 1));
        }
        QCOMPARE(algorithm.allCellsValid(), valid);
        QCOMPARE(algorithm.store(bytes, 1, 5).toHex(), written.toHex());
        // What was written reads back into the same cells.
        algorithm.build(typeOf(layout), written);
        QCOMPARE(algorithm.store(written, 1, 5).toHex(), written.toHex());
    }

    // The controller's words of every layout: English in the English interface,
    // and the Russian interface shows them as the layout holds them.
    void layoutTextsShown_data()
    {
        QTest::addColumn<QString>("version"); // empty: the adapter
        QTest::addColumn<bool>("russian");
        for (const char *version : { "3.14", "3.15", "3.16", "3.17", "3.18", "" }) {
            const QByteArray name = *version ? QByteArray(version) : QByteArray("adapter");
            QTest::newRow(QByteArray(name + " English").constData())
                << QString::fromLatin1(version) << false;
            QTest::newRow(QByteArray(name + " Russian").constData())
                << QString::fromLatin1(version) << true;
        }
    }

    void layoutTextsShown()
    {
        QFETCH(QString, version);
        QFETCH(bool, russian);
        const TestSupport::InstalledTranslation translation(russian ? QStringLiteral("plivek_ru")
                                                                    : QString());
        QVERIFY(translation.isLoaded());
        CnfController controller;
        controller.setProperty("type", version.isEmpty() ? "adapter" : "tiverk");
        controller.setProperty("version", version);
        const QDomDocument layout = controller.tiverkLayout();
        const QDomElement chapter = AlgorithmTable::programsChapter(layout);
        QWidget owner;
        auto *table = new ParametersTable(&owner);
        AlgorithmTable algorithm(table, &controller,
                                 version.isEmpty() ? AlgorithmTable::AdapterFamily
                                                   : AlgorithmTable::TiverkFamily,
                                 &owner);
        algorithm.setLayout(layout);
        int shown = 0;
        for (QDomElement type = chapter.firstChildElement(QStringLiteral("Type")); !type.isNull();
             type = type.nextSiblingElement(QStringLiteral("Type"))) {
            algorithm.build(type, QByteArray(AlgorithmTable::recordSize(chapter), char(0xff)));
            QList<QPair<QString, QString>> texts;
            collectShownTexts(table, layout, &texts);
            for (const auto &text : qAsConst(texts)) {
                const QString where = type.attribute(QStringLiteral("name")) + ": " + text.first;
                QVERIFY2(!text.first.isEmpty(), qPrintable(where));
                if (russian)
                    QCOMPARE(text.first, text.second);
                else
                    QVERIFY2(!hasCyrillic(text.first), qPrintable(where));
            }
            shown += texts.size();
        }
        QVERIFY(shown > 10);
    }

    // The call condition picks buttons by the controller's own entries ("КН1"),
    // whichever language shows them.
    void buttonCallConditionByLanguage_data()
    {
        QTest::addColumn<bool>("russian");
        QTest::addColumn<QString>("detector");
        QTest::addColumn<QString>("button");
        QTest::newRow("English") << false << "Detector"
                                 << "Button 1";
        QTest::newRow("Russian") << true << QString::fromUtf8("Датчик") << QString::fromUtf8("КН1");
    }

    void buttonCallConditionByLanguage()
    {
        QFETCH(bool, russian);
        QFETCH(QString, detector);
        QFETCH(QString, button);
        const TestSupport::InstalledTranslation translation(russian ? QStringLiteral("plivek_ru")
                                                                    : QString());
        QVERIFY(translation.isLoaded());
        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverk"));
        QWidget owner;
        auto *table = new ParametersTable(&owner);
        AlgorithmTable algorithm(table, &controller, AlgorithmTable::TiverkFamily, &owner);
        const QDomDocument layout = layoutOf(callAndButton());
        algorithm.setLayout(layout);
        const QByteArray bytes = QByteArray::fromHex("0105034343");
        algorithm.build(typeOf(layout), bytes);
        connect(table, &QTableWidget::itemChanged, &algorithm, &AlgorithmTable::itemChanged);
        QList<QTableWidgetItem *> items;
        collectItems(table, &items);
        QCOMPARE(texts(items), (QStringList { detector, "3,4,5", "3,4,5" }));
        items.first()->setText(button);
        QCOMPARE(texts(items), (QStringList { button, "67", "67" }));
        QCOMPARE(algorithm.store(bytes, 1, 5).toHex(), QByteArray("0105014343"));
    }

    void invalidArrayCountIsReported()
    {
        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverk"));
        QWidget owner;
        auto *table = new ParametersTable(&owner);
        AlgorithmTable algorithm(table, &controller, AlgorithmTable::TiverkFamily, &owner);
        const QDomDocument layout = layoutOf(QStringLiteral(
            "<Element type=\"array[0]\" name=\"Rows\"><Element type=\"byte\" name=\"X\"/></Element>"
            "<Element type=\"byte\" name=\"Z\"/>"));
        algorithm.setLayout(layout);
        QStringList warnings;
        connect(&algorithm, &AlgorithmTable::warning, this,
                [&warnings](const QString &w) { warnings << w; });
        algorithm.build(typeOf(layout), QByteArray::fromHex("01050a"));
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings.first().contains(QLatin1String("error: invalid type attribute")),
                 qPrintable(warnings.first()));
        QVERIFY(warnings.first().startsWith(QLatin1String("row 1,column")));
        // The empty column takes no bytes.
        QCOMPARE(table->columnCount(), 2);
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("10"));
    }

    // Phase indexes show as phase ids, durations get the phase's limits.
    void phasesAndLimits()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        const QStringList ids { controller.phases().at(0)->id, controller.phases().at(1)->id };
        controller.phases().at(0)->minTime = -1;
        controller.phases().at(1)->minTime = 5;
        controller.phases().at(1)->maxTime = 40;
        QWidget owner;
        auto *table = new ParametersTable(&owner);
        AlgorithmTable algorithm(table, &controller, AlgorithmTable::TiverkFamily, &owner);
        const QDomDocument layout = layoutOf(QString::fromUtf8(
            "<Element type=\"byte\" name=\"Фаза\" listid=\"indexof(phases)\" id=\"ph\"/>"
            "<Element type=\"byte\" name=\"Длительность\" phase=\"ph\"/>"));
        algorithm.setLayout(layout);
        algorithm.build(typeOf(layout), QByteArray::fromHex("0105010a"));
        connect(table, &QTableWidget::itemChanged, &algorithm, &AlgorithmTable::itemChanged);
        QCOMPARE(table->item(0, 0)->text(), ids.at(1));
        QCOMPARE(table->item(0, 1)->toolTip(), QStringLiteral("Minimum: 5 sec.\nMaximum: 40 sec."));
        table->item(0, 1)->setText(QStringLiteral("41"));
        QVERIFY(!algorithm.allCellsValid());
        QCOMPARE(table->item(0, 1)->background().color(), QColor(Qt::red));
        table->item(0, 1)->setText(QStringLiteral("40"));
        QVERIFY(algorithm.allCellsValid());
        // Another phase without limits: no tooltip, any byte is fine.
        table->item(0, 0)->setText(ids.at(0));
        QVERIFY(table->item(0, 1)->toolTip().isEmpty());
        QCOMPARE(algorithm.store(QByteArray::fromHex("0105ffff"), 1, 5).toHex(),
                 QByteArray("01050028"));
    }
};

PROJECT_TEST(TestAlgorithmTable);
#include "tst_algorithmtable.moc"

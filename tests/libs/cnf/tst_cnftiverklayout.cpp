#include "cnf/cnfcontroller.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnftiverklayout.h"
#include "testmain.h"

#include <QtTest>

namespace {

// Bytes an element takes in the raw program data: "byte" c, "word" 2c,
// anything else c; an array holds its children N times.
int elementSize(const QDomElement &element)
{
    const QString type = element.attribute(QStringLiteral("type"));
    const QStringList parts
        = type.split(QRegularExpression(QStringLiteral("[\\[\\]:]")), Qt::SkipEmptyParts);
    const int count = parts.size() > 1 ? parts.at(1).toInt() : 1;
    if (parts.value(0) == QLatin1String("array")) {
        int row = 0;
        for (QDomElement child = element.firstChildElement(QStringLiteral("Element"));
             !child.isNull(); child = child.nextSiblingElement(QStringLiteral("Element")))
            row += elementSize(child);
        return count * row;
    }
    return parts.value(0) == QLatin1String("word") ? 2 * count : count;
}

QDomElement programsChapter(const QDomDocument &layout)
{
    for (QDomElement chapter
         = layout.documentElement().firstChildElement(QStringLiteral("Chapter"));
         !chapter.isNull(); chapter = chapter.nextSiblingElement(QStringLiteral("Chapter"))) {
        if (chapter.attribute(QStringLiteral("id")) == QLatin1String("programs"))
            return chapter;
    }
    return {};
}

} // namespace

class TestCnfTiverkLayout : public QObject
{
    Q_OBJECT
private slots:
    void layoutPerFamily_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("kinds");
        QTest::addColumn<int>("sequenceColumn");
        QTest::addColumn<int>("size");
        QTest::newRow("3.14") << QStringLiteral("tiverk") << QStringLiteral("3.14") << 9 << 4 << 64;
        QTest::newRow("3.16") << QStringLiteral("tiverk") << QStringLiteral("3.16") << 11 << 4
                              << 64;
        // 3.17 keeps a byte more, behind the variant.
        QTest::newRow("3.17") << QStringLiteral("tiverk") << QStringLiteral("3.17") << 12 << 5
                              << 65;
        QTest::newRow("3.18") << QStringLiteral("tiverk") << QStringLiteral("3.18") << 12 << 5
                              << 64;
        QTest::newRow("adapter") << QStringLiteral("adapter") << QString() << 3 << 4 << 64;
    }

    void layoutPerFamily()
    {
        QFETCH(QString, type);
        QFETCH(QString, version);
        QFETCH(int, kinds);
        QFETCH(int, sequenceColumn);
        QFETCH(int, size);
        CnfController controller;
        controller.setProperty("type", type);
        controller.setProperty("version", version);
        const QDomDocument layout = controller.tiverkLayout();
        const QDomElement chapter = programsChapter(layout);
        QVERIFY(!chapter.isNull());

        // The record elements give the size of new raw data, which the
        // controller accepts.
        int recordSize = 0;
        for (QDomElement e = chapter.firstChildElement(QStringLiteral("Element")); !e.isNull();
             e = e.nextSiblingElement(QStringLiteral("Element")))
            recordSize += elementSize(e);
        QCOMPARE(recordSize, size);
        QCOMPARE(controller.programRecordSize(), size);
        auto program = CnfProgramPtr::create(&controller);
        QVERIFY(controller.setProgramRawData(program, QByteArray(recordSize, '\xff')));
        QVERIFY(!controller.setProgramRawData(program, QByteArray(recordSize + 1, '\xff')));

        QSet<QString> listIds;
        for (QDomElement list = layout.documentElement().firstChildElement(QStringLiteral("List"));
             !list.isNull(); list = list.nextSiblingElement(QStringLiteral("List")))
            listIds.insert(list.attribute(QStringLiteral("id")));

        int count = 0;
        for (QDomElement kind = chapter.firstChildElement(QStringLiteral("Type")); !kind.isNull();
             kind = kind.nextSiblingElement(QStringLiteral("Type")), ++count) {
            const int id = kind.attribute(QStringLiteral("id")).toInt();
            QCOMPARE(id, count);
            QCOMPARE(kind.attribute(QStringLiteral("name")),
                     CnfProgram::tiverkTypeName(id, version, true));
            int parameters = 0;
            QList<QDomElement> columns;
            for (QDomElement e = kind.firstChildElement(QStringLiteral("Element")); !e.isNull();
                 e = e.nextSiblingElement(QStringLiteral("Element"))) {
                parameters += elementSize(e);
                columns.append(e);
                const QString listId = e.attribute(QStringLiteral("listid"));
                bool numeric = false;
                if (listId.toInt(&numeric) != 0 && numeric)
                    QVERIFY(listIds.contains(listId));
            }
            QVERIFY2(parameters <= recordSize - 2,
                     qPrintable(kind.attribute(QStringLiteral("name"))));
            if (id == 2) {
                // Coordinated kind: variant first, then cycle, offset and sequence last.
                QCOMPARE(columns.size(), sequenceColumn + 1);
                QVERIFY(columns.first()
                            .attribute(QStringLiteral("name"))
                            .startsWith(QStringLiteral("Вариант промтакта")));
                QCOMPARE(columns.at(sequenceColumn - 2).attribute(QStringLiteral("name")),
                         QStringLiteral("Цикл"));
                QVERIFY(columns.at(sequenceColumn)
                            .attribute(QStringLiteral("type"))
                            .startsWith(QStringLiteral("array[")));
            }
        }
        QCOMPARE(count, kinds);
    }
};

PROJECT_TEST(TestCnfTiverkLayout);
#include "tst_cnftiverklayout.moc"

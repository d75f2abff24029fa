#include "modalanswerer.h"
#include "plivek/mainwindow/mainwindow.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QDialogButtonBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace WindowTesting;

// Each fixture under tests/data/references fills every place of its family
// that names an element, and gives every element an id that stands nowhere
// else in the file. So after a new id, the saved file must be the fixture with
// every occurrence of the old id replaced; after a Delete, only what holds the
// old id may have gone; after a Duplicate, only the copy may have come.

namespace {

enum class Operation { NewId, Delete, Duplicate };

struct Kind
{
    const char *table;
    const char *properties;
    const char *remove;
    const char *duplicate;
    const char *list; // the element list of a JSON family
};

Kind kindOf(const QString &name)
{
    if (name == QLatin1String("group"))
        return { "sgTable", "sgItemProperties", "sgDeleteItems", "sgDuplicateItems",
                 "signalGroups" };
    if (name == QLatin1String("phase"))
        return { "phasesTable", "phaseItemProperties", "phaseDeleteItems", nullptr, "phases" };
    if (name == QLatin1String("program"))
        return { "progTable", "programsItemProperties", "programsDeleteItems",
                 "programDuplicateItems", "programs" };
    if (name == QLatin1String("detector"))
        return { "detectorsTable", "detectorsItemProperties", "detectorsDeleteItems", nullptr,
                 "detectors" };
    if (name == QLatin1String("sensor"))
        return { "sensorsTable", "sensorsItemProperties", "sensorsDeleteItems", nullptr,
                 "sensors" };
    return { "outputsTable", "outputsItemProperties", "outputsDeleteItems", nullptr, "outputs" };
}

bool isJson(const QString &fixture)
{
    return fixture.endsWith(QLatin1String(".json"));
}

QJsonValue parsed(const QByteArray &bytes)
{
    return QJsonDocument::fromJson(bytes).object();
}

// Whether a scalar is the id, as a number or as a text.
bool isId(const QJsonValue &value, const QString &id)
{
    return (value.isDouble() && QString::number(value.toDouble()) == id)
        || (value.isString() && value.toString() == id);
}

// Whether the value holds the id anywhere, as a scalar or as a key.
bool holds(const QJsonValue &value, const QString &id)
{
    if (isId(value, id))
        return true;
    if (value.isArray()) {
        for (const QJsonValue &entry : value.toArray()) {
            if (holds(entry, id))
                return true;
        }
    }
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (it.key() == id || holds(it.value(), id))
                return true;
        }
    }
    return false;
}

// The value with every scalar and key that is the old id given the new one,
// a number as a number and a text as a text.
QJsonValue renamed(const QJsonValue &value, const QString &oldId, const QString &newId)
{
    if (value.isDouble() && isId(value, oldId))
        return newId.toDouble();
    if (value.isString() && isId(value, oldId))
        return newId;
    if (value.isArray()) {
        QJsonArray array;
        for (const QJsonValue &entry : value.toArray())
            array.append(renamed(entry, oldId, newId));
        return array;
    }
    if (value.isObject()) {
        QJsonObject object;
        const QJsonObject source = value.toObject();
        for (auto it = source.begin(); it != source.end(); ++it)
            object.insert(it.key() == oldId ? newId : it.key(), renamed(it.value(), oldId, newId));
        return object;
    }
    return value;
}

// Compares the fixture before a Delete with the saved file: whatever holds the
// id may have gone (an entry, a member, a list item, a whole node), nothing
// else may differ. Places that still hold the id go to `stays`, differences
// to `diffs`, each by its path.
void compareAfterDelete(const QJsonValue &before, const QJsonValue &after, const QString &id,
                        const QString &path, QStringList *stays, QStringList *diffs)
{
    if (isId(before, id)) {
        if (after == before)
            *stays << path;
        else
            *diffs << path;
        return;
    }
    if (before.isObject()) {
        if (!after.isObject()) {
            *diffs << path;
            return;
        }
        const QJsonObject b = before.toObject();
        const QJsonObject a = after.toObject();
        for (auto it = b.begin(); it != b.end(); ++it) {
            const QString at = path + QLatin1Char('/') + it.key();
            if (!a.contains(it.key())) {
                if (it.key() != id && !holds(it.value(), id))
                    *diffs << at;
                continue;
            }
            if (it.key() == id)
                *stays << at;
            compareAfterDelete(it.value(), a.value(it.key()), id, at, stays, diffs);
        }
        for (auto it = a.begin(); it != a.end(); ++it) {
            if (!b.contains(it.key()))
                *diffs << path + QLatin1Char('/') + it.key();
        }
        return;
    }
    if (before.isArray()) {
        if (!after.isArray()) {
            *diffs << path;
            return;
        }
        const QJsonArray b = before.toArray();
        const QJsonArray a = after.toArray();
        int j = 0;
        for (int i = 0; i < b.size(); ++i) {
            const QString at = path + QLatin1Char('/') + QString::number(i);
            QStringList entryStays;
            QStringList entryDiffs;
            if (j < a.size())
                compareAfterDelete(b.at(i), a.at(j), id, at, &entryStays, &entryDiffs);
            if (j < a.size() && entryDiffs.isEmpty()) {
                *stays << entryStays;
                ++j;
            } else if (!holds(b.at(i), id)) {
                *diffs << at;
            }
        }
        for (; j < a.size(); ++j)
            *diffs << path + QLatin1String("/+") + QString::number(j);
        return;
    }
    if (after != before)
        *diffs << path;
}

// The places that hold the id.
QStringList placesOf(const QJsonValue &value, const QString &id, const QString &path = QString())
{
    QStringList places;
    if (isId(value, id))
        places << path;
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (int i = 0; i < array.size(); ++i)
            places << placesOf(array.at(i), id, path + QLatin1Char('/') + QString::number(i));
    }
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (it.key() == id)
                places << path + QLatin1Char('/') + it.key();
            places << placesOf(it.value(), id, path + QLatin1Char('/') + it.key());
        }
    }
    return places;
}

// The paths at which two values differ.
QStringList differences(const QJsonValue &a, const QJsonValue &b, const QString &path = QString())
{
    if (a.isObject() && b.isObject()) {
        QStringList found;
        const QJsonObject x = a.toObject();
        const QJsonObject y = b.toObject();
        QStringList keys = x.keys() + y.keys();
        keys.removeDuplicates();
        for (const QString &key : qAsConst(keys))
            found << differences(x.value(key), y.value(key), path + QLatin1Char('/') + key);
        return found;
    }
    if (a.isArray() && b.isArray() && a.toArray().size() == b.toArray().size()) {
        QStringList found;
        for (int i = 0; i < a.toArray().size(); ++i)
            found << differences(a.toArray().at(i), b.toArray().at(i),
                                 path + QLatin1Char('/') + QString::number(i));
        return found;
    }
    if (a == b)
        return {};
    return { path + QLatin1String(": ")
             + QString::fromUtf8(QJsonDocument(QJsonArray { a }).toJson(QJsonDocument::Compact))
             + QLatin1String(" -> ")
             + QString::fromUtf8(QJsonDocument(QJsonArray { b }).toJson(QJsonDocument::Compact)) };
}

// The id standing alone in a text: not part of a longer number, word or hex string.
QRegularExpression token(const QString &id)
{
    return QRegularExpression(
        QStringLiteral("(?<![0-9A-Za-z])%1(?![0-9A-Za-z])").arg(QRegularExpression::escape(id)));
}

// Compares the lines of a text file before a Delete with the saved ones:
// lines may only have gone in runs that hold the id; the lines that still
// hold it go to `stays`.
void compareLinesAfterDelete(const QByteArray &before, const QByteArray &after, const QString &id,
                             QStringList *stays, QStringList *diffs)
{
    const QStringList b = QString::fromUtf8(before).split(QLatin1Char('\n'));
    const QStringList a = QString::fromUtf8(after).split(QLatin1Char('\n'));
    const QRegularExpression named = token(id);
    int j = 0;
    bool runHoldsId = false;
    QStringList run;
    const auto endRun = [&] {
        if (!run.isEmpty() && !runHoldsId)
            *diffs << run;
        run.clear();
        runHoldsId = false;
    };
    for (const QString &line : b) {
        if (j < a.size() && a.at(j) == line) {
            endRun();
            if (line.contains(named))
                *stays << line.trimmed();
            ++j;
            continue;
        }
        run << line.trimmed();
        runHoldsId = runHoldsId || line.contains(named);
    }
    endRun();
    for (; j < a.size(); ++j)
        *diffs << QStringLiteral("+") + a.at(j);
}

// Types the new id into the element dialog's id field and presses OK.
void giveNewId(QWidget *modal, const QString &newId)
{
    if (auto *number = modal->findChild<QSpinBox *>(QStringLiteral("number"))) {
        number->selectAll();
        QTest::keyClicks(number, newId);
    } else {
        auto *edit = modal->findChild<QLineEdit *>(QStringLiteral("number"));
        if (!edit)
            edit = modal->findChild<QLineEdit *>(QStringLiteral("progNum"));
        QVERIFY(edit);
        edit->clear();
        QTest::keyClicks(edit, newId);
    }
    // The program dialogs rebuild their program on OK only after their first
    // chart refresh, as they do for a user.
    auto *refresh = modal->findChild<QTimer *>(QStringLiteral("updateChartDelayTimer"));
    if (refresh && refresh->isActive())
        QSignalSpy(refresh, &QTimer::timeout).wait(1000);
    auto *buttons = modal->findChild<QDialogButtonBox *>();
    QVERIFY(buttons && buttons->button(QDialogButtonBox::Ok)->isEnabled());
    buttons->button(QDialogButtonBox::Ok)->click();
}

bool selectRowOfId(QTableWidget *table, const QString &id)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (cellText(table, row, 0) == id) {
            table->clearSelection();
            table->item(row, 0)->setSelected(true);
            return true;
        }
    }
    return false;
}

} // namespace

class TestReferencePlaces : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    // A writable copy of the fixture, opened in the window with every table filled.
    QString open(MainWindow &window, const QString &fixture)
    {
        const QString path = dir.filePath(fixture);
        QFile::remove(path);
        if (!QFile::copy(TestSupport::dataPath(QStringLiteral("references/") + fixture), path))
            return QString();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        window.loadDocument(path);
        if (!window.document().lastError().isEmpty())
            return QString();
        window.updateDetectorsTables();
        window.updateOutputsTable();
        return path;
    }

    // Saves the window's document; false when the save did not complete.
    static bool save(MainWindow &window)
    {
        window.setChanged(true);
        // A program with green conflicts asks first: save anyway.
        ModalAnswerer saveAnyway;
        saveAnyway.pressButton(QMessageBox::Yes);
        child<QAction>(window, "actionSave")->trigger();
        return messageTexts(window).contains(QStringLiteral("Saving complete"));
    }

private slots:
    void initTestCase() { actAsPlivek(dir); }

    void init() { clearSettings(); }

    // Every place of a fixture is read and written back as it stood: a place
    // the reader or the writer lost would escape the test below.
    void untouchedSave_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::newRow("TIVERK 3.18") << "tiverk318_filled.cnf";
        QTest::newRow("TIVERK II") << "tiverkii_filled.json";
        QTest::newRow("ZU_MOLT") << "zumolt_filled.json";
        QTest::newRow("adapter") << "adapter_filled.txt";
    }

    void untouchedSave()
    {
        QFETCH(QString, fixture);
        MainWindow window;
        const QString path = open(window, fixture);
        QVERIFY(!path.isEmpty());
        QVERIFY(save(window));
        const QByteArray original
            = TestSupport::readFile(TestSupport::dataPath(QStringLiteral("references/") + fixture));
        if (isJson(fixture))
            QCOMPARE(differences(parsed(original), parsed(TestSupport::readFile(path)))
                         .join(QLatin1Char('\n')),
                     QString());
        else
            QCOMPARE(TestSupport::readFile(path), original);
    }

    // An element given a new id, deleted or duplicated through the window,
    // and the whole file saved and read back.
    void everyPlace_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("operation");
        QTest::addColumn<QString>("newId");
        // Delete: the places that keep the old id, and what the question names.
        QTest::addColumn<QStringList>("stays");
        QTest::addColumn<QStringList>("question");
        // A behaviour of another part of the upkeep that this row waits for.
        QTest::addColumn<QString>("pending");
        const int newId = int(Operation::NewId);
        const int remove = int(Operation::Delete);
        const int duplicate = int(Operation::Duplicate);

        // TIVERK II
        QTest::newRow("TIVERK II group, new id")
            << "tiverkii_filled.json"
            << "group"
            << "61" << newId << "161" << QStringList() << QStringList() << QString();
        QTest::newRow("TIVERK II pedestrian group, new id")
            << "tiverkii_filled.json"
            << "group"
            << "63" << newId << "163" << QStringList() << QStringList() << QString();
        QTest::newRow("TIVERK II board group, new id")
            << "tiverkii_filled.json"
            << "group"
            << "62" << newId << "162" << QStringList() << QStringList() << QString();
        QTest::newRow("TIVERK II detector, new id")
            << "tiverkii_filled.json"
            << "detector"
            << "71" << newId << "171" << QStringList() << QStringList() << QString();
        QTest::newRow("TIVERK II sensor, new id")
            << "tiverkii_filled.json"
            << "sensor"
            << "81" << newId << "181" << QStringList() << QStringList() << QString();
        QTest::newRow("TIVERK II phase, new id")
            << "tiverkii_filled.json"
            << "phase"
            << "51" << newId << "151" << QStringList() << QStringList() << QString();
        QTest::newRow("TIVERK II program, new id")
            << "tiverkii_filled.json"
            << "program"
            << "33" << newId << "133" << QStringList() << QStringList() << QString();
        QTest::newRow("TIVERK II output, new id")
            << "tiverkii_filled.json"
            << "output"
            << "91" << newId << "191" << QStringList() << QStringList() << QString();

        QTest::newRow("TIVERK II group, Delete")
            << "tiverkii_filled.json"
            << "group"
            << "61" << remove << QString() << QStringList()
            << QStringList({ "from their parameters:\n35",
                             "countdown displays of the following signal groups will be "
                             "deleted:\n61" })
            << QString();
        QTest::newRow("TIVERK II pedestrian group, Delete")
            << "tiverkii_filled.json"
            << "group"
            << "63" << remove << QString() << QStringList()
            << QStringList({ "from their parameters:\n35",
                             "indication rows will have no signal group:\n1" })
            << QString();
        QTest::newRow("TIVERK II detector, Delete")
            << "tiverkii_filled.json"
            << "detector"
            << "71" << remove << QString() << QStringList() << QStringList() << QString();
        QTest::newRow("TIVERK II sensor, Delete")
            << "tiverkii_filled.json"
            << "sensor"
            << "81" << remove << QString() << QStringList() << QStringList() << QString();
        // Programs keep their steps and sequence entries of a deleted phase;
        // the question names them.
        QTest::newRow("TIVERK II phase, Delete")
            << "tiverkii_filled.json"
            << "phase"
            << "51" << remove << QString()
            << QStringList({ "/programs/0/steps/0/phase", "/programs/3/steps/0/phase",
                             "/programs/5/properties/sequence/0" })
            << QStringList({ "31", "34", "36" }) << QString();
        // Day cards keep their references to a deleted program; the question
        // names them.
        QTest::newRow("TIVERK II program, Delete")
            << "tiverkii_filled.json"
            << "program"
            << "33" << remove << QString()
            << QStringList({ "/dayCards/0/records/0/program", "/dayCards/0/records/1/reserve",
                             "/modules/Indication/0/plans/0" })
            << QStringList({ "daily cards",
                             "indication rows will name programs that do not "
                             "exist:\n1" })
            << QString();
        QTest::newRow("TIVERK II output, Delete")
            << "tiverkii_filled.json"
            << "output"
            << "91" << remove << QString() << QStringList() << QStringList() << QString();

        QTest::newRow("TIVERK II group, Duplicate")
            << "tiverkii_filled.json"
            << "group"
            << "61" << duplicate << QString() << QStringList() << QStringList() << QString();
        QTest::newRow("TIVERK II program, Duplicate")
            << "tiverkii_filled.json"
            << "program"
            << "35" << duplicate << QString() << QStringList() << QStringList() << QString();

        // ZU_MOLT
        QTest::newRow("ZU_MOLT group, new id")
            << "zumolt_filled.json"
            << "group"
            << "61" << newId << "161" << QStringList() << QStringList() << QString();
        QTest::newRow("ZU_MOLT stage, new id")
            << "zumolt_filled.json"
            << "phase"
            << "51" << newId << "151" << QStringList() << QStringList() << QString();
        QTest::newRow("ZU_MOLT detector, new id")
            << "zumolt_filled.json"
            << "detector"
            << "71" << newId << "171" << QStringList() << QStringList() << QString();
        QTest::newRow("ZU_MOLT group, Delete")
            << "zumolt_filled.json"
            << "group"
            << "63" << remove << QString() << QStringList()
            << QStringList({ "countdown displays of the following signal groups will be "
                             "deleted:\n63" })
            << QString();
        QTest::newRow("ZU_MOLT detector, Delete")
            << "zumolt_filled.json"
            << "detector"
            << "72" << remove << QString() << QStringList() << QStringList() << QString();

        // TIVERK 3.18
        QTest::newRow("TIVERK 3.18 group, new id")
            << "tiverk318_filled.cnf"
            << "group"
            << "61" << newId << "161" << QStringList() << QStringList() << QString();
        QTest::newRow("TIVERK 3.18 phase, new id")
            << "tiverk318_filled.cnf"
            << "phase"
            << "53" << newId << "153" << QStringList() << QStringList() << QString();
        QTest::newRow("TIVERK 3.18 detector, new id")
            << "tiverk318_filled.cnf"
            << "detector"
            << "73" << newId << "173" << QStringList() << QStringList() << QString();
        QTest::newRow("TIVERK 3.18 group, Delete")
            << "tiverk318_filled.cnf"
            << "group"
            << "66" << remove << QString() << QStringList()
            << QStringList({ "countdown displays of the following signal groups will be "
                             "deleted:\n66" })
            << QString();

        // adapter
        QTest::newRow("adapter group, new id")
            << "adapter_filled.txt"
            << "group"
            << "64" << newId << "164" << QStringList() << QStringList() << QString();
        QTest::newRow("adapter phase, new id")
            << "adapter_filled.txt"
            << "phase"
            << "52" << newId << "152" << QStringList() << QStringList() << QString();
    }

    void everyPlace()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, kind);
        QFETCH(QString, id);
        QFETCH(int, operation);
        QFETCH(QString, newId);
        QFETCH(QStringList, stays);
        QFETCH(QStringList, question);
        QFETCH(QString, pending);
        const Kind element = kindOf(kind);
        const QByteArray original
            = TestSupport::readFile(TestSupport::dataPath(QStringLiteral("references/") + fixture));
        QVERIFY(!original.isEmpty());
        QVERIFY2(newId.isEmpty() || !original.contains(newId.toUtf8()),
                 "the new id must be new to the fixture");

        MainWindow window;
        const QString path = open(window, fixture);
        QVERIFY(!path.isEmpty());
        QTableWidget *rows = table(window, element.table);
        QVERIFY2(selectRowOfId(rows, id), element.table);

        ModalAnswerer answerer;
        switch (Operation(operation)) {
        case Operation::NewId:
            answerer.answerWith([&newId](QWidget *modal) { giveNewId(modal, newId); });
            QVERIFY(QMetaObject::invokeMethod(&window, element.properties));
            QVERIFY(answerer.answered());
            break;
        case Operation::Delete:
            answerer.pressButton(QMessageBox::Yes);
            QVERIFY(QMetaObject::invokeMethod(&window, element.remove));
            break;
        case Operation::Duplicate:
            QVERIFY(element.duplicate);
            QVERIFY(QMetaObject::invokeMethod(&window, element.duplicate));
            break;
        }
        for (const QString &name : qAsConst(question))
            QVERIFY2(
                answerer.seenText().contains(name),
                qPrintable(
                    QStringLiteral("The question names no %1: %2").arg(name, answerer.seenText())));
        QVERIFY(save(window));
        const QByteArray saved = TestSupport::readFile(path);
        MainWindow reopened;
        reopened.loadDocument(path);
        QVERIFY(reopened.document().lastError().isEmpty());

        if (!isJson(fixture)) {
            switch (Operation(operation)) {
            case Operation::NewId: {
                const QString expected = QString::fromUtf8(original).replace(token(id), newId);
                if (!pending.isEmpty())
                    QEXPECT_FAIL("", qPrintable(pending), Continue);
                QCOMPARE(QString::fromUtf8(saved).split(QLatin1Char('\n')),
                         expected.split(QLatin1Char('\n')));
                break;
            }
            case Operation::Delete: {
                QStringList kept;
                QStringList diffs;
                compareLinesAfterDelete(original, saved, id, &kept, &diffs);
                QCOMPARE(diffs.join(QLatin1Char('\n')), QString());
                if (!pending.isEmpty())
                    QEXPECT_FAIL("", qPrintable(pending), Continue);
                QCOMPARE(kept.join(QLatin1Char('\n')), stays.join(QLatin1Char('\n')));
                break;
            }
            case Operation::Duplicate:
                QFAIL("no duplicate rows for text families");
            }
            return;
        }

        const QJsonValue before = parsed(original);
        const QJsonValue after = parsed(saved);
        QVERIFY(after.isObject());
        switch (Operation(operation)) {
        case Operation::NewId:
            if (!pending.isEmpty())
                QEXPECT_FAIL("", qPrintable(pending), Continue);
            QCOMPARE(differences(renamed(before, id, newId), after).join(QLatin1Char('\n')),
                     QString());
            break;
        case Operation::Delete: {
            QStringList kept;
            QStringList diffs;
            compareAfterDelete(before, after, id, QString(), &kept, &diffs);
            QCOMPARE(diffs.join(QLatin1Char('\n')), QString());
            if (!pending.isEmpty())
                QEXPECT_FAIL("", qPrintable(pending), Continue);
            QCOMPARE(kept.join(QLatin1Char('\n')), stays.join(QLatin1Char('\n')));
            break;
        }
        case Operation::Duplicate: {
            // The copy is the one new item of the element list; without it
            // the file is the fixture, and nothing names the copy that named
            // no element of its id before.
            QJsonObject root = after.toObject();
            QJsonArray list = root.value(QLatin1String(element.list)).toArray();
            const QJsonArray listBefore
                = before.toObject().value(QLatin1String(element.list)).toArray();
            QCOMPARE(list.size(), listBefore.size() + 1);
            const QJsonValue copy = list.takeAt(listBefore.size());
            root.insert(QLatin1String(element.list), list);
            QCOMPARE(differences(before, root).join(QLatin1Char('\n')), QString());
            const QString copyId
                = copy.toObject().value(QLatin1String("id")).toVariant().toString();
            QVERIFY(!copyId.isEmpty() && copyId != id);
            QCOMPARE(placesOf(root, copyId), placesOf(before, copyId));
            break;
        }
        }
    }
};

PROJECT_TEST(TestReferencePlaces);
#include "tst_referenceplaces.moc"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramrecord.h"
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
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <functional>

using namespace WindowTesting;

// Each fixture under tests/data/references fills every place of its family
// that names an element, and gives every element an id that stands nowhere
// else in the file. So after a new id, the saved file must be the fixture with
// every occurrence of the old id replaced; after a Delete or a Duplicate, it
// must be the fixture with exactly the edits its row lists.

namespace {

// RefusedId: a new id that the window must refuse, leaving the file as it was.
// NewIdAndBack: a new id and then the old one again, after which the save must
// give the bytes of an untouched save. Opened: the file opened and saved as it
// is, the messages then naming lines of the load. NewName: a new name typed
// into the element's dialog; NewNameAndBack: and then the old one again.
enum class Operation {
    NewId,
    Delete,
    Duplicate,
    RefusedId,
    NewIdAndBack,
    Opened,
    NewName,
    NewNameAndBack
};

struct Kind
{
    const char *table;
    const char *properties;
    const char *remove;
    const char *duplicate;
    const char *list; // the element list of TIVERK II
    const char *zuMoltList; // and of ZU_MOLT
};

Kind kindOf(const QString &name)
{
    if (name == QLatin1String("group"))
        return { "sgTable",          "sgItemProperties", "sgDeleteItems",
                 "sgDuplicateItems", "signalGroups",     "signalGroups/items" };
    if (name == QLatin1String("phase"))
        return { "phasesTable", "phaseItemProperties", "phaseDeleteItems", nullptr, "phases",
                 "stages" };
    if (name == QLatin1String("program"))
        return { "progTable",
                 "programsItemProperties",
                 "programsDeleteItems",
                 "programDuplicateItems",
                 "programs",
                 "plans" };
    if (name == QLatin1String("detector"))
        return { "detectorsTable", "detectorsItemProperties", "detectorsDeleteItems", nullptr,
                 "detectors",      "detectors/items" };
    if (name == QLatin1String("sensor"))
        return { "sensorsTable", "sensorsItemProperties", "sensorsDeleteItems", nullptr, "sensors",
                 "sensors" };
    return { "outputsTable", "outputsItemProperties", "outputsDeleteItems", nullptr, "outputs",
             nullptr };
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

// The path's segments ("/programs/0/steps" -> programs, 0, steps).
QStringList segmentsOf(const QString &path)
{
    return path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

// The value at the segments' place (undefined where there is none).
QJsonValue valueAt(const QJsonValue &value, const QStringList &segments)
{
    QJsonValue at = value;
    for (const QString &segment : segments)
        at = at.isArray() ? at.toArray().at(segment.toInt()) : at.toObject().value(segment);
    return at;
}

// The value with `replacement` at the segments' place (invalid: taken out,
// an array item with the items behind it moving up).
QJsonValue edited(const QJsonValue &value, const QStringList &segments,
                  const QJsonValue &replacement, bool *found)
{
    if (segments.isEmpty()) {
        *found = true;
        return replacement;
    }
    const QString key = segments.first();
    const QStringList rest = segments.mid(1);
    if (value.isObject()) {
        QJsonObject object = value.toObject();
        if (!object.contains(key))
            return value;
        const QJsonValue entry = edited(object.value(key), rest, replacement, found);
        if (entry.isUndefined())
            object.remove(key);
        else
            object.insert(key, entry);
        return object;
    }
    QJsonArray array = value.toArray();
    bool number = false;
    const int index = key.toInt(&number);
    if (!value.isArray() || !number || index < 0 || index >= array.size())
        return value;
    const QJsonValue entry = edited(array.at(index), rest, replacement, found);
    if (entry.isUndefined())
        array.removeAt(index);
    else
        array.replace(index, entry);
    return array;
}

// Whether path a comes behind path b: removals run from the back, so that
// the indexes of the edits name the fixture's items.
bool behind(const QString &a, const QString &b)
{
    const QStringList x = segmentsOf(a);
    const QStringList y = segmentsOf(b);
    for (int i = 0; i < qMin(x.size(), y.size()); ++i) {
        bool xNumber = false;
        bool yNumber = false;
        const int xIndex = x.at(i).toInt(&xNumber);
        const int yIndex = y.at(i).toInt(&yNumber);
        if (xNumber && yNumber && xIndex != yIndex)
            return xIndex > yIndex;
        if (x.at(i) != y.at(i))
            return x.at(i) > y.at(i);
    }
    return x.size() > y.size();
}

// The fixture with a Delete's edits, each naming a place of the fixture:
// "-/path" takes the member or list item out, "/path=<JSON>" gives it a new
// value. Edits naming no place of the fixture go to `unknown`.
QJsonValue expectedAfterEdits(const QJsonValue &fixture, const QStringList &edits,
                              QStringList *unknown)
{
    QJsonValue result = fixture;
    QStringList removals;
    for (const QString &edit : edits) {
        if (edit.startsWith(QLatin1Char('-'))) {
            removals << edit.mid(1);
            continue;
        }
        const int split = edit.indexOf(QLatin1Char('='));
        const QJsonDocument value
            = QJsonDocument::fromJson('[' + edit.mid(split + 1).toUtf8() + ']');
        bool found = false;
        if (split > 0 && value.isArray())
            result = edited(result, segmentsOf(edit.left(split)), value.array().at(0), &found);
        if (!found)
            *unknown << edit;
    }
    std::sort(removals.begin(), removals.end(), behind);
    for (const QString &path : qAsConst(removals)) {
        bool found = false;
        result = edited(result, segmentsOf(path), QJsonValue::Undefined, &found);
        if (!found)
            *unknown << QLatin1Char('-') + path;
    }
    return result;
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
    const auto shown = [](const QJsonValue &value) {
        if (value.isUndefined())
            return QStringLiteral("(absent)");
        const QByteArray json = QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact);
        return QString::fromUtf8(json.mid(1, json.size() - 2));
    };
    return { path + QLatin1String(": ") + shown(a) + QLatin1String(" -> ") + shown(b) };
}

// The id standing alone in a text: not part of a longer number, word or hex string.
QRegularExpression token(const QString &id)
{
    return QRegularExpression(
        QStringLiteral("(?<![0-9A-Za-z])%1(?![0-9A-Za-z])").arg(QRegularExpression::escape(id)));
}

// The lines that differ between two texts, in the order of the texts: "-"
// and a line of the first that the second lacks, "+" and a line only the
// second has, each without its indentation (a longest common subsequence).
QStringList lineDiff(const QByteArray &before, const QByteArray &after)
{
    const QStringList b = QString::fromUtf8(before).split(QLatin1Char('\n'));
    const QStringList a = QString::fromUtf8(after).split(QLatin1Char('\n'));
    // common[i][j]: the length of the longest common subsequence of b[i..] and a[j..].
    std::vector<std::vector<int>> common(b.size() + 1, std::vector<int>(a.size() + 1, 0));
    for (int i = b.size() - 1; i >= 0; --i) {
        for (int j = a.size() - 1; j >= 0; --j)
            common[i][j] = b.at(i) == a.at(j) ? common[i + 1][j + 1] + 1
                                              : qMax(common[i + 1][j], common[i][j + 1]);
    }
    QStringList diff;
    int i = 0;
    int j = 0;
    while (i < b.size() || j < a.size()) {
        if (i < b.size() && j < a.size() && b.at(i) == a.at(j)) {
            ++i;
            ++j;
        } else if (j == a.size() || (i < b.size() && common[i + 1][j] >= common[i][j + 1])) {
            diff << QLatin1Char('-') + b.at(i++).trimmed();
        } else {
            diff << QLatin1Char('+') + a.at(j++).trimmed();
        }
    }
    return diff;
}

// Presses the element dialog's OK; `refused` fails the test when OK is off.
void pressOk(QWidget *modal, const char *refused)
{
    // The program dialogs rebuild their program on OK only after their first
    // chart refresh, as they do for a user.
    auto *refresh = modal->findChild<QTimer *>(QStringLiteral("updateChartDelayTimer"));
    if (refresh && refresh->isActive())
        QSignalSpy(refresh, &QTimer::timeout).wait(1000);
    auto *buttons = modal->findChild<QDialogButtonBox *>();
    const bool accepts = buttons && buttons->button(QDialogButtonBox::Ok)->isEnabled();
    if (!accepts) {
        // Closed, so that the test goes on to report it.
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    }
    QVERIFY2(accepts, refused);
    buttons->button(QDialogButtonBox::Ok)->click();
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
    pressOk(modal, "the dialog does not take the new id");
}

// Types the new name into the element dialog's name field and presses OK.
void giveNewName(QWidget *modal, const QString &newName)
{
    auto *edit = modal->findChild<QLineEdit *>(QStringLiteral("name"));
    if (!edit)
        edit = modal->findChild<QLineEdit *>(QStringLiteral("progName"));
    QVERIFY(edit);
    edit->clear();
    QTest::keyClicks(edit, newName);
    pressOk(modal, "the dialog does not take the new name");
}

// Runs an element's properties dialog through the window's slot, `fill`
// typing into it and pressing OK. What comes after its OK (a refusal, a
// question) is answered with `answer` where it offers that button, else
// closed, and the dialog too when it stays open; `followed` gets its texts.
void runPropertiesDialog(MainWindow &window, const char *slot,
                         const std::function<void(QWidget *)> &fill,
                         QMessageBox::StandardButton answer, QStringList *followed)
{
    ModalAnswerer answerer;
    ModalAnswerer follow;
    QPointer<QWidget> dialog;
    std::function<void(QWidget *)> answerFollowing = [&](QWidget *next) {
        if (next == dialog) {
            // Still the dialog itself: wait for what comes next.
            follow.answerWith(answerFollowing);
            return;
        }
        auto *box = qobject_cast<QMessageBox *>(next);
        *followed << (box ? box->text() : next->windowTitle());
        if (box && box->button(answer))
            box->button(answer)->click();
        else if (auto *other = qobject_cast<QDialog *>(next))
            other->reject();
        if (auto *element = qobject_cast<QDialog *>(dialog.data()); element && element->isVisible())
            element->reject();
    };
    answerer.answerWith([&](QWidget *modal) {
        dialog = modal;
        follow.answerWith(answerFollowing);
        fill(modal);
    });
    QVERIFY(QMetaObject::invokeMethod(&window, slot));
    QVERIFY(answerer.answered());
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

const QString TiverkII = QStringLiteral("tiverkii_filled.json");
const QString ZuMolt = QStringLiteral("zumolt_filled.json");
const QString Tiverk318 = QStringLiteral("tiverk318_filled.cnf");
const QString Adapter = QStringLiteral("adapter_filled.txt");
// Coordinated TIVERK 3.18 programs whose steps a phase Delete changes: 92
// with a step of no own length, 95 with a step of 250 s.
const QString Tiverk318Steps = QStringLiteral("tiverk318_steps.cnf");

// One row of everyPlace. `edits` are the differences the saved file must
// show against the fixture after a Delete or Duplicate: JSON edits for the
// JSON families (see expectedAfterEdits), the line diff for the text ones
// (see lineDiff); `question` the texts the Delete's question must hold,
// `messages` the texts that the new lines of the message table (or a message
// box after the element dialog) must hold.
void addRow(const QString &fixture, const QString &kind, const QString &id, Operation operation,
            const QString &newId, const QStringList &edits = {}, const QStringList &question = {},
            const QStringList &messages = {})
{
    static const QMap<QString, QString> families {
        { TiverkII, QStringLiteral("TIVERK II") },
        { ZuMolt, QStringLiteral("ZU_MOLT") },
        { Tiverk318, QStringLiteral("TIVERK 3.18") },
        { Adapter, QStringLiteral("adapter") },
        { Tiverk318Steps, QStringLiteral("TIVERK 3.18 steps") },
    };
    static const char *const operations[]
        = { "new id",          "Delete", "Duplicate", "new id refused",
            "new id and back", "opened", "new name",  "new name and back" };
    QString name = QStringLiteral("%1 %2 %3, %4")
                       .arg(families.value(fixture), kind, id, operations[int(operation)]);
    // An element may be given more than one new name.
    if (operation == Operation::NewName)
        name += QStringLiteral(" \"%1\"").arg(newId);
    QTest::newRow(qPrintable(name))
        << fixture << kind << id << int(operation) << newId << edits << question << messages;
}

void addNewId(const QString &fixture, const QString &kind, const QString &id, const QString &newId,
              const QStringList &edits = {})
{
    addRow(fixture, kind, id, Operation::NewId, newId, edits);
}

// `places`: texts the refusal must hold.
void addRefusedId(const QString &fixture, const QString &kind, const QString &id,
                  const QString &newId, const QStringList &places)
{
    addRow(fixture, kind, id, Operation::RefusedId, newId, {}, {}, places);
}

void addDelete(const QString &fixture, const QString &kind, const QString &id,
               const QStringList &edits, const QStringList &question = {},
               const QStringList &messages = {})
{
    addRow(fixture, kind, id, Operation::Delete, QString(), edits, question, messages);
}

// `copyId`: the id the copy must get (empty: any new one). `edits`: for the
// JSON families what the copy differs by from its source besides its id and
// name, in the source's paths (see expectedAfterEdits).
void addDuplicate(const QString &fixture, const QString &kind, const QString &id,
                  const QString &copyId = {}, const QStringList &edits = {})
{
    addRow(fixture, kind, id, Operation::Duplicate, copyId, edits);
}

void addNewIdAndBack(const QString &fixture, const QString &kind, const QString &id,
                     const QString &newId)
{
    addRow(fixture, kind, id, Operation::NewIdAndBack, newId);
}

// `kept`: the places that hold the old name and keep it (the name of an
// element of another kind), as JSON paths, or for the text families the
// lines that keep it; `messages`: texts of the message lines.
void addNewName(const QString &fixture, const QString &kind, const QString &id,
                const QString &newName, const QStringList &kept = {},
                const QStringList &messages = {})
{
    addRow(fixture, kind, id, Operation::NewName, newName, kept, {}, messages);
}

void addNewNameAndBack(const QString &fixture, const QString &kind, const QString &id,
                       const QString &newName)
{
    addRow(fixture, kind, id, Operation::NewNameAndBack, newName);
}

// The value with every text that is the old name given the new one, but at
// the paths of `kept`.
QJsonValue withNewName(const QJsonValue &value, const QString &oldName, const QString &newName,
                       const QStringList &kept, const QString &path = QString())
{
    if (kept.contains(path))
        return value;
    if (value.isString() && value.toString() == oldName)
        return newName;
    if (value.isArray()) {
        QJsonArray array;
        const QJsonArray source = value.toArray();
        for (int i = 0; i < source.size(); ++i)
            array.append(withNewName(source.at(i), oldName, newName, kept,
                                     path + QLatin1Char('/') + QString::number(i)));
        return array;
    }
    if (value.isObject()) {
        QJsonObject object;
        const QJsonObject source = value.toObject();
        for (auto it = source.begin(); it != source.end(); ++it)
            object.insert(it.key(),
                          withNewName(it.value(), oldName, newName, kept,
                                      path + QLatin1Char('/') + it.key()));
        return object;
    }
    return value;
}

// `kind` and `id`: the part of the file the load's lines are about;
// `messages`: texts the message table must hold after the load.
void addOpened(const QString &fixture, const QString &kind, const QString &id,
               const QStringList &messages)
{
    addRow(fixture, kind, id, Operation::Opened, QString(), {}, {}, messages);
}

// What the TIVERK 3.x and adapter records of the controller's programs state
// against their steps: per program whose record holds a sequence, each row's
// phase and duration where the step's own length differs from it, and the
// cycle where it is not the sum of the steps' full lengths.
QStringList recordsAgainstSteps(const CnfController &controller)
{
    QStringList found;
    const QDomDocument layout = controller.tiverkLayout();
    for (const CnfProgramPtr &program : controller.programs()) {
        if (program->type != CnfProgram::Tiverk || program->data().isEmpty())
            continue;
        const QStringList phaseIds = CnfProgramRecord::phaseIds(controller, *program);
        QList<CnfProgramRecord::Step> steps;
        if (CnfProgramRecord::readSteps(layout, program->data(), &steps)) {
            QStringList record;
            QStringList own;
            for (const CnfProgramRecord::Step &step : qAsConst(steps)) {
                const CnfPhaseDefPtr def = program->phaseDefAt(own.size());
                record << QStringLiteral("%1 %2")
                              .arg(phaseIds.value(step.phase, QStringLiteral("?")))
                              .arg(step.duration);
                own << (def ? QStringLiteral("%1 %2").arg(def->id()).arg(
                            step.duration < 0 ? -1 : def->length())
                            : QStringLiteral("none"));
            }
            for (int i = own.size(); i < program->phaseCount(); ++i)
                own << QStringLiteral("%1 %2")
                           .arg(program->phaseDefAt(i)->id())
                           .arg(program->phaseDefAt(i)->length());
            if (record != own)
                found << QStringLiteral("program %1: the record's steps %2, its steps %3")
                             .arg(program->id, record.join(QLatin1Char(',')),
                                  own.join(QLatin1Char(',')));
        }
        const int cycle = CnfProgramRecord::readCycle(layout, program->data());
        if (cycle >= 0 && program->phaseCount() > 0 && cycle != program->cycle(true))
            found << QStringLiteral("program %1: the record's cycle %2, its steps make %3")
                         .arg(program->id)
                         .arg(cycle)
                         .arg(program->cycle(true));
    }
    return found;
}

// One step of textNamingTwo: an element given a new name through its dialog,
// the question (if one comes) answered Yes or No; without a new name, a Delete.
struct Step
{
    QString kind;
    QString id;
    QString newName;
    bool yes = false;
};

Step newName(const char *kind, const char *id, const QString &name, bool yes)
{
    return { QLatin1String(kind), QLatin1String(id), name, yes };
}

Step deletion(const char *kind, const char *id)
{
    return { QLatin1String(kind), QLatin1String(id), QString(), false };
}

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class TestReferencePlaces : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    // A writable copy of the fixture, opened in the window with every table filled.
    QString open(MainWindow &window, const QString &fixture, const QString &copyName = {})
    {
        const QString path = dir.filePath(copyName.isEmpty() ? fixture : copyName);
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
        QTest::newRow("TIVERK 3.18") << Tiverk318;
        QTest::newRow("TIVERK II") << TiverkII;
        QTest::newRow("ZU_MOLT") << ZuMolt;
        QTest::newRow("adapter") << Adapter;
        QTest::newRow("TIVERK 3.18 steps") << Tiverk318Steps;
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
            QCOMPARE(lineDiff(original, TestSupport::readFile(path)).join(QLatin1Char('\n')),
                     QString());
    }

    // An element given a new id, deleted or duplicated through the window,
    // the whole file saved, read back and saved again.
    void everyPlace_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("operation");
        QTest::addColumn<QString>("newId");
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QStringList>("question");
        QTest::addColumn<QStringList>("messages");

        // TIVERK II
        for (const char *group : { "61", "62", "63", "64" })
            addNewId(TiverkII, "group", group, QLatin1Char('1') + QLatin1String(group));
        for (const char *detector : { "71", "72", "73", "74", "75", "76" })
            addNewId(TiverkII, "detector", detector, QLatin1Char('1') + QLatin1String(detector));
        addNewId(TiverkII, "sensor", "81", "181");
        addNewId(TiverkII, "sensor", "83", "183");
        addNewId(TiverkII, "phase", "51", "151");
        addNewId(TiverkII, "phase", "52", "152");
        addNewId(TiverkII, "program", "33", "133");
        addNewId(TiverkII, "program", "36", "136");
        addNewId(TiverkII, "output", "91", "191");
        addNewId(TiverkII, "output", "93", "193");
        addDelete(TiverkII, "group", "61",
                  { "-/signalGroups/0", "-/phases/0/signalGroups/0",
                    "-/phases/1/transitions/51/greenEnd/61", "-/matrices/0/cells/0",
                    "-/matrices/0/cells/1", "-/programs/1/timeline/61",
                    "-/programs/4/properties/crosswalks/0/groups", "-/modules/Countdowns/items/0" },
                  { "from their parameters:\n35",
                    "countdown displays of the following signal groups will be deleted:\n61" });
        addDelete(
            TiverkII, "group", "63",
            { "-/signalGroups/2", "-/phases/1/signalGroups/1", "-/matrices/0/cells/2",
              "-/programs/4/properties/crosswalks/0/pedestrians/0",
              "-/modules/Indication/0/signalGroup" },
            { "from their parameters:\n35", "indication rows will have no signal group:\n1" });
        addDelete(
            TiverkII, "group", "64",
            { "-/signalGroups/3", "-/phases/0/signalGroups/1", "-/matrices/0/cells/2",
              "-/programs/4/properties/crosswalks/0/pedestrians/1",
              "-/programs/4/properties/crosswalks/1/pedestrians", "-/modules/Countdowns/items/1",
              "-/modules/Indication/2/signalGroup" },
            { "from their parameters:\n35", "indication rows will have no signal group:\n3" });
        // The programs that lose the detector are named in the message table.
        addDelete(TiverkII, "detector", "71",
                  { "-/detectors/0", "-/modules/SystemBus/devices/DIO2/channels/0",
                    "-/modules/Keyboard/channels/0/detector", "-/sensors/1/properties/detector",
                    "-/programs/3/properties/conditions/0/detector",
                    "-/programs/4/properties/crosswalks/0/detectors/0" },
                  {}, { "34", "35" });
        // A "DetectorySensor" naming the detector by name loses it as one
        // naming it by id does.
        addDelete(TiverkII, "detector", "72",
                  { "-/detectors/1", "-/modules/SystemBus/devices/DIO2/channels/2",
                    "-/modules/Signal/channels/0/detector", "-/modules/AzimuthSSE/0/sensors/1",
                    "-/programs/4/properties/crosswalks/0/detectors/1",
                    "-/sensors/3/properties/detector" });
        addDelete(TiverkII, "detector", "73",
                  { "-/detectors/2", "-/modules/SystemBus/devices/DIO3/channels/0/detector",
                    "-/modules/TrafiCam/0/channels/0", "-/modules/Citilog/0/cams/0/channels/0" });
        addDelete(TiverkII, "detector", "74",
                  { "-/detectors/3", "-/modules/TrafficStream/0/channels/0",
                    "-/programs/4/properties/crosswalks/1/detectors" });
        addDelete(TiverkII, "detector", "75",
                  { "-/detectors/4", "-/modules/SmartMicro/sensors/0/channels/0" });
        // The Azimuth camera goes with its last channel.
        addDelete(TiverkII, "detector", "76",
                  { "-/detectors/5", "-/modules/AzimuthSSE/0/sensors/0" });
        addDelete(TiverkII, "sensor", "81",
                  { "-/sensors/0", "-/modules/SystemBus/devices/DIO2/channels/1",
                    "-/modules/Keyboard/channels/0/sensor", "-/modules/Signal/channels/0/sensor",
                    "-/programs/3/properties/conditions/1/sensor",
                    "-/programs/4/properties/crosswalks/0/sensors" },
                  {}, { "34", "35" });
        addDelete(TiverkII, "sensor", "83",
                  { "-/sensors/2", "-/modules/SystemBus/devices/DIO3/channels/0/sensor",
                    "-/modules/TrafiCam/0/channels/1", "-/modules/Priority/channels/0",
                    "-/programs/4/properties/crosswalks/1/sensors" });
        // Programs keep their steps and sequence entries of a deleted phase;
        // the question names them.
        addDelete(TiverkII, "phase", "51", { "-/phases/0", "-/phases/1/transitions" },
                  { "31", "34", "36" });
        // Day cards and indication rows keep their references to a deleted
        // program; the question names them.
        addDelete(TiverkII, "program", "33", { "-/programs/2", "-/defaults/reserveProgram" },
                  { "daily cards", "indication rows will name programs that do not exist:\n1" });
        addDelete(TiverkII, "output", "91",
                  { "-/outputs/0", "-/modules/SystemBus/devices/DIO1/channels/0",
                    "-/modules/Indication/0/red" });
        addDelete(TiverkII, "output", "93",
                  { "-/outputs/2", "-/modules/SystemBus/devices/DIO4/channels/0" });
        // The copy of a group has no power devices.
        addDuplicate(TiverkII, "group", "61", {}, { "-/devices" });
        // A day card names program 1, which the file does not have: the
        // copy takes the next free id.
        addDuplicate(TiverkII, "program", "35", "2");
        // Places that name the element by number refuse a text id.
        addRefusedId(TiverkII, "program", "33", "N3",
                     { "ndication row 1 names program 33 by its number" });
        addRefusedId(TiverkII, "phase", "51", "A1",
                     { "36 lists phase 51 in its sequence by its number" });

        // ZU_MOLT
        addNewId(ZuMolt, "group", "61", "161");
        addNewId(ZuMolt, "group", "63", "163");
        addNewId(ZuMolt, "phase", "51", "151");
        addNewId(ZuMolt, "phase", "52", "152");
        addNewId(ZuMolt, "detector", "71", "171");
        addNewId(ZuMolt, "detector", "72", "172");
        addNewId(ZuMolt, "sensor", "81", "181");
        addNewId(ZuMolt, "program", "13", "113");
        addNewId(ZuMolt, "program", "14", "114");
        addDelete(ZuMolt, "group", "61",
                  { "-/signalGroups/items/0", "-/stages/0/groups/0",
                    // Its conflict points were the matrix's last: "IGM" goes, as zumoltc
                    // writes no matrix without one.
                    "-/IGM", "-/plans/2/algorithm/sequences/0", "-/switches/items/0/signalGroup",
                    "-/switches/items/3/signalGroup", "-/countdownBoards/items/0",
                    "-/extraMatrices/0/cells" },
                  { "countdown displays of the following signal groups will be deleted:\n61" });
        addDelete(ZuMolt, "group", "63",
                  { "-/signalGroups/items/2", "-/stages/0/groups/1", "-/stages/1/groups/1",
                    "-/switches/items/2/signalGroup", "-/countdownBoards/items/1",
                    "-/extraMatrices/0/cells" },
                  { "countdown displays of the following signal groups will be deleted:\n63" });
        addDelete(ZuMolt, "detector", "71",
                  { "-/detectors/items/0", "-/inputsOutputs/DIO1/channels/0/detector",
                    "-/plans/3/algorithm/detectors/0/detector" });
        addDelete(ZuMolt, "detector", "72",
                  { "-/detectors/items/1", "-/plans/3/algorithm/detectors/0/indicator" });
        addDelete(ZuMolt, "sensor", "81", { "-/sensors" });
        addDelete(ZuMolt, "program", "14",
                  { "-/plans/3", "-/scheduler/default/program",
                    "/remoteControlPanel/VPU1/programId/0=null" },
                  { "daily cards" });
        // The plan phases that ran the stage go, with the detector records on
        // them and their sequence entries; a call of them is not set. The
        // question names the plan.
        addDelete(ZuMolt, "phase", "51",
                  { "-/stages/0", "-/plans/3/algorithm/phases/0",
                    "-/plans/3/algorithm/phases/1/call", "-/plans/3/algorithm/detectors",
                    "-/plans/3/algorithm/sequence/0", "/remoteControlPanel/VPU1/stageId/0=null" },
                  { "14" });
        addRefusedId(ZuMolt, "phase", "51", "S1",
                     { "remote control panel names phase 51 by its number" });
        addDuplicate(ZuMolt, "group", "61");
        addDuplicate(ZuMolt, "program", "13");

        // TIVERK 3.18
        for (const char *group : { "61", "63", "66" })
            addNewId(Tiverk318, "group", group, QLatin1Char('1') + QLatin1String(group));
        for (const char *detector : { "71", "72", "73", "74" })
            addNewId(Tiverk318, "detector", detector, QLatin1Char('1') + QLatin1String(detector));
        addNewId(Tiverk318, "sensor", "81", "181");
        addNewId(Tiverk318, "sensor", "82", "182");
        addNewId(Tiverk318, "phase", "51", "151");
        addNewId(Tiverk318, "phase", "53", "153",
                 { "-<Data>"
                   "5e04010101350f00fffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                   "fffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                   "+<Data>"
                   "5e04010101990f00fffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                   "fffffffffffffffffffffffffffffffffffffffffffffffff</Data>" });
        addNewId(Tiverk318, "phase", "54", "154");
        // A kind-4 record calls the phase by its number.
        addRefusedId(Tiverk318, "phase", "53", "C3", { "94 calls phase 53 by its number" });
        // The central-system link names the phase by its number, 0 to 99:
        // it follows a new id and goes with the phase.
        addNewId(Tiverk318, "phase", "52", "59");
        addDelete(Tiverk318, "phase", "52",
                  { "-<Phase id=\"52\" name=\"Main left turn\" min=\"6\" max=\"20\">",
                    "-<Group id=\"61\"/>",
                    "-<Group id=\"65\"/>",
                    "-<Transition from=\"51\" length=\"5\">",
                    "-<End sg=\"62\" at=\"2\"/>",
                    "-<End sg=\"67\" at=\"1\"/>",
                    "-<Start sg=\"65\" at=\"4\"/>",
                    "-</Transition>",
                    "-</Phase>",
                    "-<Phase phase=\"52\" length=\"17\" main=\"8\" start=\"0\"/>",
                    "-<Phase phase=\"51\" length=\"42\" main=\"35\" start=\"0\"/>",
                    "+<Phase phase=\"52\" length=\"15\" main=\"8\" start=\"0\"/>",
                    "+<Phase phase=\"51\" length=\"37\" main=\"35\" start=\"0\"/>",
                    "-<Data>"
                    "5b0101010800230214030affffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "+<Data>"
                    "5b0101030800230114020affffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "-<Phase phase=\"52\" length=\"22\" main=\"12\" start=\"0\"/>",
                    "-<Phase phase=\"51\" length=\"57\" main=\"50\" start=\"0\"/>",
                    "+<Phase phase=\"52\" length=\"22\" main=\"14\" start=\"0\"/>",
                    "+<Phase phase=\"51\" length=\"57\" main=\"55\" start=\"0\"/>",
                    "-<Data>"
                    "5c0201ffffff72000f00010c00320219ffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "+<Data>"
                    "5c0201ffffff72000f00030e00370119ffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "-<Data>"
                    "5f050103030a00ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "+<Data>"
                    "5f050103020a00ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "-<Int key=\"mgr_tsku_phase\">52</Int>" },
                  { "LFR/TSCTM", "keep their cycles", "92 (114 s)", "91 (107 s -> 100 s)" });
        addNewId(Tiverk318, "program", "91", "191",
                 { "-<Data>"
                   "5b0101010800230214030afffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                   "fffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                   "+<Data>"
                   "bf0101010800230214030afffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                   "fffffffffffffffffffffffffffffffffffffffffffffffff</Data>" });
        addNewId(Tiverk318, "program", "92", "192",
                 { "-<Data>"
                   "5c0201ffffff72000f00010c00320219fffffffffffffffffffffffffffffffffffffffffffffff"
                   "fffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                   "+<Data>"
                   "c00201ffffff72000f00010c00320219fffffffffffffffffffffffffffffffffffffffffffffff"
                   "fffffffffffffffffffffffffffffffffffffffffffffffff</Data>" });
        addNewId(Tiverk318, "program", "96", "196",
                 { "-<Data>"
                   "600a01023201fffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                   "fffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                   "+<Data>"
                   "c40a01023201fffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                   "fffffffffffffffffffffffffffffffffffffffffffffffff</Data>" });
        addDelete(Tiverk318, "group", "66",
                  { "-<SignalGroup id=\"66\" name=\"Ped Main\" type=\"1\">",
                    "-<Device id=\"19\"/>",
                    "-<Device id=\"20\"/>",
                    "-<DetectorAddresses>255</DetectorAddresses>",
                    "-<Interstate variant=\"1\">0 4 0 3 0 0</Interstate>",
                    "-</SignalGroup>",
                    "-<Group id=\"66\"/>",
                    "-<Group id=\"66\"/>",
                    "-<Cell a=\"61\" b=\"66\" value=\"1\"/>",
                    "-<Cell a=\"62\" b=\"66\" value=\"1\"/>",
                    "-<Cell a=\"65\" b=\"66\" value=\"1\"/>",
                    "-<Cell a=\"66\" b=\"61\" value=\"1\"/>",
                    "-<Cell a=\"66\" b=\"62\" value=\"1\"/>",
                    "-<Cell a=\"66\" b=\"65\" value=\"1\"/>",
                    "-<Timeline sg=\"66\">",
                    "-<Step start=\"0\" state=\"red\"/>",
                    "-<Step start=\"33\" state=\"green\"/>",
                    "-</Timeline>",
                    "-<Map>",
                    "-<Int key=\"count\">1</Int>",
                    "-<Int key=\"sg\">66</Int>",
                    "-</Map>" },
                  { "countdown displays of the following signal groups will be deleted:\n66" });
        // Step lengths change with the group's intergreens: a coordinated
        // program keeps its cycle, another's gets shorter, and the question
        // names both.
        addDelete(Tiverk318, "group", "62",
                  { "-<SignalGroup id=\"62\" name=\"Main S\" type=\"0\">",
                    "-<Device id=\"3\"/>",
                    "-<Device id=\"4\"/>",
                    "-<Device id=\"5\"/>",
                    "-<DetectorAddresses>1</DetectorAddresses>",
                    "-<Interstate variant=\"1\">0 3 3 2 2 0</Interstate>",
                    "-</SignalGroup>",
                    "-<Group id=\"62\"/>",
                    "-<End sg=\"62\" at=\"2\"/>",
                    "-<Cell a=\"62\" b=\"63\" value=\"1\"/>",
                    "-<Cell a=\"62\" b=\"64\" value=\"1\"/>",
                    "-<Cell a=\"62\" b=\"65\" value=\"1\"/>",
                    "-<Cell a=\"62\" b=\"66\" value=\"1\"/>",
                    "-<Cell a=\"62\" b=\"68\" value=\"1\"/>",
                    "-<Cell a=\"63\" b=\"62\" value=\"1\"/>",
                    "-<Cell a=\"64\" b=\"62\" value=\"1\"/>",
                    "-<Cell a=\"65\" b=\"62\" value=\"1\"/>",
                    "-<Cell a=\"66\" b=\"62\" value=\"1\"/>",
                    "-<Cell a=\"68\" b=\"62\" value=\"1\"/>",
                    "-<Phase phase=\"51\" length=\"42\" main=\"35\" start=\"0\"/>",
                    "+<Phase phase=\"51\" length=\"40\" main=\"35\" start=\"0\"/>",
                    "-<Phase phase=\"51\" length=\"57\" main=\"50\" start=\"0\"/>",
                    "+<Phase phase=\"51\" length=\"57\" main=\"52\" start=\"0\"/>",
                    "-<Data>"
                    "5c0201ffffff72000f00010c00320219ffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "+<Data>"
                    "5c0201ffffff72000f00010c00340219ffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>" },
                  { "keep their cycles", "92 (114 s)", "91 (107 s -> 105 s)" });
        addDelete(Tiverk318, "detector", "72",
                  { "-<Detector id=\"72\" name=\"Loop Main S\"/>", "-<Int key=\"channel\">1</Int>",
                    "-<Int key=\"detector\">72</Int>", "-</Map>", "-<Map>" });
        addDelete(Tiverk318, "detector", "73",
                  { "-<Detector id=\"73\" name=\"Loop Station E\"/>", "-<List key=\"channels\">",
                    "-<Map>", "-<Int key=\"channel\">4</Int>", "-<Int key=\"detector\">73</Int>",
                    "-<Text key=\"type\">in</Text>", "-</Map>", "-</List>",
                    "+<List key=\"channels\"/>" });
        addDelete(Tiverk318, "detector", "74",
                  { "-<Detector id=\"74\" name=\"Loop Station W\"/>",
                    "-<Int key=\"detector\">74</Int>" });
        addDelete(Tiverk318, "sensor", "81",
                  { "-<Sensor id=\"81\" name=\"Button Main\"/>", "-<Int key=\"sensor\">81</Int>" });
        // The changes into and out of a deleted phase's steps lose its groups:
        // the coordinated program 92 keeps its cycle, its steps after them
        // taking the seconds, program 91's cycle changes; the question names both.
        addDelete(Tiverk318, "phase", "53",
                  { "-<Phase id=\"53\" name=\"Station road\" min=\"10\" max=\"40\">",
                    "-<Group id=\"63\"/>",
                    "-<Group id=\"64\"/>",
                    "-<Group id=\"66\"/>",
                    "-</Phase>",
                    "-<Phase phase=\"53\" length=\"30\" main=\"20\" start=\"0\"/>",
                    "-<Phase phase=\"54\" length=\"18\" main=\"10\" start=\"0\"/>",
                    "-<Data>"
                    "5b0101010800230214030affffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "+<Phase phase=\"53\" length=\"28\" main=\"20\" start=\"0\"/>",
                    "+<Phase phase=\"54\" length=\"10\" main=\"10\" start=\"0\"/>",
                    "+<Data>"
                    "5b0101010800230314020affffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "-<Phase phase=\"52\" length=\"22\" main=\"12\" start=\"0\"/>",
                    "+<Phase phase=\"52\" length=\"22\" main=\"20\" start=\"0\"/>",
                    "-<Phase phase=\"53\" length=\"35\" main=\"25\" start=\"0\"/>",
                    "-<Data>"
                    "5c0201ffffff72000f00010c00320219ffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "+<Phase phase=\"53\" length=\"35\" main=\"27\" start=\"0\"/>",
                    "+<Data>"
                    "5c0201ffffff72000f0001140032031bffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "-<Data>"
                    "5f050103030a00ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "+<Data>"
                    "5f050103020a00ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "-<Text>53</Text>",
                    "+<Null/>" },
                  { "keep their cycles", "92 (114 s)", "91 (107 s -> 97 s)" });
        addDelete(Tiverk318, "phase", "54",
                  { "-<Phase id=\"54\" name=\"All pedestrians\" min=\"8\" max=\"15\">",
                    "-<Group id=\"66\"/>", "-<Group id=\"67\"/>", "-<Group id=\"68\"/>",
                    "-</Phase>", "-<Phase phase=\"52\" length=\"17\" main=\"8\" start=\"0\"/>",
                    "+<Phase phase=\"52\" length=\"10\" main=\"8\" start=\"0\"/>",
                    "-<Data>"
                    "5f050103030a00ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "+<Data>"
                    "5f050103ff0a00ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>" },
                  { "91 (107 s -> 100 s)" });
        addDelete(Tiverk318, "program", "91",
                  { "-<Program id=\"91\" name=\"Day\" type=\"tiverk\" kind=\"1\" cycle=\"0\" "
                    "variant=\"1\">",
                    "-<Phase phase=\"52\" length=\"17\" main=\"8\" start=\"0\"/>",
                    "-<Phase phase=\"51\" length=\"42\" main=\"35\" start=\"0\"/>",
                    "-<Phase phase=\"53\" length=\"30\" main=\"20\" start=\"0\"/>",
                    "-<Phase phase=\"54\" length=\"18\" main=\"10\" start=\"0\"/>",
                    "-<Data>"
                    "5b0101010800230214030affffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "-</Program>",
                    "-<Data>"
                    "5e04010101350f00ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "+<Data>"
                    "5e04010101350fffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "-<Data>"
                    "600a01023201ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "+<Data>"
                    "600a01023200ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "-<Calendar defaultProgram=\"91\" reserveProgram=\"93\" defaultDayCard=\"1\">",
                    "+<Calendar defaultProgram=\"\" reserveProgram=\"93\" defaultDayCard=\"1\">" });
        addDelete(Tiverk318, "program", "92",
                  { "-<Program id=\"92\" name=\"Morning peak\" type=\"tiverk\" kind=\"2\" "
                    "cycle=\"0\" offset=\"15\" variant=\"1\">",
                    "-<Phase phase=\"52\" length=\"22\" main=\"12\" start=\"0\"/>",
                    "-<Phase phase=\"51\" length=\"57\" main=\"50\" start=\"0\"/>",
                    "-<Phase phase=\"53\" length=\"35\" main=\"25\" start=\"0\"/>",
                    "-<Data>"
                    "5c0201ffffff72000f00010c00320219ffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "-</Program>",
                    "-<Data>"
                    "600a01023201ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "+<Data>"
                    "600a010232ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                    "-<Text>92</Text>", "+<Null/>" });
        addDuplicate(Tiverk318, "group", "61", {},
                     { "+<SignalGroup id=\"69\" name=\"Main N_1\" type=\"0\">",
                       "+<DetectorAddresses>0</DetectorAddresses>",
                       "+<Interstate variant=\"1\">0 3 3 2 2 0</Interstate>", "+</SignalGroup>" });
        addDuplicate(Tiverk318, "program", "94", {},
                     { "+<Program id=\"1\" name=\"Call_1\" type=\"tiverk\" kind=\"4\" cycle=\"0\" "
                       "variant=\"1\">",
                       "+<Data>"
                       "0104010101350f00fffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                       "fffffffffffffffffffffffffffffffffffffffffffffffffffff</Data>",
                       "+</Program>" });

        // adapter
        addNewId(Adapter, "group", "61", "161");
        addNewId(Adapter, "group", "64", "164",
                 { "-timeline.63.0 = \"green\"", "-timeline.63.20 = \"red\"",
                   "+timeline.63.0 = \"green\"", "+timeline.63.20 = \"red\"" });
        addNewId(Adapter, "phase", "51", "151");
        addNewId(Adapter, "phase", "52", "152");
        addNewId(Adapter, "detector", "71", "171");
        addNewId(Adapter, "detector", "72", "172");
        addNewId(Adapter, "sensor", "81", "181");
        addNewId(Adapter, "sensor", "82", "182");
        addNewId(Adapter, "program", "91", "191",
                 { "-data = "
                   "\"5b0101001e0114fffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                   "fffffffffffffffffffffffffffffffffffffffffffffffffff\"",
                   "+data = "
                   "\"bf0101001e0114fffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                   "fffffffffffffffffffffffffffffffffffffffffffffffffff\"" });
        addNewId(Adapter, "program", "92", "192",
                 { "-data = "
                   "\"5c00fffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                   "fffffffffffffffffffffffffffffffffffffffffffffffffff\"",
                   "+data = "
                   "\"c000fffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                   "fffffffffffffffffffffffffffffffffffffffffffffffffff\"" });
        addDelete(Adapter, "group", "61",
                  { "-id = 61",
                    "-type = 0",
                    "-devices[0] = 0",
                    "-interstates.1[0] = 0",
                    "-interstates.1[1] = 3",
                    "-interstates.1[2] = 3",
                    "-interstates.1[3] = 2",
                    "-interstates.1[4] = 2",
                    "-interstates.1[5] = 0",
                    "-",
                    "-[signalGroup]",
                    "-signalGroups[0] = 61",
                    "-signalGroups[1] = 64",
                    "+signalGroups[0] = 64",
                    "-transitions.51.greenEnd.61 = 2",
                    "+transitions.51.greenEnd = {}",
                    "-cells[0][0] = 61",
                    "-cells[0][1] = 62",
                    "+cells[0][0] = 62",
                    "+cells[0][1] = 64",
                    "-cells[1][0] = 61",
                    "-cells[1][1] = 63",
                    "+cells[1][0] = 64",
                    "+cells[1][1] = 62",
                    "-cells[2][0] = 62",
                    "-cells[2][1] = 61",
                    "-cells[2][2] = 4.0",
                    "-cells[3][0] = 62",
                    "-cells[3][1] = 64",
                    "-cells[3][2] = 4.0",
                    "-cells[4][0] = 63",
                    "-cells[4][1] = 61",
                    "-cells[4][2] = 4.0",
                    "-cells[5][0] = 64",
                    "-cells[5][1] = 62",
                    "-cells[5][2] = 4.0" });
        addDelete(Adapter, "group", "64",
                  { "-[signalGroup]",
                    "-id = 64",
                    "-type = 1",
                    "-devices[0] = 3",
                    "-interstates.1[0] = 0",
                    "-interstates.1[1] = 4",
                    "-interstates.1[2] = 0",
                    "-interstates.1[3] = 3",
                    "-interstates.1[4] = 0",
                    "-interstates.1[5] = 0",
                    "-",
                    "-signalGroups[1] = 64",
                    "-cells[3][0] = 62",
                    "-cells[3][1] = 64",
                    "+cells[3][0] = 63",
                    "+cells[3][1] = 61",
                    "-cells[4][0] = 63",
                    "-cells[4][1] = 61",
                    "-cells[4][2] = 4.0",
                    "-cells[5][0] = 64",
                    "-cells[5][1] = 62",
                    "-cells[5][2] = 4.0",
                    "-timeline.64.0 = \"red\"",
                    "-timeline.64.30 = \"green\"",
                    "-countDownTable[0].address = 3",
                    "-countDownTable[0].blinkingTime = 2",
                    "-countDownTable[0].sg = 64",
                    "+countDownTable = []" });
        addDelete(Adapter, "phase", "51",
                  { "-id = \"51\"", "-minTime = 10", "-maxTime = 45", "-signalGroups[0] = 61",
                    "-signalGroups[1] = 64", "-", "-[phase]", "-transitions.51.greenEnd.61 = 2",
                    "-transitions.51.greenStart.62 = 3", "-transitions.51.length = 5",
                    "-data = "
                    "\"5b0101001e0114ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffffff\"",
                    "+data = "
                    "\"5b0101011e0014ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffffff\"" },
                  { "91 (70 s -> 60 s)" });
        addDelete(Adapter, "detector", "71",
                  { "-id = 71", "-name = \"Loop 1\"", "-", "-[detector]",
                    "-modules.SystemBus.devices.DIO2.channels[0].channel = 1",
                    "-modules.SystemBus.devices.DIO2.channels[0].detector = 71",
                    "-modules.SystemBus.devices.DIO2.channels[1].channel = 2",
                    "-modules.SystemBus.devices.DIO2.channels[1].sensor = 81",
                    "+modules.SystemBus.devices.DIO2.channels[0].channel = 2",
                    "+modules.SystemBus.devices.DIO2.channels[0].sensor = 81" });
        addDelete(Adapter, "sensor", "82",
                  { "-[sensor]", "-id = 82", "-name = \"Key\"", "-",
                    "-modules.Keyboard.channels[0].sensor = 82" });
        addDelete(Adapter, "program", "92",
                  { "-id = \"92\"", "-name = \"Night\"", "-type = \"tiverk\"",
                    "-data = "
                    "\"5c00ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffffff\"",
                    "-", "-[program]", "-reserveProgram = \"92\"", "-vpu_programs[0] = \"92\"",
                    "+vpu_programs[0] = null" });
        addDuplicate(Adapter, "group", "61", {},
                     { "+[signalGroup]", "+id = 65", "+type = 0", "+interstates.1[0] = 0",
                       "+interstates.1[1] = 3", "+interstates.1[2] = 3", "+interstates.1[3] = 2",
                       "+interstates.1[4] = 2", "+interstates.1[5] = 0", "+" });
        addDuplicate(Adapter, "program", "91", {},
                     { "+[program]", "+id = \"1\"", "+name = \"Day_1\"", "+type = \"tiverk\"",
                       "+kind = 1",
                       "+data = "
                       "\"010101001e0114fffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                       "fffffffffffffffffffffffffffffffffffffffffffffffffffffff\"",
                       "+steps[0].length = 30", "+steps[0].phase = \"51\"", "+steps[1].length = 20",
                       "+steps[1].phase = \"52\"", "+" });

        // A new id and the old one back, for every kind in every family, on
        // an element that places name by number.
        const struct
        {
            QString fixture;
            const char *kind;
            const char *id;
        } backAgain[] = {
            { Tiverk318, "group", "66" },   { Tiverk318, "phase", "53" },
            { Tiverk318, "program", "91" }, { Tiverk318, "detector", "73" },
            { Tiverk318, "sensor", "81" },  { TiverkII, "group", "64" },
            { TiverkII, "phase", "51" },    { TiverkII, "program", "33" },
            { TiverkII, "detector", "71" }, { TiverkII, "sensor", "81" },
            { TiverkII, "output", "91" },   { ZuMolt, "group", "61" },
            { ZuMolt, "phase", "51" },      { ZuMolt, "program", "14" },
            { ZuMolt, "detector", "71" },   { ZuMolt, "sensor", "81" },
            { Adapter, "group", "64" },     { Adapter, "phase", "51" },
            { Adapter, "program", "91" },   { Adapter, "detector", "71" },
            { Adapter, "sensor", "81" },
        };
        for (const auto &element : backAgain)
            addNewIdAndBack(element.fixture, element.kind, element.id,
                            QLatin1Char('1') + QLatin1String(element.id));

        // The TIVERK II matrix holds a value of group 62 with group 65, which
        // the file does not have: named at the load and kept; no group takes
        // them over, by a new id or as a copy.
        addOpened(TiverkII, "matrix", "1",
                  { "Matrix 1 holds values of signal groups that do not exist: 65; they are "
                    "kept as they are" });
        addRefusedId(TiverkII, "group", "62", "65", { "Matrix 1 holds values of signal group 65" });
        addDuplicate(TiverkII, "group", "62", "66", { "-/devices" });

        // TIVERK 3.x programs and their records. A program without a record
        // (the timeline program 97) stays without one: a new id, a text one
        // too, names it, and the old id back gives the file again; its copy
        // has none either.
        addNewId(Tiverk318, "program", "97", "T7");
        addNewIdAndBack(Tiverk318, "program", "97", "98");
        addDuplicate(Tiverk318, "program", "97", {},
                     { "+<Program id=\"1\" name=\"Timeline_1\" type=\"timeline\" kind=\"0\" "
                       "cycle=\"60\" variant=\"1\">",
                       "+<Timeline sg=\"63\">", "+<Step start=\"0\" state=\"green\"/>",
                       "+<Step start=\"25\" state=\"yellow\"/>", "+</Timeline>",
                       "+<Timeline sg=\"66\">", "+<Step start=\"0\" state=\"red\"/>",
                       "+<Step start=\"33\" state=\"green\"/>", "+</Timeline>", "+</Program>" });
        // A record holds its program's number: a text id is refused.
        addRefusedId(Tiverk318, "program", "91", "D1", { "ecord of program 91 holds its number" });
        // A coordinated program's record states what its steps make. Without
        // phase 51 the change out of 92's step of no own length into phase 53
        // outgrows that step: 92 keeps its own lengths, and its record states
        // the new cycle.
        addDelete(Tiverk318Steps, "phase", "51",
                  { "-<Phase id=\"51\" name=\"Main road\" min=\"15\" max=\"60\">",
                    "-<Group id=\"61\"/>",
                    "-<Group id=\"62\"/>",
                    "-<Group id=\"67\"/>",
                    "-</Phase>",
                    "-<Transition from=\"51\" length=\"5\">",
                    "-<End sg=\"62\" at=\"2\"/>",
                    "-<End sg=\"67\" at=\"1\"/>",
                    "-<Start sg=\"65\" at=\"4\"/>",
                    "-</Transition>",
                    "-<Phase phase=\"51\" length=\"7\" main=\"0\" start=\"0\"/>",
                    "-<Phase phase=\"53\" length=\"35\" main=\"25\" start=\"0\"/>",
                    "-<Data>"
                    "5c0201ffffff40000f00010c00000219"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffff</Data>",
                    "+<Phase phase=\"51\" length=\"8\" main=\"0\" start=\"0\"/>",
                    "+<Phase phase=\"53\" length=\"27\" main=\"25\" start=\"0\"/>",
                    "+<Data>"
                    "5c0201ffffff39000f00000c03000119"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffff</Data>",
                    "-<Phase phase=\"51\" length=\"257\" main=\"250\" start=\"0\"/>",
                    "-<Phase phase=\"53\" length=\"35\" main=\"25\" start=\"0\"/>",
                    "-<Data>"
                    "5f0201ffffff3a010f00010c00fa0219"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffff</Data>",
                    "+<Phase phase=\"51\" length=\"257\" main=\"249\" start=\"0\"/>",
                    "+<Phase phase=\"53\" length=\"35\" main=\"33\" start=\"0\"/>",
                    "+<Data>"
                    "5f0201ffffff3a010f00000c03f90121"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffff</Data>" },
                  { "92 (64 s -> 57 s)", "95 (314 s)" });
        // Without phase 52, keeping 95's cycle would give its step of phase 51
        // 255 s of its own, which the record's byte cannot hold ("not set"):
        // 95 keeps its own lengths and its cycle changes, and the question says so.
        addDelete(Tiverk318Steps, "phase", "52",
                  { "-<Phase id=\"52\" name=\"Main left turn\" min=\"6\" max=\"20\">",
                    "-<Group id=\"61\"/>",
                    "-<Group id=\"65\"/>",
                    "-<Transition from=\"51\" length=\"5\">",
                    "-<End sg=\"62\" at=\"2\"/>",
                    "-<End sg=\"67\" at=\"1\"/>",
                    "-<Start sg=\"65\" at=\"4\"/>",
                    "-</Transition>",
                    "-</Phase>",
                    "-<Phase phase=\"52\" length=\"22\" main=\"12\" start=\"0\"/>",
                    "-<Phase phase=\"51\" length=\"7\" main=\"0\" start=\"0\"/>",
                    "+<Phase phase=\"52\" length=\"22\" main=\"14\" start=\"0\"/>",
                    "+<Phase phase=\"51\" length=\"7\" main=\"5\" start=\"0\"/>",
                    "-<Data>"
                    "5c0201ffffff40000f00010c00000219"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffff</Data>",
                    "+<Data>"
                    "5c0201ffffff40000f00030e00050119"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffff</Data>",
                    "-<Phase phase=\"52\" length=\"22\" main=\"12\" start=\"0\"/>",
                    "-<Phase phase=\"51\" length=\"257\" main=\"250\" start=\"0\"/>",
                    "+<Phase phase=\"52\" length=\"20\" main=\"12\" start=\"0\"/>",
                    "+<Phase phase=\"51\" length=\"252\" main=\"250\" start=\"0\"/>",
                    "-<Data>"
                    "5f0201ffffff3a010f00010c00fa0219"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffff</Data>",
                    "+<Data>"
                    "5f0201ffffff33010f00030c00fa0119"
                    "ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff"
                    "ffffffffffffffffff</Data>" },
                  { "92 (64 s)", "95 (314 s -> 307 s)" });

        // A new name, for every kind in every family: each place naming the
        // element by its name follows, with a line in the message table; a
        // name of an element of another kind stays. And back: the bytes of
        // an untouched save.
        const auto follows = [](const char *place, const char *element, const char *newName) {
            return QStringLiteral("%1 follows %2 to its new name \"%3\"")
                .arg(QLatin1String(place), QLatin1String(element), QLatin1String(newName));
        };
        addNewName(TiverkII, "group", "61", "Harbour X", { "/phases/0/name" });
        addNewName(TiverkII, "group", "62", "Bridge X", { "/phases/1/name" },
                   { follows("Program 35", "signal group 62", "Bridge X") });
        addNewName(TiverkII, "group", "64", "Crossing B X", {},
                   { follows("Program 35", "signal group 64", "Crossing B X") });
        addNewName(TiverkII, "detector", "72", "Bridge loop X", {},
                   { follows("Sensor 84", "detector 72", "Bridge loop X") });
        addNewName(TiverkII, "detector", "74", "Radar loop X", {},
                   { follows("Program 35", "detector 74", "Radar loop X") });
        addNewName(TiverkII, "sensor", "83", "Camera sensor X", {},
                   { follows("Program 35", "sensor 83", "Camera sensor X"),
                     follows("Channel 1 of Priority", "sensor 83", "Camera sensor X") });
        addNewName(TiverkII, "phase", "52", "Bridge X",
                   { "/signalGroups/1/name", "/programs/4/properties/crosswalks/1/groups/0" });
        addNewName(TiverkII, "program", "36", "Sequence X", {},
                   { follows("Indication row 3", "program 36", "Sequence X") });
        addNewName(TiverkII, "output", "91", "Horn X");
        addNewName(ZuMolt, "phase", "52", "Stage 2 X", {},
                   { follows("The remote control panel", "phase 52", "Stage 2 X") });
        // A name the file must escape: the panel entry is written as the stage's own name.
        addNewName(ZuMolt, "phase", "52", "Side \"A\" \\ B", {},
                   { follows("The remote control panel", "phase 52", "Side \"A\" \\ B") });
        addNewName(ZuMolt, "group", "61", "G1");
        addNewName(ZuMolt, "detector", "71", "D1 X");
        addNewName(ZuMolt, "program", "14", "Adaptive X");
        addNewName(Tiverk318, "group", "61", "Main N X");
        addNewName(Tiverk318, "detector", "71", "Loop X");
        addNewName(Adapter, "detector", "71", "Loop 1 X");
        addNewName(Adapter, "sensor", "82", "Key X");
        const struct
        {
            QString fixture;
            const char *kind;
            const char *id;
            const char *newName;
        } namesBack[] = {
            { TiverkII, "group", "62", "Bridge X" },
            { TiverkII, "detector", "74", "Radar loop X" },
            { TiverkII, "detector", "72", "Bridge loop X" },
            { TiverkII, "sensor", "83", "Camera sensor X" },
            { TiverkII, "program", "36", "Sequence X" },
            { TiverkII, "phase", "52", "Bridge X" },
            { TiverkII, "output", "91", "Horn X" },
            { ZuMolt, "phase", "52", "Stage 2 X" },
            { ZuMolt, "detector", "71", "D1 X" },
            { Tiverk318, "group", "61", "Main N X" },
            { Adapter, "detector", "71", "Loop 1 X" },
        };
        for (const auto &element : namesBack)
            addNewNameAndBack(element.fixture, element.kind, element.id,
                              QLatin1String(element.newName));
        // A panel entry naming the stage by its name goes with it, and the
        // question says so. The ZU_MOLT switches driven by a deleted group
        // lose it, and the question names them.
        addDelete(ZuMolt, "phase", "52",
                  { "-/stages/1", "-/plans/3/algorithm/phases/1",
                    "-/plans/3/algorithm/detectors/0/call", "-/plans/3/algorithm/sequence/1",
                    "-/remoteControlPanel/VPU1/stageId/2", "-/remoteControlPanel/VPU1/stageId/1" },
                  { "RCU parameters will be changed", "14" });
        addDelete(ZuMolt, "group", "62",
                  { "-/signalGroups/items/1", "-/stages/1/groups/0", "-/IGM",
                    "-/plans/2/algorithm/sequences/1", "-/switches/items/1/signalGroup" },
                  { "the following switches will have no signal group:\n2" });
    }

    void everyPlace()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, kind);
        QFETCH(QString, id);
        QFETCH(int, operation);
        QFETCH(QString, newId);
        QFETCH(QStringList, edits);
        QFETCH(QStringList, question);
        QFETCH(QStringList, messages);
        const Kind element = kindOf(kind);
        const QByteArray original
            = TestSupport::readFile(TestSupport::dataPath(QStringLiteral("references/") + fixture));
        QVERIFY(!original.isEmpty());
        // A refused id may be one that stands in the file without an element.
        const bool newName = Operation(operation) == Operation::NewName
            || Operation(operation) == Operation::NewNameAndBack;
        QVERIFY2((Operation(operation) != Operation::NewId
                  && Operation(operation) != Operation::NewIdAndBack && !newName)
                     || !original.contains(newId.toUtf8()),
                 "the new id must be new to the fixture");

        MainWindow window;
        const QString path = open(window, fixture);
        QVERIFY(!path.isEmpty());
        QTableWidget *rows = table(window, element.table);
        QVERIFY2(Operation(operation) == Operation::Opened || selectRowOfId(rows, id),
                 element.table);

        // The lines of the load count as told only where the row is about them.
        const QStringList messagesBefore
            = Operation(operation) == Operation::Opened ? QStringList() : messageTexts(window);
        QString followed;
        // The element's name as its table shows it.
        QString oldName;
        for (int row = 0; row < rows->rowCount(); ++row) {
            if (cellText(rows, row, 0) == id)
                oldName = cellText(rows, row, 1);
        }
        // One run of the element's properties dialog giving `given` (an id,
        // or a name with `asName`). What comes after its OK (a refusal, a
        // question): its text is kept in `followed`, it is answered Yes.
        const auto giveIdInDialog = [&](const QString &given, bool asName = false) {
            QStringList texts;
            runPropertiesDialog(
                window, element.properties,
                [&](QWidget *modal) {
                    if (asName)
                        giveNewName(modal, given);
                    else
                        giveNewId(modal, given);
                },
                QMessageBox::Yes, &texts);
            followed += texts.join(QString());
        };
        ModalAnswerer answerer;
        switch (Operation(operation)) {
        case Operation::NewId:
        case Operation::RefusedId:
            giveIdInDialog(newId);
            if (QTest::currentTestFailed())
                return;
            break;
        case Operation::NewIdAndBack:
            giveIdInDialog(newId);
            if (QTest::currentTestFailed())
                return;
            QVERIFY2(followed.isEmpty(), qPrintable(QStringLiteral("Unexpected: ") + followed));
            QVERIFY2(selectRowOfId(rows, newId), "the table does not show the new id");
            giveIdInDialog(id);
            if (QTest::currentTestFailed())
                return;
            break;
        case Operation::Opened:
            break;
        case Operation::NewName:
        case Operation::NewNameAndBack:
            QVERIFY(!oldName.isEmpty());
            giveIdInDialog(newId, true);
            if (QTest::currentTestFailed())
                return;
            if (Operation(operation) == Operation::NewName)
                break;
            QVERIFY2(followed.isEmpty(), qPrintable(QStringLiteral("Unexpected: ") + followed));
            QVERIFY(selectRowOfId(rows, id));
            giveIdInDialog(oldName, true);
            if (QTest::currentTestFailed())
                return;
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
        if (Operation(operation) != Operation::RefusedId)
            QVERIFY2(followed.isEmpty(), qPrintable(QStringLiteral("Unexpected: ") + followed));
        for (const QString &name : qAsConst(question))
            QVERIFY2(
                answerer.seenText().contains(name),
                qPrintable(
                    QStringLiteral("The question names no %1: %2").arg(name, answerer.seenText())));
        QStringList told = messageTexts(window);
        for (const QString &line : messagesBefore)
            told.removeOne(line);
        told << followed;
        for (const QString &text : qAsConst(messages))
            QVERIFY2(told.join(QLatin1Char('\n')).contains(text),
                     qPrintable(QStringLiteral("No message names %1: %2")
                                    .arg(text, told.join(QLatin1Char('\n')))));
        QVERIFY(save(window));
        const QByteArray saved = TestSupport::readFile(path);

        // What the save wrote is what the file gives back.
        {
            MainWindow reopened;
            reopened.loadDocument(path);
            QCOMPARE(reopened.document().lastError(), QString());
            QVERIFY(save(reopened));
            QCOMPARE(QString::fromUtf8(TestSupport::readFile(path)), QString::fromUtf8(saved));
            // A saved record never contradicts its program's steps.
            QCOMPARE(recordsAgainstSteps(reopened.document().controller()).join(QLatin1Char('\n')),
                     QString());
        }

        if (Operation(operation) == Operation::NewIdAndBack
            || Operation(operation) == Operation::NewNameAndBack) {
            // Byte for byte what an untouched save gives: for the text
            // families the fixture itself.
            QByteArray untouched = original;
            if (isJson(fixture)) {
                MainWindow other;
                const QString otherPath
                    = open(other, fixture, QStringLiteral("untouched_") + fixture);
                QVERIFY(!otherPath.isEmpty());
                QVERIFY(save(other));
                untouched = TestSupport::readFile(otherPath);
            }
            QVERIFY2(saved == untouched,
                     qPrintable(QStringLiteral("The saved file differs from an untouched save by\n")
                                + lineDiff(untouched, saved).join(QLatin1Char('\n'))));
            return;
        }

        if (!isJson(fixture)) {
            // After a new id, the fixture with every occurrence of the old id
            // replaced; the edits then name what a token cannot show (a byte
            // of a record).
            // After a new name, every quoted occurrence of the old name
            // holds the new one but on the lines the row keeps.
            QString named = QString::fromUtf8(original);
            if (Operation(operation) == Operation::NewName) {
                QStringList lines = named.split(QLatin1Char('\n'));
                for (QString &line : lines) {
                    if (!edits.contains(line.trimmed()))
                        line.replace(QLatin1Char('"') + oldName + QLatin1Char('"'),
                                     QLatin1Char('"') + newId + QLatin1Char('"'));
                }
                named = lines.join(QLatin1Char('\n'));
            }
            const QByteArray expected = Operation(operation) == Operation::NewId
                ? QString::fromUtf8(original).replace(token(id), newId).toUtf8()
                : Operation(operation) == Operation::NewName ? named.toUtf8()
                                                             : original;
            const QStringList diff = lineDiff(expected, saved);
            QVERIFY2(
                diff == (Operation(operation) == Operation::NewName ? QStringList() : edits),
                qPrintable(QStringLiteral("The saved file differs from the expected one by\n"
                                          "%1\nand not by\n%2")
                               .arg(diff.join(QLatin1Char('\n')), edits.join(QLatin1Char('\n')))));
            return;
        }

        const QJsonValue before = parsed(original);
        const QJsonValue after = parsed(saved);
        QVERIFY(after.isObject());
        switch (Operation(operation)) {
        case Operation::NewId:
            QCOMPARE(differences(renamed(before, id, newId), after).join(QLatin1Char('\n')),
                     QString());
            break;
        case Operation::RefusedId:
        case Operation::Opened:
        case Operation::NewIdAndBack:
        case Operation::NewNameAndBack:
            QCOMPARE(differences(before, after).join(QLatin1Char('\n')), QString());
            break;
        case Operation::NewName:
            QCOMPARE(differences(withNewName(before, oldName, newId, edits), after)
                         .join(QLatin1Char('\n')),
                     QString());
            break;
        case Operation::Delete: {
            QStringList unknown;
            const QJsonValue expected = expectedAfterEdits(before, edits, &unknown);
            QCOMPARE(unknown.join(QLatin1Char('\n')), QString());
            // On a mismatch, what the save did to the fixture is shown too.
            QVERIFY2(differences(expected, after).isEmpty(),
                     qPrintable(QStringLiteral("Expected and saved differ at\n%1\nThe fixture "
                                               "and the saved file differ at\n%2")
                                    .arg(differences(expected, after).join(QLatin1Char('\n')),
                                         differences(before, after).join(QLatin1Char('\n')))));
            break;
        }
        case Operation::Duplicate: {
            // The copy is the one new item of the element list; without it
            // the file is the fixture, and nothing names the copy that named
            // no element of its id before.
            const QStringList listPath
                = segmentsOf(fixture == ZuMolt ? QLatin1String(element.zuMoltList)
                                               : QLatin1String(element.list));
            QJsonArray list = valueAt(after, listPath).toArray();
            const int sizeBefore = valueAt(before, listPath).toArray().size();
            QCOMPARE(list.size(), sizeBefore + 1);
            const QJsonValue copy = list.takeAt(sizeBefore);
            bool found = false;
            const QJsonValue root = edited(after, listPath, list, &found);
            QCOMPARE(differences(before, root).join(QLatin1Char('\n')), QString());
            const QString copyId
                = copy.toObject().value(QLatin1String("id")).toVariant().toString();
            QVERIFY(!copyId.isEmpty() && copyId != id);
            if (!newId.isEmpty())
                QCOMPARE(copyId, newId);
            QCOMPARE(placesOf(root, copyId), placesOf(before, copyId));
            // The copy is its source with the copy's id, in the form of the
            // source's, and its own name; `edits` name what else it must lack
            // or hold, in the paths of the source.
            const QJsonArray sources = valueAt(before, listPath).toArray();
            const auto source
                = std::find_if(sources.begin(), sources.end(), [&](const QJsonValue &item) {
                      return isId(item.toObject().value(QLatin1String("id")), id);
                  });
            QVERIFY(source != sources.end());
            QJsonObject expected = source->toObject();
            expected.insert(QLatin1String("id"),
                            renamed(expected.value(QLatin1String("id")), id, copyId));
            if (copy.toObject().contains(QLatin1String("name")))
                expected.insert(QLatin1String("name"),
                                copy.toObject().value(QLatin1String("name")));
            QStringList unknown;
            const QJsonValue expectedCopy = expectedAfterEdits(expected, edits, &unknown);
            QCOMPARE(unknown.join(QLatin1Char('\n')), QString());
            QCOMPARE(differences(expectedCopy, copy).join(QLatin1Char('\n')), QString());
            break;
        }
        }
    }

    // A text in a TIVERK II file that names two elements: one by its id, the
    // other by its name. Renaming the one named by it asks first, the
    // element's own source (which its dialog leaves to the window) counted
    // like every place, and No keeps the text; a Delete of either keeps it
    // for the other and says so. `fixtureEdits` make the fixture's copy (as
    // everyPlace's edits); `saved` are the save's edits against that copy;
    // `questions` the whole texts of the questions asked, in order.
    void textNamingTwo_data()
    {
        QTest::addColumn<QStringList>("fixtureEdits");
        QTest::addColumn<QList<Step>>("steps");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("saved");

        const QString toSensor81
            = "These places name sensor 83 by its name \"Camera sensor\":\nChannel 1 of "
              "Priority\nProgram 35\nSensor 81 has the id \"81\": with it they would name "
              "both.\nShould they follow sensor 83 to its new name \"81\"?\nNo: they keep "
              "\"Camera sensor\", which then names no element.";
        const QStringList sensor83Is81 { "/sensors/2/name=\"81\"",
                                         "/modules/Priority/channels/0/sensor=\"81\"",
                                         "/programs/4/properties/crosswalks/1/sensors/0=\"81\"" };
        const QStringList followed81 {
            "Channel 1 of Priority follows sensor 83 to its new name \"81\" (it was \"Camera "
            "sensor\")",
            "Program 35 follows sensor 83 to its new name \"81\" (it was \"Camera sensor\")"
        };
        QTest::newRow("sensor 83 given sensor 81's id as its name, Yes")
            << QStringList() << QList<Step> { newName("sensor", "83", "81", true) }
            << QStringList { toSensor81 } << followed81 << sensor83Is81;
        QTest::newRow("sensor 83 given sensor 81's id as its name, No")
            << QStringList() << QList<Step> { newName("sensor", "83", "81", false) }
            << QStringList { toSensor81 } << QStringList()
            << QStringList { "/sensors/2/name=\"81\"" };
        QTest::newRow("sensor 83 named 81, then Cam X, No")
            << QStringList()
            << QList<Step> { newName("sensor", "83", "81", true),
                             newName("sensor", "83", "Cam X", false) }
            << QStringList { toSensor81,
                             "These places name sensor 83 by its name \"81\":\nChannel 1 of "
                             "Priority\nProgram 35\nSensor 81 has the id \"81\": they name it "
                             "as well.\nShould they follow sensor 83 to its new name \"Cam "
                             "X\"?\nNo: they keep \"81\", and these then name no element:\n"
                             "Program 35" }
            << followed81
            << QStringList { "/sensors/2/name=\"Cam X\"",
                             "/modules/Priority/channels/0/sensor=\"81\"",
                             "/programs/4/properties/crosswalks/1/sensors/0=\"81\"" };

        // The TrafficStream channel names detector 71 by its id as text, and
        // detector 74 (whose own source the dialog takes it for) by its name.
        const QStringList trafficStream71 { "/detectors/3/name=\"71\"",
                                            "/modules/TrafficStream/0/channels/0/detector=\"71\"" };
        const QString toRadarX
            = "These places name detector 74 by its name \"71\":\nChannel 1 of "
              "TrafficStream\nDetector 71 has the id \"71\": they name it as well.\nShould "
              "they follow detector 74 to its new name \"Radar X\"?";
        QTest::newRow("detector 74 named as detector 71's id, own source, No")
            << trafficStream71 << QList<Step> { newName("detector", "74", "Radar X", false) }
            << QStringList { toRadarX } << QStringList()
            << QStringList { "/detectors/3/name=\"Radar X\"" };
        QTest::newRow("detector 74 named as detector 71's id, own source, Yes")
            << trafficStream71 << QList<Step> { newName("detector", "74", "Radar X", true) }
            << QStringList { toRadarX }
            << QStringList { "Channel 1 of TrafficStream follows detector 74 to its new name "
                             "\"Radar X\" (it was \"71\")" }
            << QStringList { "/detectors/3/name=\"Radar X\"",
                             "/modules/TrafficStream/0/channels/0/detector=\"Radar X\"" };

        // DIO2's channel 1 names detector 71 by its id as text; detector 72
        // takes the name "71" (No: its linked sensor keeps the old name).
        QTest::newRow("Delete of a detector named by a text that is another's id")
            << QStringList { "/modules/SystemBus/devices/DIO2/channels/0/detector=\"71\"" }
            << QList<Step> { newName("detector", "72", "71", false), deletion("detector", "72") }
            << QStringList { "These places name detector 72 by its name \"Bridge loop\":\n"
                             "Sensor 84\nDetector 71 has the id \"71\": with it they would "
                             "name both.\nShould they follow detector 72 to its new name "
                             "\"71\"?\nNo: they keep \"Bridge loop\", which then names no "
                             "element." }
            << QStringList { "Program 35 no longer uses detector 72 (71): it was deleted",
                             "Channel 1 of DIO2 stays: it names detector 71 as well" }
            << QStringList { "-/detectors/1", "-/modules/SystemBus/devices/DIO2/channels/2",
                             "-/modules/Signal/channels/0/detector",
                             "-/modules/AzimuthSSE/0/sensors/1",
                             "-/programs/4/properties/crosswalks/0/detectors/1" };
        QTest::newRow("Delete of a sensor whose id another sensor has as its name")
            << QStringList()
            << QList<Step> { newName("sensor", "83", "81", true), deletion("sensor", "81") }
            << QStringList { toSensor81 }
            << followed81
                + QStringList { "Program 34 no longer uses sensor 81 (Harbour button): it was "
                                "deleted",
                                "Program 35 no longer uses sensor 81 (Harbour button): it was "
                                "deleted",
                                "Channel 1 of Priority stays: it names sensor 83 as well" }
            << sensor83Is81
                + QStringList { "-/sensors/0",
                                "-/modules/SystemBus/devices/DIO2/channels/1",
                                "-/modules/Keyboard/channels/0/sensor",
                                "-/modules/Signal/channels/0/sensor",
                                "-/programs/3/properties/conditions/1/sensor",
                                "-/programs/4/properties/crosswalks/0/sensors" };
        // And the other way round: the element named by the text's id goes,
        // the one named by its name keeps it.
        QTest::newRow("Delete of the detector whose id the text is")
            << QStringList { "/modules/SystemBus/devices/DIO2/channels/0/detector=\"71\"",
                             "/detectors/1/name=\"71\"" }
            << QList<Step> { deletion("detector", "71") } << QStringList()
            << QStringList { "Program 34 no longer uses detector 71 (Harbour loop): it was deleted",
                             "Program 35 no longer uses detector 71 (Harbour loop): it was deleted",
                             "Channel 1 of DIO2 stays: it names detector 72 as well" }
            << QStringList { "-/detectors/0", "-/modules/Keyboard/channels/0/detector",
                             "-/sensors/1/properties/detector",
                             "-/programs/3/properties/conditions/0/detector",
                             "-/programs/4/properties/crosswalks/0/detectors/0" };
        // Indication row 1's red names output 91 by its id as text and
        // output 92 by its name.
        QTest::newRow("Delete of an output named as another's id")
            << QStringList { "/outputs/1/name=\"91\"", "/modules/Indication/0/red=\"91\"" }
            << QList<Step> { deletion("output", "92") } << QStringList()
            << QStringList { "Indication row 1 stays: it names output 91 as well" }
            << QStringList { "-/outputs/1", "-/modules/SystemBus/devices/DIO1/channels/1",
                             "-/modules/Indication/0/green", "-/modules/Indication/1/amber" };
    }

    void textNamingTwo()
    {
        QFETCH(QStringList, fixtureEdits);
        QFETCH(QList<Step>, steps);
        QFETCH(QStringList, questions);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, saved);
        QStringList unknown;
        const QJsonValue fixture
            = expectedAfterEdits(parsed(TestSupport::readFile(TestSupport::dataPath(
                                     QStringLiteral("references/") + TiverkII))),
                                 fixtureEdits, &unknown);
        QCOMPARE(unknown.join(QLatin1Char('\n')), QString());
        const QString path = dir.filePath(QStringLiteral("text_naming_two.json"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QJsonDocument(fixture.toObject()).toJson());
        file.close();
        MainWindow window;
        window.loadDocument(path);
        QCOMPARE(window.document().lastError(), QString());
        window.updateDetectorsTables();
        window.updateOutputsTable();
        const QStringList messagesBefore = messageTexts(window);

        QStringList asked;
        for (const Step &step : qAsConst(steps)) {
            const Kind element = kindOf(step.kind);
            QVERIFY2(selectRowOfId(table(window, element.table), step.id), element.table);
            if (step.newName.isEmpty()) {
                QVERIFY(QMetaObject::invokeMethod(&window, element.remove));
                continue;
            }
            runPropertiesDialog(
                window, element.properties,
                [&](QWidget *modal) { giveNewName(modal, step.newName); },
                step.yes ? QMessageBox::Yes : QMessageBox::No, &asked);
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(asked, questions);
        QStringList told = messageTexts(window);
        for (const QString &line : messagesBefore)
            told.removeOne(line);
        QCOMPARE(told.join(QLatin1Char('\n')), messages.join(QLatin1Char('\n')));

        QVERIFY(save(window));
        const QByteArray bytes = TestSupport::readFile(path);
        const QJsonValue expected = expectedAfterEdits(fixture, saved, &unknown);
        QCOMPARE(unknown.join(QLatin1Char('\n')), QString());
        QCOMPARE(differences(expected, parsed(bytes)).join(QLatin1Char('\n')), QString());
        // What the save wrote is what the file gives back.
        MainWindow reopened;
        reopened.loadDocument(path);
        QCOMPARE(reopened.document().lastError(), QString());
        QVERIFY(save(reopened));
        QCOMPARE(QString::fromUtf8(TestSupport::readFile(path)), QString::fromUtf8(bytes));
    }
};

PROJECT_TEST(TestReferencePlaces);
#include "tst_referenceplaces.moc"

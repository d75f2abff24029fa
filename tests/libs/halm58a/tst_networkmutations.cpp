#include "fourarmjunction.h"
#include "halm58a/conflictmatrix.h"
#include "testdata.h"
#include "testmain.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <QtTest>

using namespace Halm58a;

namespace {

QByteArray streamBytes(Network &net)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&buffer);
    if (!net.save(writer, false, true))
        return QByteArray();
    return bytes;
}

bool loadBytes(Network &net, const QByteArray &bytes)
{
    QXmlStreamReader reader(bytes);
    return net.load(reader, false);
}

QByteArray fixture()
{
    return TestSupport::readFile(TestSupport::dataPath(QStringLiteral("network/four_arm.hm58a")));
}

// Touches what a caller reads of every object: the geometry of every kind and
// the conflicts of every granule's groups.
void useEverything(Network &net)
{
    for (const NetObject *object : net.findChildren<NetObject *>()) {
        object->shape().boundingRect();
        object->pos();
    }
    for (Granule *granule : net.findChildren<Granule *>()) {
        if (!granule->signalGroups().isEmpty())
            net.findConflictMatrix(granule->signalGroups(), false, false, nullptr);
    }
}

// One random change: mostly of an attribute's value or of whole lines, so that
// many results are still well-formed and reach the reader's own checks.
void mutate(QByteArray &data, QRandomGenerator &random)
{
    static const QByteArray values[]
        = { "",    "-1",      "0",       "1",          "4",         "5",     "8",      "26",
            "38",  "43",      "46",      "2147483647", "999999999", "1e308", "-1e308", "nan",
            "0.5", "1,2 3,4", "0,0 0,0", "4 4 38",     "x",         "&amp;", "&#1;" };
    if (data.isEmpty())
        return;
    const int at = int(random.bounded(data.size()));
    switch (random.bounded(6)) {
    case 0:
    case 1: {
        // The value of the attribute at or after a random place.
        const int open = data.indexOf("=\"", at);
        const int close = open < 0 ? -1 : data.indexOf('"', open + 2);
        if (close > 0)
            data.replace(open + 2, close - open - 2,
                         values[random.bounded(int(sizeof values / sizeof *values))]);
        break;
    }
    case 2: {
        // A whole line away, or twice, or moved.
        const int start = data.lastIndexOf('\n', at) + 1;
        const int end = data.indexOf('\n', at);
        if (end < 0)
            break;
        const QByteArray line = data.mid(start, end - start + 1);
        const int how = int(random.bounded(3));
        if (how != 1)
            data.remove(start, line.size());
        if (how != 0)
            data.insert(data.indexOf('\n', int(random.bounded(data.size()))) + 1, line);
        break;
    }
    case 3:
        data[at] = char(random.bounded(256));
        break;
    case 4:
        data.remove(at, 1 + int(random.bounded(16)));
        break;
    default:
        data.insert(at, data.mid(int(random.bounded(data.size())), 1 + int(random.bounded(80))));
        break;
    }
}

} // namespace

// The junction's file changed at random with a fixed seed: whatever the reader
// makes of it, nothing crashes, a refused file gives a reason and leaves the
// network as it was, and what a read file saves loads again and saves the same.
// Run under the address sanitizer this also checks every deletion path.
class TestNetworkMutations : public QObject
{
    Q_OBJECT
private slots:
    void mutatedFile()
    {
        const QByteArray original = fixture();
        QVERIFY(!original.isEmpty());
        QRandomGenerator random(4058);
        int loaded = 0;
        for (int round = 0; round < 2000; ++round) {
            QByteArray data = original;
            const int edits = random.bounded(4) == 0 ? 2 : 1;
            for (int e = 0; e < edits; ++e)
                mutate(data, random);
            Network net;
            FourArmJunction junction(net);
            const int before = net.objectCount();
            if (!loadBytes(net, data)) {
                QVERIFY2(net.errorString().startsWith(QLatin1String("Line ")),
                         qPrintable(net.errorString()));
                QCOMPARE(net.objectCount(), before);
                continue;
            }
            ++loaded;
            useEverything(net);
            const QByteArray saved = streamBytes(net);
            Network again;
            QVERIFY2(loadBytes(again, saved),
                     qPrintable(again.errorString() + QLatin1Char('\n') + QString::fromUtf8(data)));
            QCOMPARE(streamBytes(again), saved);

            // Take one object away and the rest still saves into a readable file.
            const QList<NetObject *> objects = again.findChildren<NetObject *>();
            if (!objects.isEmpty()) {
                delete objects.at(int(random.bounded(objects.size())));
                useEverything(again);
                Network third;
                QVERIFY2(loadBytes(third, streamBytes(again)), qPrintable(third.errorString()));
            }
        }
        // Enough of the changed files are read for the checks above to mean something.
        QVERIFY2(loaded > 100, qPrintable(QString::number(loaded)));
    }

    void cutAtEveryPlace()
    {
        const QByteArray whole = fixture();
        QVERIFY(!whole.isEmpty());
        const int end = whole.lastIndexOf("</Network>");
        for (int length = 0; length <= end; ++length) {
            Network net;
            QVERIFY(!loadBytes(net, whole.left(length)));
            QVERIFY2(net.errorString().startsWith(QLatin1String("Line ")),
                     qPrintable(net.errorString()));
            QCOMPARE(net.objectCount(), 0);
        }
    }
};

PROJECT_TEST(TestNetworkMutations);
#include "tst_networkmutations.moc"

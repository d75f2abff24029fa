#include "testdata.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"

#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

// The fixtures changed at random with a fixed seed: whatever the reader makes of
// them, it never crashes, a refused file gives a reason, and what a read file
// saves loads again and saves to the same text. (The libFuzzer target does the
// same under sanitizers where clang is at hand.)
class TestZUConfigurationMutations : public QObject
{
    Q_OBJECT
private slots:
    void mutatedFixtures_data()
    {
        QTest::addColumn<QByteArray>("original");
        QDirIterator it(TestSupport::dataPath(QStringLiteral("zumolt")),
                        { QStringLiteral("*.json") }, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QTest::newRow(qPrintable(it.fileName())) << file.readAll();
        }
    }

    void mutatedFixtures()
    {
        QFETCH(QByteArray, original);
        static const QByteArray tokens[]
            = { "{",    "}",    "[",  "]",   ",",          ":",        "\"",       "\\",
                "null", "true", "-1", "1.5", "2147483647", "\"id\": ", "\"\\u12\"" };
        QRandomGenerator random(original.size());
        for (int round = 0; round < 300; ++round) {
            QByteArray data = original;
            const int edits = 1 + int(random.bounded(4));
            for (int e = 0; e < edits && !data.isEmpty(); ++e) {
                const int at = int(random.bounded(data.size()));
                switch (random.bounded(4)) {
                case 0:
                    data[at] = char(random.bounded(256));
                    break;
                case 1:
                    data.remove(at, 1 + int(random.bounded(16)));
                    break;
                case 2:
                    data.insert(at, tokens[random.bounded(int(sizeof tokens / sizeof *tokens))]);
                    break;
                default:
                    data.insert(
                        at,
                        data.mid(int(random.bounded(data.size())), 1 + int(random.bounded(64))));
                    break;
                }
            }
            ZUConfiguration c;
            QString error;
            if (!c.fromJson(data, &error)) {
                QVERIFY2(!error.isEmpty(), data.constData());
                continue;
            }
            const QByteArray saved = c.toJson();
            ZUConfiguration again;
            QVERIFY2(again.fromJson(saved, &error),
                     qPrintable(error + QLatin1Char('\n') + QString::fromUtf8(data)));
            const QByteArray savedAgain = again.toJson();
            ZUConfiguration third;
            QVERIFY(third.fromJson(savedAgain));
            QCOMPARE(third.toJson(), savedAgain);
        }
    }

    void cutAtEveryPlace()
    {
        QFile file(TestSupport::dataPath(QStringLiteral("zumolt/complete.json")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray whole = file.readAll();
        // Every cut inside the root object is a parse error with its place.
        for (int length = 0; length < whole.size() - 1; ++length) {
            ZUConfiguration c;
            QString error;
            QVERIFY(!c.fromJson(whole.left(length), &error));
            QVERIFY2(error.startsWith(QLatin1String("Line ")), qPrintable(error));
        }
    }
};

PROJECT_TEST(TestZUConfigurationMutations);
#include "tst_zuconfigurationmutations.moc"

#include "cnftestconfig.h"

#include <QtTest>

// Load and save of a native configuration of about 5 MB (many programs and
// a large native tree), for comparing later changes. Not run by ctest.
class BenchCnf : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        CnfController controller;
        CnfTestConfig::fill(controller, 650);
        m_bytes = controller.save(1);
        qInfo("configuration: %d bytes", int(m_bytes.size()));
        QVERIFY(m_bytes.size() > 4 * 1024 * 1024);
    }

    void load()
    {
        QBENCHMARK {
            CnfController controller;
            QVERIFY(controller.load(m_bytes, true));
        }
    }

    void save()
    {
        CnfController controller;
        QVERIFY(controller.load(m_bytes, true));
        QByteArray bytes;
        QBENCHMARK {
            bytes = controller.save(1);
        }
        QCOMPARE(bytes, m_bytes);
    }

private:
    QByteArray m_bytes;
};

QTEST_GUILESS_MAIN(BenchCnf)
#include "bench_cnf.moc"

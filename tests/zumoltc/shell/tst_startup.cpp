#include "mainwindow.h"
#include "startup.h"
#include "testdata.h"
#include "testmain.h"
#include "zuconfiguration.h"
#include "zuenums.h"

#include <QtTest>

namespace {

// Offers one translation of its own in the main window's context.
class OneTextTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (QByteArray(context) == "MainWindow" && QByteArray(source) == "sequence of stages")
            return QStringLiteral("ring");
        return QString();
    }
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void identity()
    {
        Startup::setApplicationIdentity();
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("zumoltc"));
        QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("tovel"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("0.2.0"));
    }

    void mainWindowShowsAndCloses()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.close());
    }

    // The window names its configuration for the slots bound by name, and stores
    // the enumerations' display texts in the language of the moment.
    void mainWindowSetsUpModelTexts()
    {
        enumText<zu::KMPDevice::SubType>(zu::KMPDevice::sitilog) = QStringLiteral("stale");
        enumText<zu::CsType>(zu::emergency) = QStringLiteral("stale");
        enumText<zu::KMPDevPort::Value>(zu::KMPDevPort::LAN) = QStringLiteral("LAN");
        OneTextTranslator translator;
        QCoreApplication::installTranslator(&translator);
        {
            MainWindow window;
            QCOMPARE(window.configuration()->objectName(), QStringLiteral("configuration"));
            QCOMPARE(window.configuration()->parent(), &window);
        }
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(enumText<zu::KMPDevice::SubType>(zu::KMPDevice::sitilog), QStringLiteral("citilog"));
        QCOMPARE(enumText<zu::CsType>(zu::emergency), QStringLiteral("Emergency"));
        QCOMPARE(enumText<zu::PlanType>(zu::StageRing), QStringLiteral("ring"));
        QCOMPARE(enumText<zu::KMPDevPort::Value>(zu::KMPDevPort::RS485_2), QStringLiteral("RS485_2"));
        QCOMPARE(enumText<zu::KMPDevPort::Value>(zu::KMPDevPort::LAN), QStringLiteral("LAN"));
        QCOMPARE(enumText<zu::DIO::Type>(zu::DIO::TiverkDET), QStringLiteral("TiverkDET"));
    }

    void programStartsAndQuits()
    {
        const QString error = TestSupport::startAndStopProgram(QStringLiteral("zumoltc"));
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }
};

PROJECT_TEST(TestStartup);
#include "tst_startup.moc"

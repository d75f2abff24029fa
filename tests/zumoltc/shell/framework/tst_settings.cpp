#include "testmain.h"
#include "zumoltc/shell/framework/prefixes.h"
#include "zumoltc/shell/framework/settings.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("tovel"));
        QCoreApplication::setApplicationName(QStringLiteral("zumoltc"));
    }

    void init() { QSettings().clear(); }

    // The store holds Base64 of the UTF-8 bytes as a byte array, for any text.
    void textsStoredAsBase64()
    {
        const QString text = QStringLiteral("Группа.\u00e9 /x");
        {
            QSettings settings;
            Settings::setText(settings, QStringLiteral("a/b"), text);
        }
        QSettings settings;
        const QVariant raw = settings.value(QStringLiteral("a/b"));
        QCOMPARE(raw.toByteArray(), text.toUtf8().toBase64());
        QCOMPARE(Settings::text(settings, QStringLiteral("a/b")), text);
        QCOMPARE(Settings::text(settings, QStringLiteral("absent"), QStringLiteral("dflt")),
                 QStringLiteral("dflt"));
        Settings::setText(settings, QStringLiteral("empty"), QString());
        QCOMPARE(Settings::text(settings, QStringLiteral("empty"), QStringLiteral("dflt")),
                 QString());
    }

    void dirSettingFallsBackToCurrentFolder()
    {
        const QString key = QStringLiteral("last_open_dir");
        QCOMPARE(Settings::dirSetting(key), QDir::currentPath());

        QString path;
        {
            QTemporaryDir dir;
            path = dir.path();
            Settings::setDirSetting(key, path);
            QCOMPARE(QSettings().value(key).toByteArray(), path.toUtf8().toBase64());
            QCOMPARE(Settings::dirSetting(key), path);
        }
        // The folder has gone: reading gives the current folder, storing it removes the key.
        QCOMPARE(Settings::dirSetting(key), QDir::currentPath());
        QVERIFY(QSettings().contains(key));
        Settings::setDirSetting(key, path);
        QVERIFY(!QSettings().contains(key));

        QSettings().setValue(key, QByteArray());
        QCOMPARE(Settings::dirSetting(key), QDir::currentPath());
        Settings::setDirSetting(key, QString());
        QVERIFY(!QSettings().contains(key));

        // A file is no folder.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("f.json"));
        QFile(file).open(QIODevice::WriteOnly);
        Settings::setDirSetting(key, file);
        QVERIFY(!QSettings().contains(key));
    }

    void prefixKeysAndDefaults()
    {
        const QStringList keys
            = { "sgBaseName",          "stageBaseName",    "matrixBaseName",  "dtBaseName",
                "sensorBaseName",      "planBaseName",     "dayPlanBaseName", "weekPlanBaseName",
                "extraPeriodBaseName", "extraDayBaseName", "csBaseName",      "swBaseName" };
        const QStringList defaults
            = { "Group.", "Stage.",  "Matrix.",   "Detector.", "Sensor.", "Program.",
                "Daily.", "Weekly.", "Seasonal.", "Special.",  "Source.", "K." };
        for (int kind = 0; kind < Prefixes::Count; ++kind) {
            QCOMPARE(Prefixes::key(Prefixes::Kind(kind)), keys.at(kind));
            QCOMPARE(Prefixes::defaultPrefix(Prefixes::Kind(kind)), defaults.at(kind));
        }
    }

    void loadPrefixes_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("absent") << QVariant() << QStringLiteral("Group.");
        QTest::newRow("stored empty") << QVariant(QByteArray()) << QString();
        QTest::newRow("stored text")
            << QVariant(QStringLiteral("Gr-").toUtf8().toBase64()) << QStringLiteral("Gr-");
        QTest::newRow("stored non-ASCII")
            << QVariant(QStringLiteral("Группа ").toUtf8().toBase64()) << QStringLiteral("Группа ");
    }

    void loadPrefixes()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, expected);
        if (stored.isValid())
            QSettings().setValue(QStringLiteral("Prefixes/sgBaseName"), stored);
        Prefixes::setPrefix(Prefixes::SignalGroup, QStringLiteral("before"));
        Prefixes::setPrefix(Prefixes::Switch, QStringLiteral("before"));

        ::loadPrefixes(false);
        QCOMPARE(Prefixes::prefix(Prefixes::SignalGroup), expected);
        QCOMPARE(Prefixes::prefix(Prefixes::Switch), QStringLiteral("K."));

        // Restoring ignores what is stored.
        ::loadPrefixes(true);
        QCOMPARE(Prefixes::prefix(Prefixes::SignalGroup), QStringLiteral("Group."));
    }

    void savePrefixesStoresAllTwelve()
    {
        ::loadPrefixes(true);
        Prefixes::setPrefix(Prefixes::Stage, QString());
        Prefixes::setPrefix(Prefixes::Detector, QStringLiteral("D-"));
        savePrefixes();

        QSettings settings;
        settings.beginGroup(QStringLiteral("Prefixes"));
        QCOMPARE(settings.childKeys().size(), int(Prefixes::Count));
        QCOMPARE(settings.value(QStringLiteral("stageBaseName")).toByteArray(), QByteArray());
        QCOMPARE(settings.value(QStringLiteral("dtBaseName")).toByteArray(), QByteArray("RC0="));
        settings.endGroup();

        // The stored empty prefix comes back empty, not as its default.
        ::loadPrefixes(true);
        ::loadPrefixes(false);
        QCOMPARE(Prefixes::prefix(Prefixes::Stage), QString());
        QCOMPARE(Prefixes::prefix(Prefixes::Detector), QStringLiteral("D-"));
        ::loadPrefixes(true);
    }
};

PROJECT_TEST(TestSettings);
#include "tst_settings.moc"

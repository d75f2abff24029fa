#include "plivek/programs/emulation/emulatorparametersdlg.h"
#include "testmain.h"
#include "tlc/qtlc.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include <log4cxx/logger.h>

namespace {

QVariantMap storedLevels()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("Log4qt"));
    QVariantMap levels;
    for (const QString &key : settings.childKeys())
        levels.insert(key, settings.value(key));
    return levels;
}

void storeLevels(const QVariantMap &levels)
{
    QSettings settings;
    settings.remove(QStringLiteral("Log4qt"));
    for (auto it = levels.cbegin(); it != levels.cend(); ++it)
        settings.setValue(QStringLiteral("Log4qt/") + it.key(), it.value());
}

void clickOk(QDialog &dialog)
{
    auto *box = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

} // namespace

// The emulation parameters: defaults, reset buttons, the logger lines and
// how OK stores and applies them.
class TestEmulatorParametersDlg : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QSettings().clear();
        // The emulator's loggers exist once the library is used.
        QTlc tlc;
        log4cxx::Logger::getLogger("tlc:plan")->setLevel(log4cxx::LevelPtr());
        log4cxx::Logger::getLogger("tlc:sensor")->setLevel(log4cxx::LevelPtr());
    }

    void defaultsAndKnownLoggers()
    {
        EmulatorParametersDlg dialog;
        QCOMPARE(dialog.objectName(), QStringLiteral("EmulataorParametersDlg"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Emulation parameters"));
        auto *modules = dialog.findChild<QLineEdit *>(QStringLiteral("excludedModules"));
        auto *plugins = dialog.findChild<QLineEdit *>(QStringLiteral("disabledPlugins"));
        QCOMPARE(
            modules->text(),
            QStringLiteral("SystemBus,TiverkITS,Priority,BaseControls,TrafiCam,Citilog,Keyboard"));
        QCOMPARE(plugins->text(), QStringLiteral("SystemBus,Keyboard"));
        const QStringList lines
            = dialog.findChild<QTextEdit *>(QStringLiteral("loggingParameters"))
                  ->toPlainText()
                  .split('\n');
        for (const char *line :
             { "tlc:config=NULL", "tlc:plan=NULL", "tlc:sg=NULL", "tlc:stage=NULL" })
            QVERIFY2(lines.contains(QLatin1String(line)), line);
        // Ordered by name.
        QVERIFY(lines.indexOf(QStringLiteral("tlc:config=NULL"))
                < lines.indexOf(QStringLiteral("tlc:sg=NULL")));

        // Stored values win over the defaults and over the loggers' own levels.
        QSettings().setValue(QStringLiteral("EmulatorParameters/ExcludedModules"),
                             QStringLiteral("Keyboard"));
        storeLevels({ { QStringLiteral("tlc:plan"), QStringLiteral("DEBUG") },
                      { QStringLiteral("someone:else"), QStringLiteral("LOUD") } });
        EmulatorParametersDlg second;
        QCOMPARE(second.findChild<QLineEdit *>(QStringLiteral("excludedModules"))->text(),
                 QStringLiteral("Keyboard"));
        const QString text
            = second.findChild<QTextEdit *>(QStringLiteral("loggingParameters"))->toPlainText();
        QVERIFY(text.contains(QStringLiteral("tlc:plan=DEBUG\n")));
        QVERIFY(text.contains(QStringLiteral("someone:else=LOUD\n")));
    }

    void resetButtons()
    {
        EmulatorParametersDlg dialog;
        auto *modules = dialog.findChild<QLineEdit *>(QStringLiteral("excludedModules"));
        auto *plugins = dialog.findChild<QLineEdit *>(QStringLiteral("disabledPlugins"));
        modules->setText(QStringLiteral("x"));
        plugins->setText(QStringLiteral("y"));
        for (const char *name : { "notIncludedReset", "disabledPluginsReset" }) {
            auto *button = dialog.findChild<QToolButton *>(QLatin1String(name));
            QVERIFY(!button->icon().isNull());
            QCOMPARE(button->toolTip(), QStringLiteral("reset to default"));
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QCOMPARE(modules->text(), EmulatorParametersDlg::defaultExcludedModules());
        QCOMPARE(plugins->text(), EmulatorParametersDlg::defaultDisabledPlugins());
    }

    void loggerLines_data()
    {
        QTest::addColumn<QVariantMap>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariantMap>("after");
        const QString plan = QStringLiteral("tlc:plan");
        const QString stage = QStringLiteral("tlc:stage");
        QTest::newRow("blanks trimmed") << QVariantMap() << "  tlc:plan   =  WARN   \n"
                                        << QVariantMap { { plan, QStringLiteral("WARN") } };
        QTest::newRow("NULL removes the key")
            << QVariantMap { { plan, QStringLiteral("INFO") } } << "tlc:plan=NULL\n"
            << QVariantMap();
        QTest::newRow("a deleted line is stored OFF")
            << QVariantMap { { plan, QStringLiteral("INFO") }, { stage, QStringLiteral("DEBUG") } }
            << "tlc:stage=DEBUG\n"
            << QVariantMap { { plan, QStringLiteral("OFF") }, { stage, QStringLiteral("DEBUG") } };
        QTest::newRow("no =") << QVariantMap() << "tlc:plan WARN\ntlc:stage=ERROR"
                              << QVariantMap { { stage, QStringLiteral("ERROR") } };
        QTest::newRow("two =") << QVariantMap() << "tlc:plan=WARN=ERROR\n" << QVariantMap();
        QTest::newRow("two = drops a stored key")
            << QVariantMap { { plan, QStringLiteral("INFO") } } << "tlc:plan=WARN=ERROR\n"
            << QVariantMap { { plan, QStringLiteral("OFF") } };
        QTest::newRow("no name") << QVariantMap() << "  = INFO\ntlc:plan=WARN"
                                 << QVariantMap { { plan, QStringLiteral("WARN") } };
        QTest::newRow("empty lines") << QVariantMap() << "\n\ntlc:plan=TRACE\n\n"
                                     << QVariantMap { { plan, QStringLiteral("TRACE") } };
    }

    void loggerLines()
    {
        QFETCH(QVariantMap, before);
        QFETCH(QString, text);
        QFETCH(QVariantMap, after);
        storeLevels(before);
        EmulatorParametersDlg dialog;
        dialog.findChild<QTextEdit *>(QStringLiteral("loggingParameters"))->setPlainText(text);
        clickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(storedLevels(), after);
    }

    void okStoresCancelDoesNot()
    {
        {
            EmulatorParametersDlg dialog;
            dialog.findChild<QLineEdit *>(QStringLiteral("disabledPlugins"))
                ->setText(QStringLiteral("Keyboard"));
            dialog.reject();
        }
        QVERIFY(!QSettings().contains(QStringLiteral("QTlc/DisabledPlugins")));
        EmulatorParametersDlg dialog;
        dialog.findChild<QLineEdit *>(QStringLiteral("disabledPlugins"))
            ->setText(QStringLiteral("Keyboard"));
        dialog.findChild<QTextEdit *>(QStringLiteral("loggingParameters"))
            ->setPlainText(QStringLiteral("tlc:sensor=ERROR"));
        clickOk(dialog);
        QCOMPARE(QSettings().value(QStringLiteral("QTlc/DisabledPlugins")).toString(),
                 QStringLiteral("Keyboard"));
        QCOMPARE(QSettings().value(QStringLiteral("EmulatorParameters/ExcludedModules")).toString(),
                 EmulatorParametersDlg::defaultExcludedModules());
        // OK applies the levels at once.
        QCOMPARE(log4cxx::Logger::getLogger("tlc:sensor")->getLevel(), log4cxx::Level::getError());
    }

    void applyLoggingSettings()
    {
        storeLevels({ { QStringLiteral("tlc:plan"), QStringLiteral("debug") },
                      { QStringLiteral("tlc:sensor"), QStringLiteral("LOUD") },
                      { QStringLiteral("not:yet"), QStringLiteral("INFO") } });
        log4cxx::Logger::getLogger("tlc:sensor")->setLevel(log4cxx::Level::getWarn());
        EmulatorParametersDlg::applyLoggingSettings();
        QCOMPARE(log4cxx::Logger::getLogger("tlc:plan")->getLevel(), log4cxx::Level::getDebug());
        // A text that is no level changes nothing and stays stored.
        QCOMPARE(log4cxx::Logger::getLogger("tlc:sensor")->getLevel(), log4cxx::Level::getWarn());
        QCOMPARE(storedLevels().value(QStringLiteral("tlc:sensor")).toString(),
                 QStringLiteral("LOUD"));
        // Only existing loggers are set: none is made for a stored name.
        QVERIFY(!log4cxx::Logger::getRootLogger()->getLoggerRepository()->exists("not:yet"));
    }

    void cleanupTestCase()
    {
        QSettings().clear();
        for (const char *name : { "tlc:plan", "tlc:sensor" })
            log4cxx::Logger::getLogger(name)->setLevel(log4cxx::LevelPtr());
    }
};

PROJECT_TEST(TestEmulatorParametersDlg);
#include "tst_emulatorparametersdlg.moc"

#include "testmain.h"
#include "zumoltc/shell/framework/prefixes.h"
#include "zumoltc/shell/settingsdialog.h"
#include "zumoltc/shell/startup.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QtTest>

namespace {

QTableWidget *prefixTable(SettingsDialog &dialog)
{
    return dialog.findChild<QTableWidget *>(QStringLiteral("prefixes"));
}

QAbstractButton *button(SettingsDialog &dialog, QDialogButtonBox::StandardButton which)
{
    return dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))->button(which);
}

QStringList shownPrefixes(SettingsDialog &dialog)
{
    QStringList texts;
    QTableWidget *table = prefixTable(dialog);
    for (int row = 0; row < table->rowCount(); ++row)
        texts << table->item(row, 0)->text();
    return texts;
}

QStringList prefixesInUse()
{
    QStringList texts;
    for (int kind = 0; kind < Prefixes::Count; ++kind)
        texts << Prefixes::prefix(Prefixes::Kind(kind));
    return texts;
}

QStringList defaultPrefixes()
{
    QStringList texts;
    for (int kind = 0; kind < Prefixes::Count; ++kind)
        texts << Prefixes::defaultPrefix(Prefixes::Kind(kind));
    return texts;
}

QStringList storedKeys()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("Prefixes"));
    return settings.childKeys();
}

// One prefix stored apart from its default, so that "stored" and "defaults" differ.
void storeSignalGroupPrefix()
{
    QSettings().setValue(QStringLiteral("Prefixes/sgBaseName"), QByteArray("U0cj")); // "SG#"
    loadPrefixes(false);
}

} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Startup::setApplicationIdentity(); }

    void init()
    {
        QSettings().clear();
        loadPrefixes(false);
    }

    void form()
    {
        SettingsDialog dialog;
        QCOMPARE(dialog.objectName(), QStringLiteral("SettingsDialog"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Settings"));
        QCOMPARE(dialog.size(), QSize(382, 456));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label"))->text(),
                 QStringLiteral("Prefixes for object names:"));
        QTableWidget *table = prefixTable(dialog);
        QCOMPARE(table->columnCount(), 1);
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("Prefix"));
        const QStringList labels = { "Signal group",  "Stage",       "Matrix",         "Detector",
                                     "Sensor",        "Signal plan", "Dayplan",        "Week plan",
                                     "Seasonal plan", "Special day", "Control source", "Switch" };
        QCOMPARE(table->rowCount(), labels.size());
        for (int row = 0; row < labels.size(); ++row)
            QCOMPARE(table->verticalHeaderItem(row)->text(), labels.at(row));
        QVERIFY(table->item(0, 0)->flags() & Qt::ItemIsEditable);
        const auto buttons
            = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))->standardButtons();
        QCOMPARE(buttons,
                 QDialogButtonBox::Ok | QDialogButtonBox::Cancel
                     | QDialogButtonBox::RestoreDefaults);
        QCOMPARE(shownPrefixes(dialog), defaultPrefixes());
    }

    void okStoresTheEditedRows()
    {
        SettingsDialog dialog;
        prefixTable(dialog)->item(1, 0)->setText(QStringLiteral("St-"));
        prefixTable(dialog)->item(11, 0)->setText(QString());
        button(dialog, QDialogButtonBox::Ok)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(Prefixes::prefix(Prefixes::Stage), QStringLiteral("St-"));
        QCOMPARE(Prefixes::prefix(Prefixes::Switch), QString());
        QCOMPARE(storedKeys().size(), int(Prefixes::Count));
        loadPrefixes(false);
        QCOMPARE(Prefixes::prefix(Prefixes::Stage), QStringLiteral("St-"));
        QCOMPARE(Prefixes::prefix(Prefixes::Switch), QString());
    }

    void cancelAloneStoresNothing()
    {
        storeSignalGroupPrefix();
        SettingsDialog dialog;
        prefixTable(dialog)->item(1, 0)->setText(QStringLiteral("edited"));
        button(dialog, QDialogButtonBox::Cancel)->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(storedKeys(), QStringList { QStringLiteral("sgBaseName") });
        QCOMPARE(Prefixes::prefix(Prefixes::SignalGroup), QStringLiteral("SG#"));
        QCOMPARE(Prefixes::prefix(Prefixes::Stage), QStringLiteral("Stage."));
    }

    void restoreDefaultsThenOkStoresAllTwelve()
    {
        storeSignalGroupPrefix();
        SettingsDialog dialog;
        QCOMPARE(shownPrefixes(dialog).first(), QStringLiteral("SG#"));
        button(dialog, QDialogButtonBox::RestoreDefaults)->click();
        // The defaults are in use at once and shown.
        QCOMPARE(prefixesInUse(), defaultPrefixes());
        QCOMPARE(shownPrefixes(dialog), defaultPrefixes());
        QVERIFY(storedKeys().size() == 1);

        button(dialog, QDialogButtonBox::Ok)->click();
        QCOMPARE(storedKeys().size(), int(Prefixes::Count));
        loadPrefixes(false);
        QCOMPARE(prefixesInUse(), defaultPrefixes());
    }

    // Cancel, Escape and the window's close button after Restore Defaults all bring
    // the stored prefixes back.
    void restoreDefaultsThenLeaving_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel") << QStringLiteral("cancel");
        QTest::newRow("Escape") << QStringLiteral("escape");
        QTest::newRow("close button") << QStringLiteral("close");
    }

    void restoreDefaultsThenLeaving()
    {
        QFETCH(QString, how);
        storeSignalGroupPrefix();
        SettingsDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        button(dialog, QDialogButtonBox::RestoreDefaults)->click();
        QCOMPARE(Prefixes::prefix(Prefixes::SignalGroup), QStringLiteral("Group."));

        if (how == QLatin1String("cancel"))
            button(dialog, QDialogButtonBox::Cancel)->click();
        else if (how == QLatin1String("escape"))
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            QVERIFY(dialog.close());
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(Prefixes::prefix(Prefixes::SignalGroup), QStringLiteral("SG#"));
        QCOMPARE(storedKeys(), QStringList { QStringLiteral("sgBaseName") });
    }
};

PROJECT_TEST(TestSettingsDialog);
#include "tst_settingsdialog.moc"

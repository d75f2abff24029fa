#include "cnf/cnfsignalgroup.h"
#include "plivek/dialogs/elements/sgdefaultsdlg.h"
#include "testmain.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace {

const char *const tiverkIIKeys[] = { "redAmber", "greenBlink", "amberBlink", "amber", "minRed",
                                     "maxRed",   "minGreen",   "maxGreen",   nullptr };
const char *const allKeys[]
    = { "redAmber", "greenBlink", "amberBlink", "amber",     "minRed",    "maxRed",
        "minGreen", "maxGreen",   "extRed",     "extGreen1", "extGreen2", nullptr };

QVariantMap propertiesOf(const QObject &object)
{
    QVariantMap map;
    for (const QByteArray &name : object.dynamicPropertyNames())
        map.insert(QString::fromLatin1(name), object.property(name.constData()));
    return map;
}

} // namespace

class TestSGDefaultsDlg : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        SGDefaultsDlg dialog(false, nullptr);
        QCOMPARE(dialog.objectName(), QStringLiteral("SGDefaults"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Defaults fro signal groups"));
        for (const char *const *key = allKeys; *key; ++key) {
            const auto *box = dialog.findChild<QSpinBox *>(QLatin1String(*key));
            QVERIFY2(box, *key);
            QCOMPARE(box->minimum(), -1);
            QCOMPARE(box->maximum(), 65535);
            QCOMPARE(box->text(), QStringLiteral("not set"));
            QVERIFY(!dialog.widgetValue(QLatin1String(*key)).isValid());
        }
        QCOMPARE(dialog.findChildren<QSpinBox *>().size(), 11);
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label_26"))->text(),
                 QStringLiteral("extended red:"));
    }

    // The default group through the dialog as the main window moves it: all
    // its properties in, the family's keys out.
    void defaultGroup_data()
    {
        QTest::addColumn<bool>("tiverkII");
        QTest::addColumn<QVariantMap>("before");
        QTest::addColumn<QVariantMap>("edits");
        QTest::addColumn<QVariantMap>("after");

        // Only the eight keys are stored for TIVERK II: the hidden extended
        // timings keep what they had, changed or not.
        QTest::newRow("TIVERK II keeps extRed")
            << true << QVariantMap { { "extRed", 4 }, { "amber", 3 } }
            << QVariantMap { { "extRed", 9 } } << QVariantMap { { "extRed", 4 }, { "amber", 3 } };
        QTest::newRow("amber set to not set")
            << false << QVariantMap { { "amber", 3 }, { "extGreen2", 7 } }
            << QVariantMap { { "amber", -1 } } << QVariantMap { { "extGreen2", 7 } };
        QTest::newRow("TIVERK II amber set to not set")
            << true << QVariantMap { { "amber", 3 }, { "minGreen", 0 } }
            << QVariantMap { { "amber", -1 } } << QVariantMap { { "minGreen", 0 } };
        QTest::newRow("new values")
            << false << QVariantMap() << QVariantMap { { "redAmber", 2 }, { "extGreen1", 65535 } }
            << QVariantMap { { "redAmber", 2 }, { "extGreen1", 65535 } };
    }

    void defaultGroup()
    {
        QFETCH(bool, tiverkII);
        QFETCH(QVariantMap, before);
        QFETCH(QVariantMap, edits);
        QFETCH(QVariantMap, after);

        CnfSignalGroup group;
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            group.setProperty(it.key().toLatin1().constData(), it.value());

        SGDefaultsDlg dialog(tiverkII, nullptr);
        dialog.mapToWidgets(propertiesOf(group));
        for (auto it = edits.cbegin(); it != edits.cend(); ++it)
            dialog.findChild<QSpinBox *>(it.key())->setValue(it.value().toInt());
        dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))
            ->button(QDialogButtonBox::Ok)
            ->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        dialog.widgetsToProperties(&group, tiverkII ? tiverkIIKeys : allKeys);
        QCOMPARE(propertiesOf(group), after);
    }
};

PROJECT_TEST(TestSGDefaultsDlg);
#include "tst_sgdefaultsdlg.moc"

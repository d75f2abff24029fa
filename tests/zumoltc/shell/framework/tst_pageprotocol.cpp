#include "testmain.h"
#include "testpage.h"
#include "zumoltc/shell/framework/pageprotocol.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestPageProtocol : public QObject
{
    Q_OBJECT
private slots:
    // Apply writes only for the Apply button of a loaded, changed page, only the
    // changed fields, then takes the new baseline and reports the model class.
    void applyWritesChangedFields()
    {
        QObject owner;
        ZUDetector *detector = newDetector(&owner, 5, QStringLiteral("Detector.5"));
        TestPage page;
        QPushButton *apply = page.buttonBox->button(QDialogButtonBox::Apply);
        // const char * is no meta type, so the class names are kept by hand.
        QList<QByteArray> configurationChanged;
        connect(
            &page, &TestPage::configurationChanged, this,
            [&configurationChanged](const char *className) { configurationChanged << className; });

        // Nothing loaded: even an enabled Apply writes nothing.
        page.report->setChecked(true);
        apply->setEnabled(true);
        QTest::mouseClick(apply, Qt::LeftButton);
        QCOMPARE(page.applied, 0);

        page.setObjects({ detector });
        // Loaded but unchanged.
        apply->setEnabled(true);
        QTest::mouseClick(apply, Qt::LeftButton);
        QCOMPARE(page.applied, 0);

        // Changed elsewhere meanwhile: a field the user did not touch keeps it.
        detector->setName(QStringLiteral("Renamed"));
        page.report->setChecked(true);
        QVERIFY(apply->isEnabled());
        QTest::mouseClick(page.buttonBox->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        QVERIFY(!page.report->isChecked());
        page.report->setChecked(true);
        QTest::mouseClick(apply, Qt::LeftButton);
        QCOMPARE(page.applied, 1);
        QVERIFY(detector->report());
        QCOMPARE(detector->name(), QStringLiteral("Renamed"));
        QCOMPARE(detector->id(), 5);
        QCOMPARE(configurationChanged.count(), 1);
        QCOMPARE(configurationChanged.first(), QByteArray("ZUDetector"));
        QVERIFY(!page.validator->anyChanged());
        QVERIFY(!apply->isEnabled());

        // The id written, the name following it; the title becomes the list text.
        page.id->setValue(12);
        QTest::mouseClick(apply, Qt::LeftButton);
        QCOMPARE(detector->id(), 12);
        QCOMPARE(detector->name(), QStringLiteral("Detector.12"));
        QCOMPARE(page.windowTitle(), detector->text(QString()));
    }

    // Several objects: only the changed field reaches them all; ids and names are kept.
    void applyToSeveral()
    {
        QObject owner;
        QList<QPointer<ZUDetector>> detectors;
        for (int id : { 1, 2, 3 })
            detectors << newDetector(&owner, id, QStringLiteral("D%1").arg(id));
        TestPage page;
        page.setObjects(detectors);
        QCOMPARE(page.number->text(), QString());
        QCOMPARE(page.number->placeholderText(), QStringLiteral("1"));
        delete detectors.at(1);
        page.report->setChecked(true);
        QTest::mouseClick(page.buttonBox->button(QDialogButtonBox::Apply), Qt::LeftButton);
        QCOMPARE(page.applied, 1);
        QVERIFY(detectors.at(0)->report());
        QVERIFY(detectors.at(2)->report());
        QCOMPARE(detectors.at(0)->id(), 1);
        QCOMPARE(detectors.at(2)->name(), QStringLiteral("D3"));
    }

    void isManualName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("manual");

        QTest::newRow("follows") << QStringLiteral("Group.3") << QStringLiteral("Group.") << 3
                                 << false;
        QTest::newRow("own name") << QStringLiteral("North") << QStringLiteral("Group.") << 3
                                  << true;
        QTest::newRow("other id") << QStringLiteral("Group.4") << QStringLiteral("Group.") << 3
                                  << true;
        QTest::newRow("empty prefix") << QStringLiteral("3") << QString() << 3 << false;
        QTest::newRow("prefix of an id not set")
            << QStringLiteral("Group.") << QStringLiteral("Group.") << 2147483647 << false;
        QTest::newRow("empty name") << QString() << QStringLiteral("Group.") << 3 << true;
    }

    void isManualName()
    {
        QFETCH(QString, name);
        QFETCH(QString, prefix);
        QFETCH(int, id);
        QFETCH(bool, manual);
        QCOMPARE(PageProtocol::isManualName(name, prefix, id), manual);
    }

    // The name follows the id while manualName is off, on every change of id.
    void nameFollowsId()
    {
        QObject owner;
        ZUDetector *detector = newDetector(&owner, 4, QStringLiteral("Loop"));
        TestPage page;
        page.setObjects({ detector });
        QVERIFY(page.manualName->isChecked());
        QVERIFY(!page.name->isReadOnly());
        QCOMPARE(page.name->text(), QStringLiteral("Loop"));

        page.id->setFocus();
        QTest::keyClicks(page.id, QStringLiteral("2"));
        QCOMPARE(page.name->text(), QStringLiteral("Loop"));

        page.manualName->setChecked(false);
        QVERIFY(page.name->isReadOnly());
        QCOMPARE(page.name->text(), QStringLiteral("Detector.42"));
        QTest::keyClick(page.id, Qt::Key_Backspace);
        QCOMPARE(page.name->text(), QStringLiteral("Detector.4"));
        QTest::keyClick(page.id, Qt::Key_Backspace);
        QCOMPARE(page.name->text(), QStringLiteral("Detector."));

        // A following name loads with manualName off, after a manual one too.
        detector->setName(QStringLiteral("Detector.4"));
        page.manualName->setChecked(true);
        page.setObjects({ detector });
        QVERIFY(!page.manualName->isChecked());
        QVERIFY(page.name->isReadOnly());
        QCOMPARE(page.name->text(), QStringLiteral("Detector.4"));
        QVERIFY(!page.validator->anyChanged());
    }

    // A prefix the user set in the settings is the one names follow.
    void nameFollowsPrefixInUse()
    {
        const QString kept = Prefixes::prefix(Prefixes::Detector);
        Prefixes::setPrefix(Prefixes::Detector, QStringLiteral("Loop-"));
        QObject owner;
        ZUDetector *following = newDetector(&owner, 3, QStringLiteral("Loop-3"));
        ZUDetector *old = newDetector(&owner, 4, QStringLiteral("Detector.4"));
        TestPage page;
        page.setObjects({ following });
        const bool followingManual = page.manualName->isChecked();
        page.setObjects({ old });
        const bool oldManual = page.manualName->isChecked();
        page.manualName->setChecked(false);
        const QString renamed = page.name->text();
        Prefixes::setPrefix(Prefixes::Detector, kept);

        QVERIFY(!followingManual);
        QVERIFY(oldManual);
        QCOMPARE(renamed, QStringLiteral("Loop-4"));
    }
};

PROJECT_TEST(TestPageProtocol);
#include "tst_pageprotocol.moc"

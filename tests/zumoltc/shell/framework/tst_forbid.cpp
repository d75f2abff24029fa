#include "testmain.h"
#include "testpage.h"
#include "zumoltc/model/zuswitch.h"
#include "zumoltc/shell/framework/objectselection.h"

#include <QPushButton>
#include <QtTest>

namespace {

bool isRed(const QWidget *editor)
{
    return editor->palette().brush(QPalette::Active, QPalette::Base)
        == QBrush(Qt::red, Qt::SolidPattern);
}

} // namespace

class TestForbid : public QObject
{
    Q_OBJECT
private slots:
    // Which ids a shown object may not take.
    void forbidOtherIds_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<bool>("zeroAllowed");
        QTest::addColumn<int>("typed");
        QTest::addColumn<bool>("forbidden");

        QTest::newRow("another's id") << QList<int> { 1, 2, 3 } << true << 2 << true;
        QTest::newRow("own id") << QList<int> { 1, 2, 3 } << true << 1 << false;
        QTest::newRow("free id") << QList<int> { 1, 2, 3 } << true << 9 << false;
        QTest::newRow("zero allowed") << QList<int> { 1 } << true << 0 << false;
        QTest::newRow("switch forbids 0 alone") << QList<int> { 1 } << false << 0 << true;
        QTest::newRow("two others share an id") << QList<int> { 1, 4, 4 } << true << 4 << true;
    }

    void forbidOtherIds()
    {
        QFETCH(QList<int>, ids);
        QFETCH(bool, zeroAllowed);
        QFETCH(int, typed);
        QFETCH(bool, forbidden);

        QObject owner;
        QList<QPointer<ZUSwitch>> all;
        for (int id : ids) {
            auto *sw = new ZUSwitch(&owner);
            sw->setId(id);
            all << sw;
        }
        QWidget page;
        auto *field = new IntEdit(&page);
        DialogItemValidator validator(&page);
        field->setValue(ids.first());
        validator.snapshotAll();
        ::forbidOtherIds(&validator, field, { all.first() }, all, zeroAllowed);
        field->setValue(typed);
        QCOMPARE(isRed(field), forbidden);
        QCOMPARE(page.property("valid").toBool(), !forbidden);
    }

    // Names of the other objects, an empty one too; dead objects forbid nothing.
    void forbidOtherNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("forbidden");

        QTest::newRow("another's name") << QStringLiteral("South") << true;
        QTest::newRow("own name") << QStringLiteral("North") << false;
        QTest::newRow("case differs") << QStringLiteral("south") << false;
        QTest::newRow("empty like another") << QString() << true;
        QTest::newRow("name of a deleted object") << QStringLiteral("Gone") << false;
    }

    void forbidOtherNames()
    {
        QFETCH(QString, typed);
        QFETCH(bool, forbidden);

        QObject owner;
        QList<QPointer<ZUDetector>> all;
        for (const char *name : { "North", "South", "", "Gone" })
            all << newDetector(&owner, all.size() + 1, QLatin1String(name));
        delete all.last().data();
        QWidget page;
        auto *field = new QLineEdit(&page);
        DialogItemValidator validator(&page);
        field->setText(QStringLiteral("North"));
        validator.snapshotAll();
        ::forbidOtherNames(&validator, field, { all.first() }, all);
        field->setText(typed);
        QCOMPARE(isRed(field), forbidden);
    }

    // Several objects drop the lists and disable id and name; one object again
    // gets fresh lists.
    void severalThenOne()
    {
        QObject owner;
        QList<QPointer<ZUDetector>> all;
        for (int id : { 1, 2, 3 })
            all << newDetector(&owner, id, TestPage::prefix() + QString::number(id));
        TestPage page;
        page.setObjects({ all.at(0) }, all);
        page.id->setValue(2);
        QVERIFY(isRed(page.id));
        QTest::mouseClick(page.buttonBox->button(QDialogButtonBox::Cancel), Qt::LeftButton);

        page.setObjects({ all.at(0), all.at(1) }, all);
        QVERIFY(!page.id->isEnabled());
        QVERIFY(!page.name->isEnabled());
        QVERIFY(!page.manualName->isEnabled());
        QVERIFY(page.id->text().isEmpty());
        QVERIFY(page.name->text().isEmpty());
        QVERIFY(page.property("valid").toBool());

        page.setObjects({ all.at(1) }, all);
        QVERIFY(page.id->isEnabled());
        QVERIFY(page.name->isEnabled());
        QCOMPARE(page.name->text(), QStringLiteral("Detector.2"));
        page.id->setValue(1);
        QVERIFY(isRed(page.id));
        QVERIFY(!page.property("valid").toBool());
        page.id->setValue(3);
        QVERIFY(isRed(page.id));
        page.id->setValue(2);
        QVERIFY(!isRed(page.id));
        QVERIFY(!page.validator->anyChanged());
    }

    // Several objects with differing values: a typed value is written to all; the
    // field emptied again before Apply writes nothing.
    void mergedFieldEmptiedAgain()
    {
        QObject owner;
        QList<QPointer<ZUDetector>> all;
        for (int id : { 4, 5 })
            all << newDetector(&owner, id, QString());
        TestPage page;
        page.setObjects(all, all);
        QCOMPARE(page.number->placeholderText(), QStringLiteral("4"));
        page.number->setValue(9);
        QVERIFY(page.validator->isChanged(page.number));
        page.number->setValue(2147483647);
        QVERIFY(!page.validator->isChanged(page.number));
        QVERIFY(!page.validator->anyChanged());
    }
};

PROJECT_TEST(TestForbid);
#include "tst_forbid.moc"

#include "pagetesting.h"
#include "testmain.h"
#include "windowtesting.h"

#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zuenums.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QTreeWidgetItemIterator>
#include <QtTest>

// Every page opened on a configuration and applied without a change changes
// nothing: the configuration saves the bytes it saved before, and the window
// holds no change to save.
class TestUntouchedPages : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { zu::registerDisplayTexts(); }

    void applyWithoutChange_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("fixture");
        QTest::newRow("plivek's sample") << "examples"
                                         << "zumolt_intersection.json";
        QTest::newRow("every section filled") << "zumolt"
                                              << "complete.json";
        QTest::newRow("unknown members") << "zumolt"
                                         << "unknown-members.json";
        QTest::newRow("page fixture") << "zumoltc"
                                      << "pages.json";
        QTest::newRow("plans") << "zumoltc"
                               << "plans.json";
        QTest::newRow("scheduler") << "zumoltc"
                                   << "scheduler.json";
    }

    // Each item of the section tree is selected alone, as the user does; each
    // page it shows must come up unchanged, and its Apply write nothing.
    void applyWithoutChange()
    {
        QFETCH(QString, folder);
        QFETCH(QString, fixture);
        WindowFixture w(fixture, folder);
        QVERIFY(w.loaded);
        const QByteArray plain = w.configuration()->toJson();
        auto *save = w.window.findChild<QAction *>(QStringLiteral("actionSave"));
        QVERIFY(!save->isEnabled());

        QList<QTreeWidgetItem *> items;
        for (QTreeWidgetItemIterator it(w.tree()); *it; ++it)
            items << *it;
        QVERIFY(items.size() > 1);
        for (QTreeWidgetItem *item : qAsConst(items)) {
            w.select({ item });
            QWidget *page = w.tabs()->currentWidget();
            if (!page)
                continue;
            const QString where = item->text(0) + QStringLiteral(": ")
                + QString::fromLatin1(page->metaObject()->className());
            auto *buttons = page->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
            QAbstractButton *apply = buttons ? buttons->button(QDialogButtonBox::Apply) : nullptr;
            if (!apply)
                continue;
            QVERIFY2(!page->property("changed").toBool(), qPrintable(where));
            QVERIFY2(!apply->isEnabled(), qPrintable(where));
            // What a click of Apply runs, although the button is disabled.
            QVERIFY(QMetaObject::invokeMethod(page, "on_buttonBox_clicked",
                                              Q_ARG(QAbstractButton *, apply)));
            QVERIFY2(!save->isEnabled(), qPrintable(where));
        }
        QCOMPARE(w.configuration()->toJson(), plain);
    }
};

PROJECT_TEST(TestUntouchedPages);
#include "tst_untouchedpages.moc"

#include "plivek/programs/tiverk3/dtaddressdelegate.h"
#include "testmain.h"

#include <QLineEdit>
#include <QStandardItemModel>
#include <QtTest>

class TestDtAddressDelegate : public QObject
{
    Q_OBJECT
private:
    // An editor of the delegate for a cell showing `text`.
    QLineEdit *openEditor(DtAddressDelegate &delegate, QStandardItemModel &model,
                          const QString &text)
    {
        model.setItem(0, 0, new QStandardItem(text));
        QWidget *widget = delegate.createEditor(&m_host, QStyleOptionViewItem(), model.index(0, 0));
        auto *edit = qobject_cast<QLineEdit *>(widget);
        delegate.setEditorData(edit, model.index(0, 0));
        return edit;
    }

    QWidget m_host;

private slots:
    void commaKey_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("5") << "5,"
                           << "5,6";
        QTest::newRow("5 twice") << "5,,"
                                 << "5,6,7";
        QTest::newRow("four numbers") << "5,,,,"
                                      << "5,6,7,8";
        QTest::newRow("31") << "31,"
                            << "31,32";
        QTest::newRow("32 stays") << "32,"
                                  << "32";
        // "0,1" could not be stored, so 0 is not extended.
        QTest::newRow("0 stays") << "0,"
                                 << "0";
        QTest::newRow("comma without number") << ","
                                              << ",";
        QTest::newRow("after a trailing comma") << ",,"
                                                << ",";
    }

    void commaKey()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        DtAddressDelegate delegate;
        QStandardItemModel model(1, 1);
        QLineEdit *edit = openEditor(delegate, model, QString());
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), expected);
    }

    void storedText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("red");
        QTest::newRow("gap") << "3,5"
                             << "old" << true;
        QTest::newRow("trailing comma") << "3,4,"
                                        << "3,4" << false;
        QTest::newRow("lone 32") << "32"
                                 << "old" << true;
        QTest::newRow("from 0") << "0,1"
                                << "old" << true;
        QTest::newRow("five numbers") << "1,2,3,4,5"
                                      << "old" << true;
        QTest::newRow("above 32") << "33"
                                  << "old" << true;
        QTest::newRow("31,32") << "31,32"
                               << "31,32" << false;
        QTest::newRow("lone 0") << "0"
                                << "0" << false;
        QTest::newRow("emptied") << ""
                                 << "" << false;
    }

    void storedText()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(bool, red);
        DtAddressDelegate delegate;
        QStandardItemModel model(1, 1);
        QLineEdit *edit = openEditor(delegate, model, QStringLiteral("old"));
        QCOMPARE(edit->property("old_text").toString(), QStringLiteral("old"));
        edit->setText(typed);
        QCOMPARE(edit->palette().color(QPalette::Active, QPalette::Base) == QColor(Qt::red), red);
        QCOMPARE(edit->palette().color(QPalette::Disabled, QPalette::Base) == QColor(Qt::red), red);
        delegate.setModelData(edit, &model, model.index(0, 0));
        QCOMPARE(model.item(0, 0)->text(), stored);
    }

    void encoding_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("value");
        QTest::newRow("3,4,5") << "3,4,5" << 67;
        QTest::newRow("single") << "7" << 7;
        QTest::newRow("31,32") << "31,32" << 63;
        QTest::newRow("1,2") << "1,2" << 33;
        QTest::newRow("0") << "0" << 0;
    }

    void encoding()
    {
        QFETCH(QString, list);
        QFETCH(int, value);
        QCOMPARE(DtAddressDelegate::encodeAddressList(list), value);
        QCOMPARE(DtAddressDelegate::addressListText(value), list);
    }

    void sizeHint()
    {
        DtAddressDelegate delegate;
        QStandardItemModel model(1, 1);
        QCOMPARE(delegate.sizeHint(QStyleOptionViewItem(), model.index(0, 0)), QSize(50, 23));
    }
};

PROJECT_TEST(TestDtAddressDelegate);
#include "tst_dtaddressdelegate.moc"

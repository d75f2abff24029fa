#include "testmain.h"
#include "zumoltc/shell/framework/intedit.h"

#include <QIntValidator>
#include <QSignalSpy>
#include <QtTest>

namespace {

constexpr int NotSet = 2147483647;

} // namespace

class TestIntEdit : public QObject
{
    Q_OBJECT
private slots:
    // What a text reads as, and what every text change tells.
    void value_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("ok");

        QTest::newRow("empty is not set") << QString() << NotSet << false;
        QTest::newRow("zero") << QStringLiteral("0") << 0 << true;
        QTest::newRow("number") << QStringLiteral("42") << 42 << true;
        QTest::newRow("largest reads as not set") << QStringLiteral("2147483647") << NotSet << true;
        QTest::newRow("beyond int") << QStringLiteral("2147483648") << NotSet << false;
    }

    void value()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(bool, ok);

        IntEdit edit;
        edit.setText(QStringLiteral("7"));
        QSignalSpy spy(&edit, &IntEdit::valueChanged);
        edit.setText(text);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toInt(), value);

        bool isNumber = !ok;
        QCOMPARE(edit.value(&isNumber), value);
        QCOMPARE(isNumber, ok);
        QCOMPARE(edit.property("value").toInt(), value);
    }

    void setValue_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");

        QTest::newRow("not set empties") << NotSet << QString();
        QTest::newRow("zero shows") << 0 << QStringLiteral("0");
        QTest::newRow("number") << 254 << QStringLiteral("254");
    }

    void setValue()
    {
        QFETCH(int, value);
        QFETCH(QString, text);

        IntEdit edit;
        edit.setText(QStringLiteral("9"));
        QSignalSpy spy(&edit, &IntEdit::valueChanged);
        QVERIFY(edit.setProperty("value", value));
        QCOMPARE(edit.text(), text);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toInt(), value);
    }

    // The merge of one attribute over several objects, in list order.
    void mergeValue_data()
    {
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("placeholder");

        QTest::newRow("one value") << QList<int> { 4 } << QStringLiteral("4") << QString();
        QTest::newRow("all equal") << QList<int> { 6, 6, 6 } << QStringLiteral("6") << QString();
        QTest::newRow("differ") << QList<int> { 3, 3, 5 } << QString() << QStringLiteral("3");
        QTest::newRow("first kept") << QList<int> { 3, 5, 7 } << QString() << QStringLiteral("3");
        QTest::newRow("first not set")
            << QList<int> { NotSet, 5, 7 } << QString() << QStringLiteral("5");
        QTest::newRow("later not set")
            << QList<int> { 8, NotSet } << QString() << QStringLiteral("8");
        QTest::newRow("none set") << QList<int> { NotSet, NotSet } << QString() << QString();
        QTest::newRow("zero against not set")
            << QList<int> { NotSet, 0 } << QString() << QStringLiteral("0");
    }

    void mergeValue()
    {
        QFETCH(QList<int>, values);
        QFETCH(QString, text);
        QFETCH(QString, placeholder);

        IntEdit edit;
        // A merge left over from the last selection must not count.
        edit.mergeValue(1);
        edit.mergeValue(2);
        edit.reset();
        QCOMPARE(edit.placeholderText(), QString());

        for (int value : qAsConst(values))
            edit.mergeValue(value);
        QCOMPARE(edit.text(), text);
        QCOMPARE(edit.placeholderText(), placeholder);
    }

    // Typed keys pass the validator or are refused; an empty field is always
    // acceptable input, even in a narrowed range.
    void typing_data()
    {
        QTest::addColumn<int>("bottom");
        QTest::addColumn<int>("top");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");

        QTest::newRow("digits") << 0 << NotSet << QString() << QStringLiteral("120")
                                << QStringLiteral("120");
        QTest::newRow("minus refused")
            << 0 << NotSet << QString() << QStringLiteral("-5") << QStringLiteral("5");
        QTest::newRow("letters refused")
            << 0 << NotSet << QStringLiteral("1") << QStringLiteral("a2b") << QStringLiteral("12");
        QTest::newRow("emptied in 3..254")
            << 3 << 254 << QStringLiteral("5") << QStringLiteral("\b") << QString();
        QTest::newRow("above 254 refused")
            << 3 << 254 << QString() << QStringLiteral("2549") << QStringLiteral("254");
        QTest::newRow("top 9999") << 0 << 9999 << QString() << QStringLiteral("123456")
                                  << QStringLiteral("1234");
    }

    void typing()
    {
        QFETCH(int, bottom);
        QFETCH(int, top);
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QFETCH(QString, text);

        IntEdit edit;
        if (bottom == 0)
            edit.setTop(top);
        else
            edit.setRange(bottom, top);
        const auto *validator = qobject_cast<const QIntValidator *>(edit.validator());
        QVERIFY(validator);
        QCOMPARE(validator->bottom(), bottom);
        QCOMPARE(validator->top(), top);

        edit.setText(start);
        edit.setFocus();
        edit.end(false);
        for (const QChar key : keys) {
            if (key == QLatin1Char('\b'))
                QTest::keyClick(&edit, Qt::Key_Backspace);
            else
                QTest::keyClicks(&edit, QString(key));
        }
        QCOMPARE(edit.text(), text);
        if (text.isEmpty())
            QCOMPARE(edit.value(), NotSet);
    }
};

PROJECT_TEST(TestIntEdit);
#include "tst_intedit.moc"

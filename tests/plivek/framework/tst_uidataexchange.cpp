#include "cnf/vobject.h"
#include "plivek/framework/tiverkedittable.h"
#include "plivek/framework/uidataexchange.h"
#include "testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A dialog holding one widget of each kind the exchange knows, by key name.
class ExchangeDialog : public UiDataExchange
{
public:
    ExchangeDialog()
    {
        auto *layout = new QVBoxLayout(this);
        auto add = [this, layout](QWidget *widget, const char *name) {
            widget->setObjectName(QLatin1String(name));
            layout->addWidget(widget);
            return widget;
        };
        combo = static_cast<QComboBox *>(add(new QComboBox, "combo"));
        combo->addItems({ "No", "Mayak", "GPS" });
        check = static_cast<QCheckBox *>(add(new QCheckBox, "check"));
        tristate = static_cast<QCheckBox *>(add(new QCheckBox, "tristate"));
        tristate->setTristate(true);
        notSetSpin = static_cast<QSpinBox *>(add(new QSpinBox, "notSetSpin"));
        notSetSpin->setRange(-1, 100);
        notSetSpin->setSpecialValueText(QStringLiteral("Not set"));
        plainSpin = static_cast<QSpinBox *>(add(new QSpinBox, "plainSpin"));
        plainSpin->setRange(-1, 100);
        line = static_cast<QLineEdit *>(add(new QLineEdit, "line"));
        plain = static_cast<QPlainTextEdit *>(add(new QPlainTextEdit, "plain"));
        table = static_cast<TiverkEditTable *>(add(new TiverkEditTable, "table"));
        add(new QWidget, "bare");
        group = static_cast<QGroupBox *>(add(new QGroupBox, "group"));
        auto *inner = new QVBoxLayout(group);
        nested = new QLineEdit(group);
        nested->setObjectName(QStringLiteral("nested"));
        inner->addWidget(nested);
    }

    QComboBox *combo;
    QCheckBox *check;
    QCheckBox *tristate;
    QSpinBox *notSetSpin;
    QSpinBox *plainSpin;
    QLineEdit *line;
    QPlainTextEdit *plain;
    TiverkEditTable *table;
    QGroupBox *group;
    QLineEdit *nested;
};

// Two values are the same value, or both not set.
bool sameValue(const QVariant &actual, const QVariant &expected)
{
    if (!expected.isValid())
        return !actual.isValid();
    return actual.isValid() && actual == expected;
}

const QVariant NotSet;

} // namespace

class TestUiDataExchange : public QObject
{
    Q_OBJECT
private slots:
    // Writes a value into the named widget and reads it back: the widget kind
    // decides what the written value becomes.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<QVariant>("read");

        QTest::newRow("combo index") << "combo" << QVariant(2) << QVariant(2);
        QTest::newRow("combo text") << "combo" << QVariant("Mayak") << QVariant(1);
        QTest::newRow("combo text matching no item")
            << "combo" << QVariant("mayak") << QVariant(-1);
        QTest::newRow("combo not set selects the first") << "combo" << NotSet << QVariant(0);
        QTest::newRow("check 1") << "check" << QVariant(1) << QVariant(1);
        QTest::newRow("check 2 unchecks") << "check" << QVariant(2) << QVariant(0);
        QTest::newRow("check true text unchecks") << "check" << QVariant("true") << QVariant(0);
        QTest::newRow("check not set unchecks") << "check" << NotSet << QVariant(0);
        QTest::newRow("tristate not set") << "tristate" << NotSet << NotSet;
        QTest::newRow("tristate 1") << "tristate" << QVariant(1) << QVariant(1);
        QTest::newRow("special spin number") << "notSetSpin" << QVariant(5) << QVariant(5);
        QTest::newRow("special spin at minimum") << "notSetSpin" << QVariant(-1) << NotSet;
        QTest::newRow("special spin not set") << "notSetSpin" << NotSet << NotSet;
        QTest::newRow("plain spin at minimum") << "plainSpin" << QVariant(-1) << QVariant(-1);
        QTest::newRow("plain spin not set is 0") << "plainSpin" << NotSet << QVariant(0);
        QTest::newRow("line text") << "line" << QVariant("host") << QVariant("host");
        QTest::newRow("line number") << "line" << QVariant(12) << QVariant("12");
        QTest::newRow("line empty") << "line" << QVariant("") << NotSet;
        QTest::newRow("line not set") << "line" << NotSet << NotSet;
        QTest::newRow("plain text") << "plain" << QVariant("AT+X\nAT+Y") << QVariant("AT+X\nAT+Y");
        QTest::newRow("plain only a space") << "plain" << QVariant(" ") << QVariant(" ");
        QTest::newRow("plain empty") << "plain" << QVariant("") << NotSet;
        QTest::newRow("nested in a group") << "nested" << QVariant("x") << QVariant("x");
        QTest::newRow("widget of no kind") << "bare" << QVariant(3) << NotSet;
        QTest::newRow("no such widget") << "missing" << QVariant(3) << NotSet;
    }

    void roundTrip()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, written);
        QFETCH(QVariant, read);

        ExchangeDialog dialog;
        dialog.setWidgetValue(name, written);
        const QVariant value = dialog.widgetValue(name);
        QVERIFY2(sameValue(value, read), qPrintable(value.toString()));
    }

    void tableData()
    {
        ExchangeDialog dialog;
        dialog.table->setColumnCount(2);
        dialog.setWidgetValue(QStringLiteral("table"), QVariantList { QVariantList { 1, 255 }, 7 });
        const QVariantList rows = dialog.widgetValue(QStringLiteral("table")).toList();
        QCOMPARE(rows.size(), 2);
        const QVariantList first = rows.at(0).toList();
        QCOMPARE(first.size(), 2);
        QCOMPARE(first.at(0), QVariant(1));
        QVERIFY(!first.at(1).isValid());
        QCOMPARE(rows.at(1).toList().at(0), QVariant(7));
    }

    void partlyTickedReadsNotSet()
    {
        ExchangeDialog dialog;
        dialog.tristate->setCheckState(Qt::PartiallyChecked);
        QVERIFY(!dialog.widgetValue(QStringLiteral("tristate")).isValid());
        dialog.tristate->setCheckState(Qt::Checked);
        QCOMPARE(dialog.widgetValue(QStringLiteral("tristate")), QVariant(1));
    }

    // Disabled widgets, also through a disabled ancestor, read not set; the
    // write rules ignore the enabled state.
    void disabledReadsNotSet()
    {
        ExchangeDialog dialog;
        dialog.line->setText(QStringLiteral("42"));
        dialog.line->setEnabled(false);
        QVERIFY(!dialog.widgetValue(QStringLiteral("line")).isValid());
        dialog.nested->setText(QStringLiteral("x"));
        dialog.group->setEnabled(false);
        QVERIFY(!dialog.widgetValue(QStringLiteral("nested")).isValid());
        dialog.setWidgetValue(QStringLiteral("line"), QStringLiteral("43"));
        QCOMPARE(dialog.line->text(), QStringLiteral("43"));

        VObject node = VObject::map();
        node["line"] = 42;
        static const char *const keys[] = { "line", nullptr };
        dialog.widgetsToVObject(node, keys);
        QVERIFY(!node["line"].toVariant().isValid());
    }

    void namedProperty()
    {
        ExchangeDialog dialog;
        dialog.combo->setCurrentIndex(2);
        QCOMPARE(dialog.widgetValue(QStringLiteral("combo"), "currentText"), QVariant("GPS"));
        // A property the class lacks falls back to the ordinary rules.
        QCOMPARE(dialog.widgetValue(QStringLiteral("combo"), "noSuchProperty"), QVariant(2));
        // The named property is taken as it is: no not-set test.
        dialog.notSetSpin->setValue(-1);
        QCOMPARE(dialog.widgetValue(QStringLiteral("notSetSpin"), "value"), QVariant(-1));
    }

    void lookupTakesTheFirstOfAName()
    {
        ExchangeDialog dialog;
        auto *second = new QLineEdit(dialog.group);
        second->setObjectName(QStringLiteral("line"));
        dialog.setWidgetValue(QStringLiteral("line"), QStringLiteral("direct child"));
        QCOMPARE(dialog.line->text(), QStringLiteral("direct child"));
        QVERIFY(second->text().isEmpty());
    }

    void keyListsStopAtNull()
    {
        ExchangeDialog dialog;
        dialog.line->setText(QStringLiteral("a"));
        dialog.plain->setPlainText(QStringLiteral("b"));
        QObject target;
        static const char *const keys[] = { "line", nullptr, "plain" };
        dialog.widgetsToProperties(&target, keys);
        QCOMPARE(target.property("line"), QVariant("a"));
        QVERIFY(!target.property("plain").isValid());

        VObject node = VObject::map();
        dialog.widgetsToVObject(node, keys);
        QCOMPARE(node.keys(), QStringList { "line" });
        QCOMPARE(dialog.widgetValues(keys), (QVariantMap { { "line", "a" } }));

        static const char *const empty[] = { nullptr };
        dialog.widgetsToProperties(&target, empty);
        dialog.widgetsToVObject(node, empty);
        QCOMPARE(node.keys(), QStringList { "line" });
        QVERIFY(dialog.widgetValues(empty).isEmpty());
        dialog.widgetsToProperties(nullptr, keys);
    }

    // Widget values by key, not set ones included as not set.
    void widgetValuesByKey()
    {
        ExchangeDialog dialog;
        dialog.notSetSpin->setValue(-1);
        dialog.plainSpin->setValue(-1);
        static const char *const keys[] = { "notSetSpin", "plainSpin", "missing", nullptr };
        const QVariantMap values = dialog.widgetValues(keys);
        QCOMPARE(values.keys(), (QStringList { "missing", "notSetSpin", "plainSpin" }));
        QVERIFY(!values.value("notSetSpin").isValid());
        QVERIFY(!values.value("missing").isValid());
        QCOMPARE(values.value("plainSpin"), QVariant(-1));
    }

    void notSetRemovesADynamicProperty()
    {
        ExchangeDialog dialog;
        QObject target;
        target.setProperty("line", 5);
        target.setProperty("notSetSpin", 5);
        dialog.notSetSpin->setValue(7);
        static const char *const keys[] = { "line", "notSetSpin", nullptr };
        dialog.widgetsToProperties(&target, keys);
        QVERIFY(!target.dynamicPropertyNames().contains("line"));
        QCOMPARE(target.property("notSetSpin"), QVariant(7));
    }

    void loadFromNodeAndMap()
    {
        ExchangeDialog dialog;
        VObject node = VObject::map();
        node["line"] = QStringLiteral("host");
        node["combo"] = 1;
        node["nowhere"] = 3;
        dialog.vobjectToWidgets(node);
        QCOMPARE(dialog.line->text(), QStringLiteral("host"));
        QCOMPARE(dialog.combo->currentIndex(), 1);

        dialog.mapToWidgets({ { "notSetSpin", QVariant() }, { "check", 1 }, { "nowhere", 2 } });
        QCOMPARE(dialog.notSetSpin->value(), -1);
        QVERIFY(dialog.check->isChecked());
    }

    // The spin boxes with a special text get the dialog's filter at the first
    // show: entering one at its minimum selects the text (queued), leaving it
    // erased puts it back to its minimum. No event is consumed.
    void spinBoxFocus()
    {
        ExchangeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        dialog.notSetSpin->setValue(-1);
        auto *edit = dialog.notSetSpin->findChild<QLineEdit *>();
        edit->deselect();
        // A click, not Tab: the spin box selects its text itself on Tab.
        QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(dialog.notSetSpin, &focusIn);
        QCoreApplication::processEvents();
        QCOMPARE(edit->selectedText(), QStringLiteral("Not set"));

        dialog.notSetSpin->setValue(5);
        edit->deselect();
        QCoreApplication::sendEvent(dialog.notSetSpin, &focusIn);
        QCoreApplication::processEvents();
        QVERIFY(edit->selectedText().isEmpty());

        edit->clear();
        QVERIFY(dialog.notSetSpin->cleanText().isEmpty());
        QFocusEvent focusOut(QEvent::FocusOut, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(dialog.notSetSpin, &focusOut);
        QCOMPARE(dialog.notSetSpin->value(), -1);
        QVERIFY(!dialog.widgetValue(QStringLiteral("notSetSpin")).isValid());

        // A spin box without special text is left alone.
        dialog.plainSpin->setValue(3);
        dialog.plainSpin->findChild<QLineEdit *>()->clear();
        QCoreApplication::sendEvent(dialog.plainSpin, &focusOut);
        QCOMPARE(dialog.plainSpin->value(), 3);
    }

    // Enter in a box with a special text is the dialog's OK. At its special text, or
    // with its number erased, the box stays not set: its text reads as no number,
    // which the box alone would correct to 0. A typed number is taken.
    void enterInANotSetBox_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("typed"); // "-": the number erased; empty: nothing typed
        QTest::addColumn<QVariant>("read");
        QTest::newRow("at the special text") << -1 << QString() << NotSet;
        QTest::newRow("number erased") << 5 << QStringLiteral("-") << NotSet;
        QTest::newRow("number typed") << -1 << QStringLiteral("12") << QVariant(12);
        QTest::newRow("number kept") << 7 << QString() << QVariant(7);
    }

    void enterInANotSetBox()
    {
        QFETCH(int, value);
        QFETCH(QString, typed);
        QFETCH(QVariant, read);
        ExchangeDialog dialog;
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
        dialog.layout()->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        // As the forms have it: a number out of range becomes the nearest one.
        dialog.notSetSpin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
        dialog.notSetSpin->setValue(value);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        buttons->button(QDialogButtonBox::Ok)->setDefault(true);
        dialog.notSetSpin->setFocus();
        auto *edit = dialog.notSetSpin->findChild<QLineEdit *>();
        if (typed == QLatin1String("-")) {
            edit->clear();
        } else if (!typed.isEmpty()) {
            edit->selectAll();
            QTest::keyClicks(dialog.notSetSpin, typed);
        }
        QTest::keyClick(dialog.notSetSpin, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(sameValue(dialog.widgetValue(QStringLiteral("notSetSpin")), read));
    }

    void filterNeverConsumes()
    {
        ExchangeDialog dialog;
        dialog.show();
        QFocusEvent focusIn(QEvent::FocusIn);
        QFocusEvent focusOut(QEvent::FocusOut);
        QVERIFY(!dialog.eventFilter(dialog.notSetSpin, &focusIn));
        QVERIFY(!dialog.eventFilter(dialog.notSetSpin, &focusOut));
        QVERIFY(!dialog.eventFilter(dialog.line, &focusOut));
    }
};

PROJECT_TEST(TestUiDataExchange);
#include "tst_uidataexchange.moc"

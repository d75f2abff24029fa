#include "cnf/cnfcontroller.h"
#include "cnf/vobject.h"
#include "plivek/dialogs/controller/outputsdlg.h"
#include "testmain.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace {

VObject board(CnfController &controller, int n)
{
    return controller
        .nativeData()["modules"]["SystemBus"]["devices"][QStringLiteral("DIO%1").arg(n)];
}

QVariantMap out(int channel, const QVariant &output)
{
    return { { "channel", channel }, { "type", "out" }, { "output", output } };
}

struct Form
{
    explicit Form(OutputsDlg &dialog)
        : dialog(dialog)
        , number(dialog.findChild<QSpinBox *>("number"))
        , name(dialog.findChild<QLineEdit *>("name"))
        , type(dialog.findChild<QComboBox *>("type"))
        , channel(dialog.findChild<QComboBox *>("dio_channel"))
        , defaultValue(dialog.findChild<QLineEdit *>("defaultValue"))
        , ok(dialog.findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok))
    {
    }
    QStringList typeTexts() const
    {
        QStringList texts;
        for (int i = 0; i < type->count(); ++i)
            texts << type->itemText(i);
        return texts;
    }
    QStringList channels() const
    {
        QStringList texts;
        for (int i = 0; i < channel->count(); ++i)
            texts << channel->itemText(i);
        return texts;
    }
    void chooseType(const QString &text) { type->setCurrentIndex(type->findText(text)); }
    bool okEnabled() const { return ok->isEnabled() && ok->parentWidget()->isEnabled(); }
    void pressOk() { QTest::mouseClick(ok, Qt::LeftButton); }

    OutputsDlg &dialog;
    QSpinBox *number;
    QLineEdit *name;
    QComboBox *type;
    QComboBox *channel;
    QLineEdit *defaultValue;
    QPushButton *ok;
};

QVariantList outputsOf(const CnfController &controller)
{
    return controller.nativeData()["outputs"].toVariant().toList();
}

QVariantList channelsOf(CnfController &controller, int n)
{
    return board(controller, n)["channels"].toVariant().toList();
}

} // namespace

class TestOutputsDlg : public QObject
{
    Q_OBJECT
private slots:
    void proposedIdAndName_data()
    {
        QTest::addColumn<QVariantList>("outputs");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::newRow("no outputs") << QVariantList() << 1 << "Output.1";
        QTest::newRow("gap") << QVariantList {
            QVariantMap { { "id", 1 } }, QVariantMap { { "id", 2 } }, QVariantMap { { "id", 4 } }
        } << 3 << "Output.3";
        QTest::newRow("name taken")
            << QVariantList { QVariantMap { { "id", 1 }, { "name", "Output.3" } },
                              QVariantMap { { "id", 2 }, { "name", "Output.4" } } }
            << 3 << "Output.5";
        // Ids past the old 0..99 range of the field stay what they are.
        QTest::newRow("beyond 99")
            << QVariantList { QVariantMap { { "id", 150 } } } << 1 << "Output.1";
    }

    // A new output gets the smallest free id and a free name; with no type
    // chosen it is stored unbound.
    void proposedIdAndName()
    {
        QFETCH(QVariantList, outputs);
        QFETCH(int, id);
        QFETCH(QString, name);
        CnfController controller;
        if (!outputs.isEmpty())
            controller.setNativeData("outputs", outputs);
        OutputsDlg dialog(&controller, 0);
        Form form(dialog);
        QCOMPARE(form.number->value(), id);
        QCOMPARE(form.name->text(), name);
        QCOMPARE(form.type->currentIndex(), -1);
        QVERIFY(form.okEnabled());
        form.pressOk();
        const QVariantMap stored = outputsOf(controller).last().toMap();
        QCOMPARE(stored, (QVariantMap { { "id", id }, { "name", name } }));
    }

    // An output with an id above 99 opens and is stored with that id, and
    // ids already given stay forbidden.
    void largeIdKept()
    {
        CnfController controller;
        controller.setNativeData("outputs",
                                 QVariantList { QVariantMap { { "id", 150 }, { "name", "Big" } },
                                                QVariantMap { { "id", 7 }, { "name", "Small" } } });
        OutputsDlg dialog(&controller, 150);
        Form form(dialog);
        QCOMPARE(form.number->value(), 150);
        form.number->setValue(7);
        QVERIFY(!form.okEnabled());
        form.number->setValue(0);
        QVERIFY(!form.okEnabled());
        form.number->setValue(150);
        form.pressOk();
        QCOMPARE(outputsOf(controller).first().toMap().value("id"), QVariant(150));
    }

    // Pins exist only with the Signal module; a new GPIO output proposes the
    // first pin that no other GPIO output names, unless its name is a pin.
    void gpioPins()
    {
        CnfController controller;
        OutputsDlg without(&controller, 0);
        QVERIFY(!Form(without).typeTexts().contains("GPIO"));

        controller.nativeData()["modules"]["Signal"] = QVariantMap { { "present", true } };
        controller.setNativeData(
            "outputs",
            QVariantList { QVariantMap { { "id", 1 }, { "name", "IO_1" }, { "type", "GPIO" } },
                           QVariantMap { { "id", 2 }, { "name", "IO_2" } } });
        OutputsDlg dialog(&controller, 0);
        Form form(dialog);
        QCOMPARE(form.typeTexts().last(), QStringLiteral("GPIO"));
        QCOMPARE(form.typeTexts().size(), 10);
        form.chooseType("GPIO");
        QCOMPARE(form.name->text(), QStringLiteral("IO_2"));
        QVERIFY(form.channel->isHidden());
        QVERIFY(form.defaultValue->isHidden());
        form.name->setText("IO_5");
        form.chooseType("I/O board 1");
        form.chooseType("GPIO");
        QCOMPARE(form.name->text(), QStringLiteral("IO_5"));
        form.defaultValue->setText("1");
        form.pressOk();
        QCOMPARE(outputsOf(controller).last().toMap(),
                 (QVariantMap { { "id", 3 }, { "name", "IO_5" }, { "type", "GPIO" } }));
    }

    // Which channels a board offers: outputs take a channel on every board,
    // inputs only on boards 1-4 and 9; a full board is offered only when
    // editing, and the output's own channel stays free on its own board.
    void freeChannels()
    {
        CnfController controller;
        controller.setNativeData("outputs",
                                 QVariantList { QVariantMap { { "id", 1 }, { "name", "A" } } });
        QVariantList full;
        for (int channel = 1; channel <= 16; ++channel)
            full << out(channel, 9);
        board(controller, 2)["channels"] = full;
        board(controller, 1)["channels"]
            = QVariantList { QVariantMap { { "channel", 3 }, { "detector", 5 } }, out(4, "A") };
        board(controller, 5)["channels"]
            = QVariantList { QVariantMap { { "channel", 3 }, { "detector", 5 } }, out(4, 9) };
        board(controller, 6)["channels"]
            = QVariantList { out(4, 9), QVariantMap { { "channel", "x" }, { "type", "out" } } };

        OutputsDlg added(&controller, 0);
        Form newForm(added);
        QVERIFY(!newForm.typeTexts().contains("I/O board 2"));
        newForm.chooseType("I/O board 1");
        QVERIFY(!newForm.channels().contains("3"));
        QVERIFY(!newForm.channels().contains("4"));
        newForm.chooseType("I/O board 5");
        QVERIFY(newForm.channels().contains("3"));
        QVERIFY(!newForm.channels().contains("4"));
        QCOMPARE(newForm.channels().size(), 15);

        // Output "A" is bound by name on board 1, channel 4.
        OutputsDlg edited(&controller, 1);
        Form form(edited);
        QVERIFY(form.typeTexts().contains("I/O board 2"));
        QCOMPARE(form.type->currentText(), QStringLiteral("I/O board 1"));
        QCOMPARE(form.channel->currentText(), QStringLiteral("4"));
        form.chooseType("I/O board 5");
        QVERIFY(!form.channels().contains("4"));
        QCOMPARE(form.channel->currentIndex(), 0);
        form.chooseType("I/O board 2");
        QVERIFY(form.channels().isEmpty());
        QVERIFY(!form.okEnabled()); // nowhere to bind the output
        form.chooseType("I/O board 1");
        QVERIFY(form.okEnabled());
    }

    // Only the id changes: the binding follows it. A move to another board
    // takes the old output binding away but leaves an input that shares the
    // number; the default value is stored only for a board output.
    void idRewriteAndMove()
    {
        CnfController controller;
        controller.setNativeData(
            "outputs",
            QVariantList { QVariantMap { { "id", 2 }, { "name", "B" }, { "default", "0" } } });
        board(controller, 5)["channels"]
            = QVariantList { QVariantMap { { "channel", 7 }, { "detector", 3 } }, out(7, 2) };

        {
            OutputsDlg dialog(&controller, 2);
            Form form(dialog);
            QCOMPARE(form.defaultValue->text(), QStringLiteral("0"));
            form.number->setValue(12);
            form.defaultValue->clear();
            form.pressOk();
        }
        QCOMPARE(outputsOf(controller).first().toMap(),
                 (QVariantMap { { "id", 12 }, { "name", "B" } }));
        QCOMPARE(channelsOf(controller, 5).at(1).toMap(), out(7, 12));

        {
            OutputsDlg dialog(&controller, 12);
            Form form(dialog);
            QCOMPARE(form.channel->currentText(), QStringLiteral("7"));
            form.chooseType("I/O board 3");
            form.channel->setCurrentIndex(form.channel->findText("2"));
            form.defaultValue->setText("1");
            form.pressOk();
        }
        QCOMPARE(channelsOf(controller, 5),
                 (QVariantList { QVariantMap { { "channel", 7 }, { "detector", 3 } } }));
        QCOMPARE(channelsOf(controller, 3), (QVariantList { out(2, 12) }));
        QCOMPARE(outputsOf(controller).first().toMap().value("default"), QVariant("1"));
    }

    // OK writes the binding only where it must change: a number follows a
    // new id in its own form; a name stays (the window's name following
    // gives it a new name). OK without a change leaves the data as it was.
    void bindingKeptUnlessIdChanges_data()
    {
        QTest::addColumn<QVariant>("binding");
        QTest::addColumn<int>("newId");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QVariant>("bindingAfter");
        QTest::newRow("number, no change") << QVariant(2) << 2 << "B" << QVariant(2);
        QTest::newRow("number, new id") << QVariant(2) << 12 << "B" << QVariant(12);
        QTest::newRow("number, new name") << QVariant(2) << 2 << "C" << QVariant(2);
        QTest::newRow("real number, no change") << QVariant(2.0) << 2 << "B" << QVariant(2.0);
        QTest::newRow("real number, new id") << QVariant(2.0) << 12 << "B" << QVariant(12.0);
        QTest::newRow("name, no change") << QVariant("B") << 2 << "B" << QVariant("B");
        QTest::newRow("name, new id") << QVariant("B") << 12 << "B" << QVariant("B");
        QTest::newRow("name, new name") << QVariant("B") << 2 << "C" << QVariant("B");
    }

    void bindingKeptUnlessIdChanges()
    {
        QFETCH(QVariant, binding);
        QFETCH(int, newId);
        QFETCH(QString, newName);
        QFETCH(QVariant, bindingAfter);
        const auto filled
            = [](CnfController &controller, int id, const QString &name, const QVariant &output) {
                  controller.setNativeData(
                      "outputs", QVariantList { QVariantMap { { "id", id }, { "name", name } } });
                  board(controller, 5)["channels"]
                      = QVariantList { QVariantMap { { "channel", 7 }, { "detector", 3 } },
                                       out(7, output) };
              };
        CnfController controller;
        filled(controller, 2, "B", binding);
        {
            OutputsDlg dialog(&controller, 2);
            Form form(dialog);
            QCOMPARE(form.type->currentText(), QStringLiteral("I/O board 5"));
            QCOMPARE(form.channel->currentText(), QStringLiteral("7"));
            form.number->setValue(newId);
            form.name->setText(newName);
            form.pressOk();
        }
        CnfController expected;
        filled(expected, newId, newName, bindingAfter);
        QCOMPARE(controller.save(-1), expected.save(-1));
        QCOMPARE(channelsOf(controller, 5).at(1).toMap().value("output").userType(),
                 bindingAfter.userType());
    }

    // Switching a board output to a pin releases its channel and drops its
    // default; switching a pin output to a board drops "GPIO".
    void gpioBoardSwitches()
    {
        CnfController controller;
        controller.nativeData()["modules"]["Signal"] = QVariantMap { { "present", true } };
        controller.setNativeData(
            "outputs",
            QVariantList { QVariantMap { { "id", 1 }, { "name", "A" }, { "default", "1" } } });
        board(controller, 1)["channels"] = QVariantList { out(5, 1) };
        {
            OutputsDlg dialog(&controller, 1);
            Form form(dialog);
            form.chooseType("GPIO");
            QCOMPARE(form.name->text(), QStringLiteral("A")); // an edited output keeps its name
            form.pressOk();
        }
        QCOMPARE(outputsOf(controller).first().toMap(),
                 (QVariantMap { { "id", 1 }, { "name", "A" }, { "type", "GPIO" } }));
        QCOMPARE(channelsOf(controller, 1), QVariantList());
        {
            OutputsDlg dialog(&controller, 1);
            Form form(dialog);
            QCOMPARE(form.type->currentText(), QStringLiteral("GPIO"));
            form.chooseType("I/O board 4");
            QCOMPARE(form.channel->currentText(), QStringLiteral("1"));
            form.pressOk();
        }
        QCOMPARE(outputsOf(controller).first().toMap(),
                 (QVariantMap { { "id", 1 }, { "name", "A" } }));
        QCOMPARE(channelsOf(controller, 4), (QVariantList { out(1, 1) }));
    }

    void cancelChangesNothing()
    {
        CnfController controller;
        controller.setNativeData("outputs",
                                 QVariantList { QVariantMap { { "id", 1 }, { "name", "A" } } });
        const QByteArray before = controller.save(-1);
        OutputsDlg dialog(&controller, 1);
        Form form(dialog);
        form.chooseType("I/O board 1");
        form.number->setValue(3);
        QTest::mouseClick(
            dialog.findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Cancel),
            Qt::LeftButton);
        QCOMPARE(controller.save(-1), before);
    }
};

PROJECT_TEST(TestOutputsDlg);
#include "tst_outputsdlg.moc"

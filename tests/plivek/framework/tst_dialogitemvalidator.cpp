#include "plivek/framework/dialogitemvalidator.h"
#include "testmain.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtTest>

namespace {

bool isRed(const QWidget *editor)
{
    return editor->palette().brush(QPalette::Active, QPalette::Base).color() == QColor(Qt::red)
        && editor->palette().brush(QPalette::Inactive, QPalette::Base).color() == QColor(Qt::red)
        && editor->palette().brush(QPalette::Disabled, QPalette::Base).color() == QColor(Qt::red);
}

// A dialog with two line edits, two spin boxes and an OK/Cancel box.
struct Fixture
{
    explicit Fixture(bool withButtonBox = true)
    {
        auto *layout = new QVBoxLayout(&dialog);
        for (QWidget *w : { static_cast<QWidget *>(name), static_cast<QWidget *>(code),
                            static_cast<QWidget *>(id), static_cast<QWidget *>(address) })
            layout->addWidget(w);
        id->setRange(0, 1000);
        address->setRange(0, 1000);
        if (withButtonBox) {
            buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
            // Deeper than a direct child: the validator searches recursively.
            auto *holder = new QWidget;
            (new QVBoxLayout(holder))->addWidget(buttons);
            layout->addWidget(holder);
        }
    }

    QDialog dialog;
    QLineEdit *name = new QLineEdit;
    QLineEdit *code = new QLineEdit;
    QSpinBox *id = new QSpinBox;
    QSpinBox *address = new QSpinBox;
    QDialogButtonBox *buttons = nullptr;
    DialogItemValidator *validator = new DialogItemValidator(&dialog);
};

} // namespace

class TestDialogItemValidator : public QObject
{
    Q_OBJECT
private slots:
    void lineEditTexts_data()
    {
        QTest::addColumn<QStringList>("forbidden");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("red");

        const QStringList names { QStringLiteral("Sg1"), QStringLiteral("Sg2") };
        QTest::newRow("taken name") << names << QStringLiteral("Sg2") << true;
        QTest::newRow("free name") << names << QStringLiteral("Sg3") << false;
        QTest::newRow("other case") << names << QStringLiteral("sg1") << false;
        QTest::newRow("empty text not forbidden") << names << QString() << false;
        QTest::newRow("empty list never blocks") << QStringList() << QStringLiteral("Sg1") << false;
        QTest::newRow("duplicates in list")
            << QStringList { QStringLiteral("a"), QStringLiteral("a") } << QStringLiteral("a")
            << true;
    }
    void lineEditTexts()
    {
        QFETCH(QStringList, forbidden);
        QFETCH(QString, text);
        QFETCH(bool, red);

        Fixture f;
        f.name->setText(QStringLiteral("start"));
        f.validator->addLineEdit(f.name, forbidden);
        f.name->setText(text);
        QCOMPARE(isRed(f.name), red);
        QCOMPARE(f.buttons->isEnabled(), !red);
        // Every button of the box follows, Cancel included.
        QCOMPARE(f.buttons->button(QDialogButtonBox::Cancel)->isEnabled(), !red);
    }

    void spinBoxValues_data()
    {
        QTest::addColumn<QList<int>>("forbidden");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("red");

        QTest::newRow("taken id") << QList<int> { 3, 7 } << 7 << true;
        QTest::newRow("free id") << QList<int> { 3, 7 } << 5 << false;
        QTest::newRow("empty list never blocks") << QList<int>() << 7 << false;
    }
    void spinBoxValues()
    {
        QFETCH(QList<int>, forbidden);
        QFETCH(int, value);
        QFETCH(bool, red);

        Fixture f;
        f.id->setValue(1);
        f.validator->addSpinBox(f.id, forbidden);
        f.id->setValue(value);
        QCOMPARE(isRed(f.id), red);
        QCOMPARE(f.buttons->isEnabled(), !red);
    }

    void editorReturnsToDefaultLook()
    {
        Fixture f;
        const QPalette fresh = QLineEdit().palette();
        f.validator->addLineEdit(f.name, { QStringLiteral("taken") });
        f.name->setText(QStringLiteral("taken"));
        QVERIFY(isRed(f.name));
        f.name->setText(QStringLiteral("free"));
        QVERIFY(!isRed(f.name));
        QCOMPARE(f.name->palette().color(QPalette::Active, QPalette::Base),
                 fresh.color(QPalette::Active, QPalette::Base));
        QVERIFY(f.buttons->isEnabled());
    }

    void registrationDoesNotTest()
    {
        // A dialog whose initial values are already taken stays acceptable
        // until they are edited.
        Fixture f;
        f.name->setText(QStringLiteral("taken"));
        f.id->setValue(4);
        f.validator->addLineEdit(f.name, { QStringLiteral("taken") });
        f.validator->addSpinBox(f.id, { 4 });
        f.validator->updateOkButton();
        QVERIFY(!isRed(f.name));
        QVERIFY(!isRed(f.id));
        QVERIFY(f.buttons->isEnabled());
    }

    void allEditorsMustBeValid()
    {
        Fixture f;
        f.validator->addLineEdit(f.name, { QStringLiteral("taken") });
        f.validator->addSpinBox(f.id, { 4 });
        f.name->setText(QStringLiteral("taken"));
        f.id->setValue(4);
        QVERIFY(!f.buttons->isEnabled());
        f.name->setText(QStringLiteral("free"));
        QVERIFY(!f.buttons->isEnabled());
        f.id->setValue(5);
        QVERIFY(f.buttons->isEnabled());
    }

    void reRegisteringReplacesList()
    {
        Fixture f;
        f.validator->addLineEdit(f.name, { QStringLiteral("old") });
        f.validator->addLineEdit(f.name, { QStringLiteral("new") });
        f.name->setText(QStringLiteral("old"));
        QVERIFY(!isRed(f.name));
        f.name->setText(QStringLiteral("new"));
        QVERIFY(isRed(f.name));
        QVERIFY(!f.buttons->isEnabled());
    }

    void nullEditorsAreIgnored()
    {
        Fixture f;
        f.validator->addLineEdit(nullptr, { QStringLiteral("x") });
        f.validator->addSpinBox(nullptr, { 1 });
        f.validator->updateOkButton();
        QVERIFY(f.buttons->isEnabled());
    }

    void withoutButtonBoxEditorsStillTurnRed()
    {
        Fixture f(false);
        f.validator->addLineEdit(f.name, { QStringLiteral("taken") });
        f.name->setText(QStringLiteral("taken"));
        QVERIFY(isRed(f.name));
        // A button box added later is found at the next change.
        auto *late = new QDialogButtonBox(QDialogButtonBox::Ok, &f.dialog);
        f.name->setText(QStringLiteral("taken "));
        QVERIFY(late->isEnabled());
        f.name->setText(QStringLiteral("taken"));
        QVERIFY(!late->isEnabled());
    }

    void withoutParentNothingHappens()
    {
        QLineEdit edit;
        QDialogButtonBox buttons;
        DialogItemValidator validator;
        validator.addLineEdit(&edit, { QStringLiteral("taken") });
        edit.setText(QStringLiteral("taken"));
        QVERIFY(isRed(&edit));
        QVERIFY(buttons.isEnabled());
    }

    void destroyedEditorNoLongerBlocks()
    {
        Fixture f;
        f.validator->addLineEdit(f.name, { QStringLiteral("taken") });
        f.validator->addLineEdit(f.code, { QStringLiteral("taken") });
        f.name->setText(QStringLiteral("taken"));
        QVERIFY(!f.buttons->isEnabled());
        delete f.name;
        f.code->setText(QStringLiteral("free"));
        QVERIFY(f.buttons->isEnabled());
    }

    // Deleting the one editor that blocks the dialog frees the dialog at once;
    // deleting a valid one leaves another forbidden value blocking it.
    void destroyedEditorFreesTheButtons_data()
    {
        QTest::addColumn<bool>("deleteForbidden");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("the forbidden one") << true << true;
        QTest::newRow("a valid one") << false << false;
    }
    void destroyedEditorFreesTheButtons()
    {
        QFETCH(bool, deleteForbidden);
        QFETCH(bool, enabled);
        Fixture f;
        f.validator->addSpinBox(f.id, { 5 });
        f.validator->addSpinBox(f.id, { 5 }); // registered twice, forgotten once
        f.validator->addLineEdit(f.name, { QStringLiteral("taken") });
        f.id->setValue(5);
        QVERIFY(!f.buttons->isEnabled());
        if (deleteForbidden)
            delete f.id;
        else
            delete f.name;
        QCOMPARE(f.buttons->isEnabled(), enabled);
    }
};

PROJECT_TEST(TestDialogItemValidator);
#include "tst_dialogitemvalidator.moc"

#include "testmain.h"
#include "testpage.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

bool isRed(const QWidget *editor)
{
    const QPalette &palette = editor->palette();
    for (QPalette::ColorGroup group :
         { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
        if (palette.brush(group, QPalette::Base) != QBrush(Qt::red, Qt::SolidPattern))
            return false;
    }
    return true;
}

// A page loaded with one detector, id 5 named by its prefix; detectors 6 and
// 7 are the kind's others.
struct LoadedPage
{
    LoadedPage()
    {
        for (int id = 5; id < 8; ++id)
            all << newDetector(&owner, id, TestPage::prefix() + QString::number(id));
        page.setObjects({ all.first() }, all);
    }

    QPushButton *apply() const { return page.buttonBox->button(QDialogButtonBox::Apply); }
    QPushButton *cancel() const { return page.buttonBox->button(QDialogButtonBox::Cancel); }
    bool pageChanged() const { return page.property("changed").toBool(); }
    bool pageValid() const { return page.property("valid").toBool(); }

    QObject owner;
    QList<QPointer<ZUDetector>> all;
    TestPage page;
};

} // namespace

class TestDialogItemValidator : public QObject
{
    Q_OBJECT
private slots:
    void constructedPage()
    {
        TestPage page;
        QCOMPARE(page.property("valid"), QVariant(true));
        QCOMPARE(page.property("changed"), QVariant(false));
        QVERIFY(!page.validator->anyChanged());

        // Before the first snapshot nothing counts as changed.
        QSignalSpy spy(&page, &TestPage::changed);
        page.name->setText(QStringLiteral("typed"));
        page.parameters->setCellData(0, 0, 3, true);
        QVERIFY(!page.validator->isChanged(page.name));
        QVERIFY(!page.validator->isChanged(page.parameters));
        QCOMPARE(spy.count(), 0);
        QVERIFY(!page.buttonBox->button(QDialogButtonBox::Apply)->isEnabled());
    }

    void loadedPageIsUnchanged()
    {
        LoadedPage loaded;
        QVERIFY(!loaded.pageChanged());
        QVERIFY(loaded.pageValid());
        QVERIFY(!loaded.apply()->isEnabled());
        QVERIFY(!loaded.cancel()->isEnabled());
        QCOMPARE(loaded.page.name->text(), QStringLiteral("Detector.5"));
    }

    // Typing into a field and typing the old value back.
    void typeOldValueBack_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("keyBack");
        QTest::newRow("IntEdit") << QStringLiteral("id") << int(Qt::Key_1)
                                 << int(Qt::Key_Backspace);
        QTest::newRow("QLineEdit")
            << QStringLiteral("name") << int(Qt::Key_1) << int(Qt::Key_Backspace);
        QTest::newRow("QSpinBox") << QStringLiteral("spinBox") << int(Qt::Key_Up)
                                  << int(Qt::Key_Down);
    }

    void typeOldValueBack()
    {
        QFETCH(QString, field);
        QFETCH(int, key);
        QFETCH(int, keyBack);
        LoadedPage loaded;
        loaded.page.manualName->setChecked(true);
        loaded.page.validator->snapshotAll();
        auto *widget = loaded.page.findChild<QWidget *>(field);
        QVERIFY(widget);
        QSignalSpy spy(&loaded.page, &TestPage::changed);

        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_End);
        QTest::keyClick(widget, Qt::Key(key));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).first(), QVariant(true));
        QVERIFY(loaded.page.validator->isChanged(widget));
        QVERIFY(loaded.pageChanged());
        QVERIFY(loaded.apply()->isEnabled());
        QVERIFY(loaded.cancel()->isEnabled());

        QTest::keyClick(widget, Qt::Key(keyBack));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).first(), QVariant(false));
        QVERIFY(!loaded.page.validator->isChanged(widget));
        QVERIFY(!loaded.pageChanged());
        QVERIFY(!loaded.apply()->isEnabled());
        QVERIFY(!loaded.cancel()->isEnabled());
    }

    // The other value widgets, changed and set back by program.
    void setOldValueBack_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("other");
        // Where the way back is not the same widget's old value: the widget checked instead.
        QTest::addColumn<QString>("checkedBack");

        QTest::newRow("QComboBox")
            << QStringLiteral("comboBox") << QByteArray("currentIndex") << QVariant(2) << QString();
        QTest::newRow("QCheckBox")
            << QStringLiteral("report") << QByteArray("checked") << QVariant(true) << QString();
        QTest::newRow("tristate QCheckBox")
            << QStringLiteral("tristate") << QByteArray("checkState")
            << QVariant(int(Qt::PartiallyChecked)) << QString();
        QTest::newRow("QRadioButton") << QStringLiteral("radioA") << QByteArray("checked")
                                      << QVariant(true) << QStringLiteral("radioB");
        QTest::newRow("QGroupBox")
            << QStringLiteral("groupBox") << QByteArray("checked") << QVariant(false) << QString();
        QTest::newRow("QTextEdit") << QStringLiteral("textEdit") << QByteArray("plainText")
                                   << QVariant(QStringLiteral("notes")) << QString();
    }

    void setOldValueBack()
    {
        QFETCH(QString, field);
        QFETCH(QByteArray, property);
        QFETCH(QVariant, other);
        QFETCH(QString, checkedBack);
        LoadedPage loaded;
        loaded.page.radioB->setChecked(true);
        loaded.page.validator->snapshotAll();
        auto *widget = loaded.page.findChild<QWidget *>(field);
        QVERIFY(widget);
        const QVariant old = widget->property(property.constData());
        QVERIFY(old != other);
        QSignalSpy spy(&loaded.page, &TestPage::changed);

        if (property == "checkState")
            static_cast<QCheckBox *>(widget)->setCheckState(Qt::CheckState(other.toInt()));
        else
            QVERIFY(widget->setProperty(property.constData(), other));
        QVERIFY(loaded.page.validator->isChanged(widget));
        QVERIFY(loaded.apply()->isEnabled());

        if (property == "checkState")
            static_cast<QCheckBox *>(widget)->setCheckState(Qt::CheckState(old.toInt()));
        else if (!checkedBack.isEmpty())
            loaded.page.findChild<QRadioButton *>(checkedBack)->setChecked(true);
        else
            QVERIFY(widget->setProperty(property.constData(), old));
        QVERIFY(!loaded.page.validator->isChanged(widget));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).first(), QVariant(true));
        QCOMPARE(spy.at(1).first(), QVariant(false));
        QVERIFY(!loaded.apply()->isEnabled());
    }

    // A table edited and edited back keeps the page changed until Apply or Cancel.
    void tableEditedBack_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("applyAfter");
        QTest::newRow("ParametersTable, Apply") << QStringLiteral("parameters") << true;
        QTest::newRow("ParametersTable, Cancel") << QStringLiteral("parameters") << false;
        QTest::newRow("QTableWidget, Apply") << QStringLiteral("table") << true;
        QTest::newRow("QTableWidget, Cancel") << QStringLiteral("table") << false;
    }

    void tableEditedBack()
    {
        QFETCH(QString, field);
        QFETCH(bool, applyAfter);
        LoadedPage loaded;
        auto *table = loaded.page.findChild<QTableWidget *>(field);
        QVERIFY(table);
        QSignalSpy spy(&loaded.page, &TestPage::changed);

        // Writing a cell's own value again is no change.
        table->item(1, 1)->setData(Qt::EditRole, QStringLiteral("11"));
        QVERIFY(!loaded.page.validator->isChanged(table));

        table->item(1, 1)->setData(Qt::EditRole, QStringLiteral("changed"));
        table->item(1, 1)->setData(Qt::EditRole, QStringLiteral("11"));
        QVERIFY(loaded.page.validator->isChanged(table));
        QVERIFY(loaded.pageChanged());
        QVERIFY(loaded.apply()->isEnabled());
        QCOMPARE(spy.count(), 1);

        QTest::mouseClick(applyAfter ? loaded.apply() : loaded.cancel(), Qt::LeftButton);
        QVERIFY(!loaded.page.validator->isChanged(table));
        QVERIFY(!loaded.pageChanged());
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).first(), QVariant(false));
        QCOMPARE(loaded.page.applied, applyAfter ? 1 : 0);
    }

    // Header section counts and moves of both table kinds.
    void tableHeaders_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("ParametersTable") << QStringLiteral("parameters");
        QTest::newRow("QTableWidget") << QStringLiteral("table");
    }

    void tableHeaders()
    {
        QFETCH(QString, field);
        LoadedPage loaded;
        auto *table = loaded.page.findChild<QTableWidget *>(field);
        QVERIFY(table);
        DialogItemValidator *validator = loaded.page.validator;

        emit table->horizontalHeader()->sectionCountChanged(3, 3);
        emit table->verticalHeader()->sectionCountChanged(2, 2);
        QVERIFY(!validator->isChanged(table));

        table->insertRow(2);
        QVERIFY(validator->isChanged(table));
        validator->snapshot(table);
        QVERIFY(!validator->isChanged(table));

        table->setColumnCount(4);
        QVERIFY(validator->isChanged(table));
        validator->snapshot(table);

        table->horizontalHeader()->moveSection(0, 2);
        QVERIFY(validator->isChanged(table));
        validator->cancelChanges();
        QVERIFY(!validator->isChanged(table));
        for (int column = 0; column < table->columnCount(); ++column)
            QCOMPARE(table->horizontalHeader()->visualIndex(column), column);
        QVERIFY(!loaded.pageChanged());
    }

    // Forbidden values: red base and Apply disabled, but only from the next change on.
    void forbiddenValues_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("forbidden");
        QTest::addColumn<QVariant>("allowed");

        QTest::newRow("IntEdit") << QStringLiteral("id") << QVariant(6) << QVariant(8);
        QTest::newRow("QSpinBox") << QStringLiteral("spinBox") << QVariant(6) << QVariant(8);
        QTest::newRow("QLineEdit")
            << QStringLiteral("name") << QVariant(QStringLiteral("Detector.6"))
            << QVariant(QStringLiteral("detector.6"));
    }

    void forbiddenValues()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, forbidden);
        QFETCH(QVariant, allowed);
        LoadedPage loaded;
        loaded.page.manualName->setChecked(true);
        auto *widget = loaded.page.findChild<QWidget *>(field);
        QVERIFY(widget);
        const QByteArray property
            = qobject_cast<QLineEdit *>(widget) && !qobject_cast<IntEdit *>(widget)
            ? QByteArray("text")
            : QByteArray("value");
        DialogItemValidator *validator = loaded.page.validator;
        const QBrush normalBase = widget->palette().brush(QPalette::Base);

        // The shown value is not tested when the list is given (the page's own
        // list of the detectors' ids and names is dropped first).
        if (property == "text")
            validator->setForbiddenTexts(widget, {});
        else
            validator->setForbiddenInts(widget, {});
        widget->setProperty(property.constData(), forbidden);
        validator->snapshotAll();
        if (property == "text")
            validator->setForbiddenTexts(widget,
                                         { forbidden.toString(), forbidden.toString(), QString() });
        else
            validator->setForbiddenInts(widget, { 0, forbidden.toInt(), 7 });
        validator->updateState();
        QVERIFY(!isRed(widget));
        QVERIFY(loaded.pageValid());

        widget->setProperty(property.constData(), allowed);
        QVERIFY(!isRed(widget));
        QVERIFY(loaded.pageValid());
        QVERIFY(loaded.apply()->isEnabled());

        widget->setProperty(property.constData(), forbidden);
        QVERIFY(isRed(widget));
        QVERIFY(!loaded.pageValid());
        QVERIFY(!loaded.apply()->isEnabled());
        QVERIFY(loaded.cancel()->isEnabled());

        widget->setProperty(property.constData(), allowed);
        QVERIFY(!isRed(widget));
        QCOMPARE(widget->palette().brush(QPalette::Base), normalBase);
        QVERIFY(loaded.pageValid());
        QVERIFY(loaded.apply()->isEnabled());

        // Invalid but unchanged still offers Cancel, which brings the baseline back.
        widget->setProperty(property.constData(), forbidden);
        validator->snapshotAll();
        QVERIFY(!loaded.apply()->isEnabled());
        QVERIFY(loaded.cancel()->isEnabled());

        // reset drops the lists: nothing is forbidden any more.
        validator->reset();
        widget->setProperty(property.constData(), allowed);
        widget->setProperty(property.constData(), forbidden);
        QVERIFY(loaded.pageValid());
    }

    // A forbidden value says in the field's tool tip which value is taken,
    // named by the field's label when it has one; an allowed value gives the
    // field its own tool tip back.
    void forbiddenValueSaysWhy_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QVariant>("forbidden");
        QTest::addColumn<QVariant>("allowed");
        QTest::addColumn<QString>("why");

        QTest::newRow("id with label")
            << "id"
            << "&ID:" << QVariant(6) << QVariant(8) << "ID 6 is already used";
        QTest::newRow("spin box without label")
            << "spinBox"
            << "" << QVariant(7) << QVariant(8) << "7 is already used";
        QTest::newRow("name with label")
            << "name"
            << "Name:" << QVariant(QStringLiteral("Detector.6"))
            << QVariant(QStringLiteral("Detector.9")) << "Name \"Detector.6\" is already used";
    }

    void forbiddenValueSaysWhy()
    {
        QFETCH(QString, field);
        QFETCH(QString, label);
        QFETCH(QVariant, forbidden);
        QFETCH(QVariant, allowed);
        QFETCH(QString, why);
        LoadedPage loaded;
        loaded.page.manualName->setChecked(true);
        auto *widget = loaded.page.findChild<QWidget *>(field);
        QVERIFY(widget);
        if (!label.isEmpty()) {
            auto *caption = new QLabel(label, &loaded.page);
            caption->setBuddy(widget);
        }
        widget->setToolTip(QStringLiteral("own tip"));
        const QByteArray property
            = qobject_cast<QLineEdit *>(widget) && !qobject_cast<IntEdit *>(widget)
            ? QByteArray("text")
            : QByteArray("value");
        if (property == "text")
            loaded.page.validator->setForbiddenTexts(widget, { forbidden.toString() });
        else
            loaded.page.validator->setForbiddenInts(widget, { forbidden.toInt() });

        widget->setProperty(property.constData(), forbidden);
        QVERIFY(isRed(widget));
        QCOMPARE(widget->toolTip(), why);
        // Text stays readable on the red base.
        QVERIFY(qAbs(widget->palette().color(QPalette::Text).lightness()
                     - widget->palette().color(QPalette::Base).lightness())
                > 80);
        widget->setProperty(property.constData(), allowed);
        QVERIFY(!isRed(widget));
        QCOMPARE(widget->toolTip(), QStringLiteral("own tip"));
    }

    // Cancel restores every kind through its setters.
    void cancelRestoresEveryKind()
    {
        LoadedPage loaded;
        TestPage &page = loaded.page;
        page.tristate->setCheckState(Qt::PartiallyChecked);
        page.radioB->setChecked(true);
        page.textEdit->setPlainText(QStringLiteral("first"));
        page.table->horizontalHeader()->setStretchLastSection(true);
        page.validator->snapshotAll();

        page.manualName->setChecked(true);
        page.id->setValue(9);
        page.name->setText(QStringLiteral("North"));
        page.report->setChecked(true);
        page.number->setValue(NotSet());
        page.spinBox->setValue(42);
        page.comboBox->setCurrentIndex(1);
        page.tristate->setCheckState(Qt::Checked);
        page.radioA->setChecked(true);
        page.groupBox->setChecked(false);
        page.textEdit->setPlainText(QStringLiteral("second"));
        page.parameters->setCellData(0, 1, 99, false);
        page.parameters->setCellEditable(1, 2, true);
        page.parameters->insertRow(0);
        page.parameters->horizontalHeader()->moveSection(2, 0);
        page.table->item(0, 0)->setData(Qt::EditRole, QStringLiteral("x"));
        page.table->horizontalHeader()->moveSection(0, 1);
        QVERIFY(loaded.pageChanged());

        QSignalSpy reportClicked(page.report, &QCheckBox::clicked);
        QSignalSpy tristateState(page.tristate, &QCheckBox::stateChanged);
        QSignalSpy changed(&page, &TestPage::changed);
        QTest::mouseClick(loaded.cancel(), Qt::LeftButton);

        QCOMPARE(page.id->text(), QStringLiteral("5"));
        QCOMPARE(page.name->text(), QStringLiteral("Detector.5"));
        QVERIFY(!page.manualName->isChecked());
        QVERIFY(page.name->isReadOnly());
        QVERIFY(!page.report->isChecked());
        QCOMPARE(reportClicked.count(), 1);
        QCOMPARE(reportClicked.first().first(), QVariant(false));
        QCOMPARE(page.number->text(), QStringLiteral("5"));
        QCOMPARE(page.spinBox->value(), 0);
        QCOMPARE(page.comboBox->currentIndex(), 0);
        QCOMPARE(page.tristate->checkState(), Qt::PartiallyChecked);
        QCOMPARE(tristateState.count(), 2);
        QCOMPARE(tristateState.last().first(), QVariant(int(Qt::PartiallyChecked)));
        QVERIFY(page.radioB->isChecked());
        QVERIFY(!page.radioA->isChecked());
        QVERIFY(page.groupBox->isChecked());
        QCOMPARE(page.textEdit->toPlainText(), QStringLiteral("first"));

        QCOMPARE(page.parameters->rowCount(), 2);
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 3; ++column) {
                QCOMPARE(page.parameters->cellData(row, column).toString(),
                         QString::number(row * 10 + column));
                QCOMPARE(page.parameters->isCellEditable(row, column), !(row == 1 && column == 2));
            }
        }
        QCOMPARE(page.parameters->horizontalHeader()->visualIndex(2), 2);
        QCOMPARE(page.table->item(0, 0)->text(), QStringLiteral("0"));
        QCOMPARE(page.table->horizontalHeader()->visualIndex(0), 0);

        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first(), QVariant(false));
        QVERIFY(!loaded.pageChanged());
        QVERIFY(!loaded.apply()->isEnabled());
        QVERIFY(!loaded.cancel()->isEnabled());
        for (QWidget *widget : page.findChildren<QWidget *>())
            QVERIFY2(!page.validator->isChanged(widget), qPrintable(widget->objectName()));
    }

    // A check box that is not tristate tells clicked() on Cancel even when its
    // state does not change, so dependent widgets follow.
    void cancelClicksUnchangedCheckBox()
    {
        LoadedPage loaded;
        loaded.page.report->setChecked(true);
        loaded.page.validator->snapshotAll();
        loaded.page.spinBox->setValue(3);
        QSignalSpy clicked(loaded.page.report, &QCheckBox::clicked);
        QSignalSpy state(loaded.page.report, &QCheckBox::stateChanged);
        loaded.page.validator->cancelChanges();
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.first().first(), QVariant(true));
        QCOMPARE(state.count(), 0);
    }

    // A plain table whose row count differs from its snapshot keeps its cells;
    // only its column order comes back.
    void tableWithOtherRowCountKeepsCells()
    {
        LoadedPage loaded;
        QTableWidget *table = loaded.page.table;
        table->item(0, 0)->setData(Qt::EditRole, QStringLiteral("kept"));
        table->insertRow(2);
        table->horizontalHeader()->moveSection(0, 2);
        QTest::mouseClick(loaded.cancel(), Qt::LeftButton);
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("kept"));
        QCOMPARE(table->horizontalHeader()->visualIndex(0), 0);
        QVERIFY(!loaded.page.validator->isChanged(table));
    }

    // A page nested in another: the outer page uses its own box, and the inner
    // page and its box may go while the outer page lives on.
    void nestedPageDeleted_data()
    {
        QTest::addColumn<bool>("outerBox");
        QTest::newRow("outer page has a box") << true;
        QTest::newRow("outer page has none") << false;
    }

    void nestedPageDeleted()
    {
        QFETCH(bool, outerBox);
        QWidget outer;
        auto *layout = new QVBoxLayout(&outer);
        auto *inner = new TestPage;
        layout->addWidget(inner);
        auto *field = new QLineEdit;
        layout->addWidget(field);
        QDialogButtonBox *box = nullptr;
        if (outerBox) {
            box = new QDialogButtonBox(QDialogButtonBox::Apply | QDialogButtonBox::Cancel);
            layout->addWidget(box);
        }
        auto *validator = new DialogItemValidator(&outer);
        validator->snapshotAll();
        inner->buttonBox->button(QDialogButtonBox::Apply)->setEnabled(false);

        field->setText(QStringLiteral("a"));
        QVERIFY(outer.property("changed").toBool());
        if (box)
            QVERIFY(box->button(QDialogButtonBox::Apply)->isEnabled());
        QCOMPARE(inner->buttonBox->button(QDialogButtonBox::Apply)->isEnabled(), !outerBox);

        delete inner;
        field->setText(QString());
        QVERIFY(!outer.property("changed").toBool());
        field->setText(QStringLiteral("b"));
        validator->cancelChanges();
        QCOMPARE(field->text(), QString());
        if (box) {
            QVERIFY(!box->button(QDialogButtonBox::Apply)->isEnabled());
            QVERIFY(!box->button(QDialogButtonBox::Cancel)->isEnabled());
        }
    }

    void noParentWatchesNothing()
    {
        QWidget page;
        auto *name = new QLineEdit(&page);
        auto *box = new QDialogButtonBox(QDialogButtonBox::Apply | QDialogButtonBox::Cancel, &page);
        box->button(QDialogButtonBox::Cancel)->setEnabled(false);
        DialogItemValidator validator(nullptr);
        QSignalSpy spy(&validator, &DialogItemValidator::changed);
        validator.snapshot(name);
        validator.snapshotAll();
        validator.setForbiddenTexts(name, { QStringLiteral("x") });
        name->setText(QStringLiteral("x"));
        validator.setChanged(name);
        validator.updateState();
        validator.cancelChanges();
        QVERIFY(!validator.isChanged(name));
        QVERIFY(!validator.anyChanged());
        QCOMPARE(spy.count(), 0);
        QVERIFY(!isRed(name));
        QCOMPARE(name->text(), QStringLiteral("x"));
        QVERIFY(!page.property("changed").isValid());
        QVERIFY(box->button(QDialogButtonBox::Apply)->isEnabled());
        QVERIFY(!box->button(QDialogButtonBox::Cancel)->isEnabled());
    }

    // A widget never snapshotted has no baseline: Cancel leaves what it shows.
    void cancelWithoutSnapshotKeepsValue()
    {
        TestPage page;
        page.name->setText(QStringLiteral("typed"));
        page.spinBox->setValue(4);
        page.validator->setChanged(page.name);
        QVERIFY(page.buttonBox->button(QDialogButtonBox::Cancel)->isEnabled());
        QTest::mouseClick(page.buttonBox->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        QCOMPARE(page.name->text(), QStringLiteral("typed"));
        QCOMPARE(page.spinBox->value(), 4);
        QVERIFY(!page.property("changed").toBool());
    }

    // setChanged marks what signals do not report; a removed widget no longer counts.
    void setChangedAndRemoveWidget()
    {
        LoadedPage loaded;
        DialogItemValidator *validator = loaded.page.validator;
        validator->setChanged(loaded.page.parameters);
        QVERIFY(validator->isChanged(loaded.page.parameters));
        QVERIFY(loaded.apply()->isEnabled());
        validator->snapshotAll();

        validator->removeWidget(loaded.page.comboBox);
        loaded.page.comboBox->setCurrentIndex(2);
        QVERIFY(!validator->isChanged(loaded.page.comboBox));
        QVERIFY(!loaded.pageChanged());
        validator->setChanged(loaded.page.comboBox);
        QVERIFY(!loaded.pageChanged());
        validator->cancelChanges();
        QCOMPARE(loaded.page.comboBox->currentIndex(), 2);
    }

private:
    static int NotSet() { return 2147483647; }
};

PROJECT_TEST(TestDialogItemValidator);
#include "tst_dialogitemvalidator.moc"

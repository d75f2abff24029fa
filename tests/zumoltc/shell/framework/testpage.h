#pragma once

#include "common/widgets/parameterstable.h"
#include "zumoltc/model/zudetector.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/intedit.h"
#include "zumoltc/shell/framework/objectselection.h"
#include "zumoltc/shell/framework/pageprotocol.h"
#include "zumoltc/shell/framework/prefixes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

// A detector owned by owner, with this id and name.
inline ZUDetector *newDetector(QObject *owner, int id, const QString &name)
{
    auto *detector = new ZUDetector(owner);
    detector->setId(id);
    detector->setName(name);
    return detector;
}

// A small editor page that keeps the page contract: one widget of every kind the
// validator watches, Apply and Cancel, and detectors as its objects (id, name
// and the report flag are written; the other widgets are only tracked).
class TestPage : public QWidget
{
    Q_OBJECT
public:
    // The name that follows the id uses the detectors' prefix of the moment.
    static QString prefix() { return Prefixes::prefix(Prefixes::Detector); }

    explicit TestPage(QWidget *parent = nullptr)
        : QWidget(parent)
    {
        auto *layout = new QVBoxLayout(this);
        const auto add = [this, layout](QWidget *widget, const char *name) {
            widget->setObjectName(QString::fromLatin1(name));
            layout->addWidget(widget);
        };
        add(id, "id");
        add(name, "name");
        add(manualName, "manualName");
        add(report, "report");
        add(number, "number");
        add(spinBox, "spinBox");
        add(comboBox, "comboBox");
        add(tristate, "tristate");
        add(radioA, "radioA");
        add(radioB, "radioB");
        add(groupBox, "groupBox");
        add(textEdit, "textEdit");
        add(parameters, "parameters");
        add(table, "table");
        add(buttonBox, "buttonBox");

        spinBox->setRange(0, 100);
        comboBox->addItems(
            { QStringLiteral("zero"), QStringLiteral("one"), QStringLiteral("two") });
        tristate->setTristate(true);
        groupBox->setCheckable(true);
        buttonBox->setStandardButtons(QDialogButtonBox::Apply | QDialogButtonBox::Cancel);
        for (QTableWidget *t : { static_cast<QTableWidget *>(parameters), table }) {
            t->setRowCount(2);
            t->setColumnCount(3);
        }
        QMetaObject::connectSlotsByName(this);
        validator = new DialogItemValidator(this);
    }

    // One detector: its values shown, the other detectors' ids and names
    // forbidden. Several: merged, id and name neither shown nor written.
    void setObjects(const QList<QPointer<ZUDetector>> &list,
                    const QList<QPointer<ZUDetector>> &all = {})
    {
        if (list.isEmpty())
            return;
        objects = list;
        if (list.size() == 1) {
            const ZUDetector *detector = list.first();
            forbidOtherIds(validator, id, list, all, true);
            forbidOtherNames(validator, name, list, all);
            PageProtocol::showIdAndName(id, name, manualName, prefix(), detector->id(),
                                        detector->name());
            report->setChecked(detector->report());
        } else {
            validator->reset();
            PageProtocol::clearIdAndName(id, name, manualName);
            report->setChecked(list.first()->report());
        }
        // Values that are only tracked, never written.
        number->reset();
        for (const QPointer<ZUDetector> &detector : list)
            number->mergeValue(detector->id());
        for (QTableWidget *t : { static_cast<QTableWidget *>(parameters), table }) {
            t->setRowCount(2);
            t->setColumnCount(3);
            for (int row = 0; row < 2; ++row) {
                for (int column = 0; column < 3; ++column)
                    t->setItem(row, column,
                               new QTableWidgetItem(QString::number(row * 10 + column)));
            }
        }
        parameters->setCellEditable(1, 2, false);
        validator->snapshotAll();
    }

    DialogItemValidator *validator = nullptr;
    QList<QPointer<ZUDetector>> objects;
    int applied = 0;

    IntEdit *id = new IntEdit;
    QLineEdit *name = new QLineEdit;
    QCheckBox *manualName = new QCheckBox;
    QCheckBox *report = new QCheckBox;
    IntEdit *number = new IntEdit;
    QSpinBox *spinBox = new QSpinBox;
    QComboBox *comboBox = new QComboBox;
    QCheckBox *tristate = new QCheckBox;
    QRadioButton *radioA = new QRadioButton;
    QRadioButton *radioB = new QRadioButton;
    QGroupBox *groupBox = new QGroupBox;
    QTextEdit *textEdit = new QTextEdit;
    ParametersTable *parameters = new ParametersTable;
    QTableWidget *table = new QTableWidget;
    QDialogButtonBox *buttonBox = new QDialogButtonBox;

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button)
    {
        if (!PageProtocol::isApplyClick(button, !objects.isEmpty(), *validator))
            return;
        const bool single = objects.size() == 1;
        for (const QPointer<ZUDetector> &detector : qAsConst(objects)) {
            if (!detector)
                continue;
            if (single && validator->isChanged(id))
                detector->setId(id->value());
            if (single && validator->isChanged(name))
                detector->setName(name->text());
            if (validator->isChanged(report))
                detector->setReport(report->isChecked());
        }
        if (single && objects.first())
            setWindowTitle(objects.first()->text(QString()));
        ++applied;
        validator->snapshotAll();
        emit configurationChanged(ZUDetector::staticMetaObject.className());
    }

    void on_id_textChanged(const QString &text)
    {
        PageProtocol::followId(name, manualName, prefix(), text);
    }

    void on_manualName_toggled(bool checked)
    {
        PageProtocol::setManualName(name, checked, prefix(), id->text());
    }
};

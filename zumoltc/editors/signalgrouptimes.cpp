#include "signalgrouptimes.h"
#include "ui_signalgrouptimes.h"

#include "zumoltc/model/zusignalgroup.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/intedit.h"
#include "zumoltc/shell/framework/pageprotocol.h"

// One time: its field and the attribute of the same name.
struct SignalGroupTimes::Field
{
    IntEdit *edit;
    int (ZUSignalGroup::*get)() const;
    void (ZUSignalGroup::*set)(int);
};

SignalGroupTimes::SignalGroupTimes(bool embedded, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::SignalGroupTimes)
{
    ui->setupUi(this);
    if (embedded) {
        // Out of the widget tree at once, so that no validator takes the
        // doomed box for the host page's own.
        ui->gridLayout->removeWidget(ui->buttonBox);
        ui->buttonBox->hide();
        ui->buttonBox->setParent(nullptr);
        ui->buttonBox->deleteLater();
        ui->buttonBox = nullptr;
        ui->gridLayout->removeItem(ui->verticalSpacer);
        delete ui->verticalSpacer;
        ui->verticalSpacer = nullptr;
    } else {
        m_validator = new DialogItemValidator(this);
    }
}

SignalGroupTimes::~SignalGroupTimes()
{
    delete ui;
}

QList<SignalGroupTimes::Field> SignalGroupTimes::fields() const
{
    return { { ui->extRed, &ZUSignalGroup::extRed, &ZUSignalGroup::setExtRed },
             { ui->amber, &ZUSignalGroup::amber, &ZUSignalGroup::setAmber },
             { ui->greenBlink, &ZUSignalGroup::greenBlink, &ZUSignalGroup::setGreenBlink },
             { ui->maxGreen, &ZUSignalGroup::maxGreen, &ZUSignalGroup::setMaxGreen },
             { ui->maxRed, &ZUSignalGroup::maxRed, &ZUSignalGroup::setMaxRed },
             { ui->minGreen, &ZUSignalGroup::minGreen, &ZUSignalGroup::setMinGreen },
             { ui->minRed, &ZUSignalGroup::minRed, &ZUSignalGroup::setMinRed },
             { ui->redAmber, &ZUSignalGroup::redAmber, &ZUSignalGroup::setRedAmber },
             { ui->extGreen1, &ZUSignalGroup::extGreen1, &ZUSignalGroup::setExtGreen1 },
             { ui->extGreen2, &ZUSignalGroup::extGreen2, &ZUSignalGroup::setExtGreen2 } };
}

void SignalGroupTimes::clear()
{
    const QList<IntEdit *> edits = findChildren<IntEdit *>();
    for (IntEdit *edit : edits)
        edit->reset();
    m_group = nullptr;
}

void SignalGroupTimes::load(QPointer<ZUSignalGroup> own, QPointer<ZUSignalGroup> inherited,
                            bool keep)
{
    if (!keep)
        clear();
    if (!own)
        return;
    for (const Field &field : fields())
        field.edit->mergeValue((own->*field.get)());
    showInherited(inherited);
    if (m_validator)
        m_validator->snapshotAll();
    m_group = own;
}

void SignalGroupTimes::showInherited(QPointer<ZUSignalGroup> inherited)
{
    if (!inherited)
        return;
    for (const Field &field : fields()) {
        const int value = (inherited->*field.get)();
        if (field.edit->text().isEmpty())
            field.edit->mergeValue(value);
        else
            field.edit->setPlaceholderText(value == zu::NotSet ? QString()
                                                               : QString::number(value, 10));
    }
}

void SignalGroupTimes::store(QPointer<ZUSignalGroup> target, DialogItemValidator *validator)
{
    if (!target || (validator && !validator->anyChanged()))
        return;
    for (const Field &field : fields()) {
        if (!validator || validator->isChanged(field.edit))
            (target->*field.set)(field.edit->value());
    }
}

void SignalGroupTimes::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!m_validator || !PageProtocol::isApplyClick(button, !m_group.isNull(), *m_validator))
        return;
    store(m_group, m_validator);
    m_validator->snapshotAll();
    emit configurationChanged(nullptr);
}

#include "switchwidget.h"
#include "ui_switchwidget.h"

#include "editorpages.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/objectselection.h"
#include "zumoltc/shell/framework/pageprotocol.h"
#include "zumoltc/shell/framework/prefixes.h"

#include <QRadioButton>

namespace {

// Not set when the value equals the default switch's (which then applies).
int ownValue(int value, int defaultValue)
{
    return value == defaultValue ? zu::NotSet : value;
}

} // namespace

SwitchWidget::SwitchWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::SwitchWidget)
{
    ui->setupUi(this);
    m_validator = new DialogItemValidator(this);
    fillSwitchTypes(ui->type);
}

SwitchWidget::~SwitchWidget()
{
    delete ui;
}

void SwitchWidget::fillSwitchTypes(QComboBox *types)
{
    for (const auto &item : enumItems<zu::Switch>(true))
        types->addItem(item.first, item.second);
    types->setCurrentIndex(-1);
}

void SwitchWidget::showCurrentBounds(QWidget *bounds, const QComboBox *types, int index)
{
    bounds->setVisible(enumValue<zu::Switch>(types->itemData(index)) != zu::ZU4_SW);
}

int SwitchWidget::derivedAddress(const QString &channelText)
{
    bool ok = false;
    const int channel = channelText.toInt(&ok, 10);
    return ok && channel >= 1 ? channel - 1 : 0;
}

void SwitchWidget::configurationHasChanged(const char *className)
{
    if (m_configuration && className == ZUSignalGroup::staticMetaObject.className())
        EditorPages::refillObjects(ui->signalGroup, m_configuration->signalGroups(), m_validator);
}

void SwitchWidget::setObjects(ZUConfiguration *configuration,
                              const QList<QPointer<ZUSwitch>> &objects)
{
    m_configuration = configuration;
    m_objects = objects;
    if (objects.isEmpty())
        return;
    const bool one = objects.size() == 1;
    if (one) {
        forbidOtherIds(m_validator, ui->id, objects, configuration->switches(), false);
        forbidOtherNames(m_validator, ui->name, objects, configuration->switches());
        // An address is needed, and one of its own.
        QList<int> addresses = { zu::NotSet };
        for (const QPointer<ZUSwitch> &other : configuration->switches()) {
            if (other && !objects.contains(other))
                addresses << other->addr();
        }
        m_validator->setForbiddenInts(ui->addr, addresses);
    } else {
        m_validator->reset();
    }
    configurationHasChanged(ZUSignalGroup::staticMetaObject.className());
    for (IntEdit *edit :
         { ui->id, ui->addr, ui->lowCurrent, ui->upCurrent, ui->minCurrent, ui->heads })
        edit->reset();
    ui->type->setCurrentIndex(-1);
    ui->signalGroup->setCurrentIndex(-1);
    ui->control->setTristate(!one);
    ui->control->setCheckState(one ? Qt::Unchecked : Qt::PartiallyChecked);
    for (QRadioButton *color :
         { ui->color_red, ui->color_yellow, ui->color_green, ui->color_white }) {
        color->setCheckable(false);
        color->setCheckable(true);
    }
    for (QWidget *widget :
         { static_cast<QWidget *>(ui->id), static_cast<QWidget *>(ui->name),
           static_cast<QWidget *>(ui->manualName), static_cast<QWidget *>(ui->addr),
           static_cast<QWidget *>(ui->manualAddress) })
        widget->setEnabled(one);

    const QPointer<ZUSwitch> defaults = configuration->switchDefaults();
    m_colorsDiffer = false;
    m_mergedColor = zu::NotSet;
    bool first = true;
    for (const QPointer<ZUSwitch> &sw : objects) {
        if (!sw)
            continue;
        if (one) {
            ui->id->setValue(sw->id());
            ui->name->setText(sw->name());
            ui->manualName->setChecked(PageProtocol::isManualName(
                sw->name(), Prefixes::prefix(Prefixes::Switch), sw->id()));
            ui->addr->setValue(sw->addr());
            ui->manualAddress->setChecked(sw->addr() != derivedAddress(ui->id->text()));
            // The boxes' slots run only on a change; the fields must follow all the same.
            ui->name->setReadOnly(!ui->manualName->isChecked());
            ui->addr->setReadOnly(!ui->manualAddress->isChecked());
            ui->name->setText(sw->name());
            ui->addr->setValue(sw->addr());
        }
        mergeSwitch(sw, first, defaults);
        first = false;
    }
    if (defaults) {
        hintDefault(ui->lowCurrent, defaults->lowCurrent());
        hintDefault(ui->upCurrent, defaults->upCurrent());
        hintDefault(ui->minCurrent, defaults->minCurrent());
    }
    switch (m_colorsDiffer ? zu::NotSet : m_mergedColor) {
    case zu::Color::red:
        ui->color_red->setChecked(true);
        break;
    case zu::Color::green:
        ui->color_green->setChecked(true);
        break;
    case zu::Color::amber:
        ui->color_yellow->setChecked(true);
        break;
    case zu::Color::white:
        ui->color_white->setChecked(true);
        break;
    default:
        break;
    }
    m_validator->snapshotAll();
}

void SwitchWidget::mergeSwitch(const ZUSwitch *sw, bool first, const ZUSwitch *defaults)
{
    int type = sw->type();
    if (type == zu::NotSet && defaults)
        type = defaults->type();
    const int typeIndex = ui->type->findData(type);
    const QPointer<ZUSignalGroup> group = sw->signalGroup();
    const int groupIndex = group ? ui->signalGroup->findData(group->id()) : -1;
    if (first) {
        ui->type->setCurrentIndex(typeIndex);
        ui->signalGroup->setCurrentIndex(groupIndex);
        m_mergedColor = sw->color();
        ui->control->setChecked(sw->control());
    } else {
        if (typeIndex != ui->type->currentIndex())
            ui->type->setCurrentIndex(-1);
        if (groupIndex != ui->signalGroup->currentIndex())
            ui->signalGroup->setCurrentIndex(-1);
        m_colorsDiffer = m_colorsDiffer || sw->color() != m_mergedColor;
        if (sw->control() != ui->control->isChecked()
            || ui->control->checkState() == Qt::PartiallyChecked)
            ui->control->setCheckState(Qt::PartiallyChecked);
    }
    ui->lowCurrent->mergeValue(sw->lowCurrent());
    ui->upCurrent->mergeValue(sw->upCurrent());
    ui->minCurrent->mergeValue(sw->minCurrent());
    ui->heads->mergeValue(sw->heads());
}

void SwitchWidget::hintDefault(IntEdit *field, int defaultValue)
{
    const QString hint = defaultValue == zu::NotSet ? QString() : QString::number(defaultValue);
    // An empty field with a placeholder holds differing values: the merge's hint stays.
    if (!field->text().isEmpty() || field->placeholderText().isEmpty())
        field->setPlaceholderText(hint);
}

int SwitchWidget::chosenColor() const
{
    const struct
    {
        QRadioButton *button;
        int color;
    } colors[] = {
        { ui->color_red, zu::Color::red },
        { ui->color_yellow, zu::Color::amber },
        { ui->color_green, zu::Color::green },
        { ui->color_white, zu::Color::white },
    };
    for (const auto &entry : colors) {
        if (m_validator->isChanged(entry.button) && entry.button->isChecked())
            return entry.color;
    }
    return zu::NotSet;
}

void SwitchWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, !m_configuration.isNull(), *m_validator))
        return;
    const QPointer<ZUSwitch> defaults = m_configuration->switchDefaults();
    const bool colorChanged = m_validator->isChanged(ui->color_red)
        || m_validator->isChanged(ui->color_yellow) || m_validator->isChanged(ui->color_green)
        || m_validator->isChanged(ui->color_white);
    const int color = chosenColor();
    const int type = enumValue<zu::Switch>(ui->type->currentData());
    const QPointer<ZUSignalGroup> group
        = m_configuration->findSignalGroup(ui->signalGroup->currentData());
    for (const QPointer<ZUSwitch> &sw : qAsConst(m_objects)) {
        if (!sw)
            continue;
        if (m_objects.size() == 1) {
            EditorPages::writeIdAndName(*m_validator, ui->id, ui->name, sw);
            if (m_validator->isChanged(ui->addr))
                sw->setAddr(ui->addr->value());
            setWindowTitle(sw->text(QString()));
        }
        if (m_validator->isChanged(ui->type))
            sw->setType(defaults ? ownValue(type, defaults->type()) : type);
        if (m_validator->isChanged(ui->signalGroup))
            sw->setSignalGroup(group);
        if (colorChanged)
            sw->setColor(color);
        if (m_validator->isChanged(ui->lowCurrent))
            sw->setLowCurrent(defaults ? ownValue(ui->lowCurrent->value(), defaults->lowCurrent())
                                       : ui->lowCurrent->value());
        if (m_validator->isChanged(ui->upCurrent))
            sw->setUpCurrent(defaults ? ownValue(ui->upCurrent->value(), defaults->upCurrent())
                                      : ui->upCurrent->value());
        if (m_validator->isChanged(ui->minCurrent))
            sw->setMinCurrent(defaults ? ownValue(ui->minCurrent->value(), defaults->minCurrent())
                                       : ui->minCurrent->value());
        if (m_validator->isChanged(ui->control)
            && ui->control->checkState() != Qt::PartiallyChecked)
            sw->setControl(ui->control->isChecked());
        if (m_validator->isChanged(ui->heads))
            sw->setHeads(ui->heads->value());
    }
    emit configurationChanged(ZUSwitch::staticMetaObject.className());
    m_validator->snapshotAll();
}

void SwitchWidget::on_id_textChanged(const QString &text)
{
    PageProtocol::followId(ui->name, ui->manualName, Prefixes::prefix(Prefixes::Switch), text);
    if (!ui->manualAddress->isChecked())
        ui->addr->setValue(derivedAddress(text));
}

void SwitchWidget::on_manualName_toggled(bool checked)
{
    ui->name->setReadOnly(!checked);
    if (!checked)
        on_id_textChanged(ui->id->text());
}

void SwitchWidget::on_manualAddress_toggled(bool checked)
{
    ui->addr->setReadOnly(!checked);
    if (!checked)
        on_id_textChanged(ui->id->text());
}

void SwitchWidget::on_clear_type_clicked()
{
    ui->type->setCurrentIndex(-1);
}

void SwitchWidget::on_clear_sg_clicked()
{
    ui->signalGroup->setCurrentIndex(-1);
}

void SwitchWidget::on_type_currentIndexChanged(int index)
{
    showCurrentBounds(ui->currentBounds, ui->type, index);
}

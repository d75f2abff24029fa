#include "diowidget.h"
#include "ui_diowidget.h"

#include "editorpages.h"
#include "rowtableactions.h"

#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zudio.h"
#include "zumoltc/shell/framework/comboboxdelegate.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"

#include <QCoreApplication>

using namespace EditorPages;

namespace {

enum ChannelColumn { ChannelNumber, ChannelTypeColumn, ChannelCommon, ChannelDetector };

void fillCombo(QComboBox *combo, const QList<QPair<QString, int>> &items)
{
    for (const auto &item : items)
        combo->addItem(item.first, item.second);
}

// Whether no cell of the row holds a value (nothing or only blanks).
bool rowIsEmpty(const ParametersTable *table, int row)
{
    for (int column = 0; column < table->columnCount(); ++column) {
        const QVariant cell = table->cellData(row, column);
        if (!cell.isNull() && !cell.toString().trimmed().isEmpty())
            return false;
    }
    return true;
}

} // namespace

DIOWidget::DIOWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::DIOWidget)
{
    ui->setupUi(this);
    m_validator = new DialogItemValidator(this);
    fillCombo(ui->type, enumItems<zu::DIO::Type>(false));
    fillCombo(ui->common, enumItems<zu::Polarity>(false));
    ui->channels->setItemDelegateForColumn(
        ChannelTypeColumn, new ComboBoxDelegate(this, enumItems<zu::ChannelType>(true)));
    ui->channels->setItemDelegateForColumn(
        ChannelCommon, new ComboBoxDelegate(this, enumItems<zu::Polarity>(false)));
    ui->channels->setItemDelegateForColumn(
        ChannelDetector, new ComboBoxDelegate(this, QList<QPair<QString, int>>()));
    m_rowActions = new RowTableActions(this, ui->channels,
                                       { ui->add_channel, ui->remove_channel, ui->move_top,
                                         ui->move_up, ui->move_down, ui->move_bottom });
}

DIOWidget::~DIOWidget()
{
    delete ui;
}

void DIOWidget::configurationHasChanged(const char *className)
{
    if (!m_configuration || className != ZUDetector::staticMetaObject.className())
        return;
    EditorPages::refillColumns(ui->channels, { ChannelDetector }, m_configuration->detectors(),
                               m_validator);
}

void DIOWidget::load(ZUConfiguration *configuration, ZUDIO *module)
{
    if (!configuration || !module)
        return;
    m_configuration = configuration;
    m_module = module;
    // The tab keeps the module's own section text, which Apply puts back as the title.
    const int index = configuration->dios().indexOf(module);
    if (index >= 0)
        setWindowTitle(QCoreApplication::translate("MainWindow", "DIO%1").arg(index + 1));
    ui->type->setCurrentIndex(ui->type->findData(module->type()));
    ui->channels->setRowCount(0);
    ui->common->setCurrentIndex(ui->common->findData(module->common()));
    ui->IP->setText(module->ip());
    ui->port->setValue(module->port());
    configurationHasChanged(ZUDetector::staticMetaObject.className());
    showChannels();
    ui->enabled->setChecked(module->type() != zu::NotSet);
    followEnabled(this, ui->enabled->isChecked());
    m_rowActions->followSelection();
    m_validator->snapshotAll();
}

void DIOWidget::showChannels()
{
    ui->channels->setRowCount(0);
    const QList<ZUDIO::Channel> &channels = m_module->channels();
    for (const ZUDIO::Channel &channel : channels) {
        const int row = ui->channels->rowCount();
        ui->channels->insertRow(row);
        ui->channels->setCellData(row, ChannelNumber, intCell(channel.channel), true);
        ui->channels->setCellData(row, ChannelTypeColumn, intCell(channel.type), true);
        ui->channels->setCellData(row, ChannelCommon, intCell(channel.common), true);
        ui->channels->setCellData(row, ChannelDetector,
                                  channel.detector ? QVariant(channel.detector->id()) : QVariant(),
                                  true);
    }
    ui->channels->resizeColumnsToContents();
}

void DIOWidget::on_type_currentIndexChanged(int index)
{
    const int type = enumValue<zu::DIO::Type>(ui->type->itemData(index));
    const bool network = type == zu::DIO::traficam || type == zu::DIO::sitilog;
    for (QWidget *widget :
         { static_cast<QWidget *>(ui->label_3), static_cast<QWidget *>(ui->IP),
           static_cast<QWidget *>(ui->label_4), static_cast<QWidget *>(ui->port) })
        widget->setVisible(network);
}

void DIOWidget::on_clear_common_clicked()
{
    ui->common->setCurrentIndex(-1);
}

void DIOWidget::on_enabled_clicked(bool checked)
{
    followEnabled(this, checked);
    if (checked)
        m_rowActions->followSelection();
}

void DIOWidget::on_channels_itemSelectionChanged()
{
    m_rowActions->followSelection();
}

void DIOWidget::on_channels_itemChanged(QTableWidgetItem *item)
{
    if (item)
        ui->channels->resizeColumnToContents(item->column());
}

void DIOWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, m_configuration && m_module, *m_validator))
        return;
    ZUDIO *module = m_module;
    const bool enabledChanged = m_validator->isChanged(ui->enabled);
    if (enabledChanged && !ui->enabled->isChecked()) {
        module->setType(zu::NotSet);
        // Only the type is written: what else was typed goes back to the stored values.
        load(m_configuration, module);
        emit configurationChanged(ZUDIO::staticMetaObject.className());
        return;
    }
    if (enabledChanged || m_validator->isChanged(ui->type))
        module->setType(enumValue<zu::DIO::Type>(ui->type->currentData()));
    if (m_validator->isChanged(ui->common))
        module->setCommon(enumValue<zu::Polarity>(ui->common->currentData()));
    module->setIp(ui->IP->text());
    module->setPort(static_cast<quint16>(ui->port->value()));
    if (m_validator->isChanged(ui->channels)) {
        const QList<ZUDIO::Channel> before = module->channels();
        module->clearChannels();
        for (int row = 0; row < ui->channels->rowCount(); ++row) {
            // A row left empty says nothing about a channel: it is not stored.
            if (rowIsEmpty(ui->channels, row))
                continue;
            ZUDIO::Channel channel;
            channel.channel = cellInt(ui->channels->cellData(row, ChannelNumber));
            channel.type
                = enumValue<zu::ChannelType>(ui->channels->cellData(row, ChannelTypeColumn));
            channel.common = enumValue<zu::Polarity>(ui->channels->cellData(row, ChannelCommon));
            channel.detector
                = m_configuration->findDetector(ui->channels->cellData(row, ChannelDetector));
            module->addChannel(channel);
        }
        carryKeptMembers(before, module->channels(),
                         [](const ZUDIO::Channel &channel, int) { return channel.channel; });
        showChannels();
        m_rowActions->followSelection();
    }
    // "Enable" without a type leaves the module unused: the page shows so at once.
    if (module->type() == zu::NotSet)
        load(m_configuration, module);
    m_validator->snapshotAll();
    emit configurationChanged(ZUDIO::staticMetaObject.className());
}

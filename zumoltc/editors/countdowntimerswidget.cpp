#include "countdowntimerswidget.h"
#include "ui_countdowntimerswidget.h"

#include "editorpages.h"
#include "rowtableactions.h"

#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zucountdownboards.h"
#include "zumoltc/shell/framework/comboboxdelegate.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"

using namespace EditorPages;

namespace {

enum BoardColumn { BoardGroup, BoardAddress, BoardCount, BoardWarningTime };

} // namespace

CountdownTimersWidget::CountdownTimersWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::CountdownTimersWidget)
{
    ui->setupUi(this);
    m_validator = new DialogItemValidator(this);
    // The protocols are known by their keys only.
    for (const auto &item : enumItems<zu::CountdownBoardProtocol>(true))
        ui->protocol->addItem(item.first, item.second);
    ui->cdt_items->setItemDelegateForColumn(
        BoardGroup, new ComboBoxDelegate(this, QList<QPair<QString, int>>()));
    m_rowActions = new RowTableActions(
        this, ui->cdt_items,
        { ui->add_cdt, ui->remove_cdt, ui->move_top, ui->move_up, ui->move_down, ui->move_bottom });
}

CountdownTimersWidget::~CountdownTimersWidget()
{
    delete ui;
}

void CountdownTimersWidget::configurationHasChanged(const char *className)
{
    if (!m_configuration || className != ZUSignalGroup::staticMetaObject.className())
        return;
    EditorPages::refillColumns(ui->cdt_items, { BoardGroup }, m_configuration->signalGroups(),
                               m_validator);
}

void CountdownTimersWidget::load(ZUConfiguration *configuration)
{
    if (!configuration)
        return;
    m_configuration = configuration;
    ZUCountdownBoards *boards = configuration->countdownBoards();
    ui->protocol->setCurrentIndex(ui->protocol->findData(boards->protocol()));
    ui->warn_time->setValue(boards->warnTime());
    ui->cdt_items->setRowCount(0);
    configurationHasChanged(ZUSignalGroup::staticMetaObject.className());
    for (const ZUCountdownBoards::Board &board : boards->boards()) {
        const int row = ui->cdt_items->rowCount();
        ui->cdt_items->insertRow(row);
        ui->cdt_items->setCellData(row, BoardGroup,
                                   board.group ? QVariant(board.group->id()) : QVariant(), true);
        ui->cdt_items->setCellData(row, BoardAddress, intCell(board.addr), true);
        ui->cdt_items->setCellData(row, BoardCount, intCell(board.boards), true);
        ui->cdt_items->setCellData(row, BoardWarningTime, intCell(board.warnTime), true);
    }
    ui->cdt_items->resizeColumnsToContents();
    ui->enabled->setChecked(boards->protocol() != zu::NotSet);
    followEnabled(this, ui->enabled->isChecked());
    m_rowActions->followSelection();
    m_validator->snapshotAll();
}

void CountdownTimersWidget::on_enabled_clicked(bool checked)
{
    followEnabled(this, checked);
    if (checked)
        m_rowActions->followSelection();
}

void CountdownTimersWidget::on_cdt_items_itemSelectionChanged()
{
    m_rowActions->followSelection();
}

void CountdownTimersWidget::on_cdt_items_itemChanged(QTableWidgetItem *item)
{
    if (item)
        ui->cdt_items->resizeColumnToContents(item->column());
}

void CountdownTimersWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, !m_configuration.isNull(), *m_validator))
        return;
    ZUCountdownBoards *boards = m_configuration->countdownBoards();
    const bool enabledChanged = m_validator->isChanged(ui->enabled);
    if (enabledChanged && !ui->enabled->isChecked()) {
        boards->setProtocol(zu::NotSet);
        // Only the protocol is written: what else was typed goes back to the stored values.
        load(m_configuration);
        emit configurationChanged(ZUCountdownBoards::staticMetaObject.className());
        return;
    }
    if (enabledChanged || m_validator->isChanged(ui->protocol))
        boards->setProtocol(enumValue<zu::CountdownBoardProtocol>(ui->protocol->currentData()));
    if (m_validator->isChanged(ui->warn_time))
        boards->setWarnTime(ui->warn_time->value());
    if (m_validator->isChanged(ui->cdt_items)) {
        const QList<ZUCountdownBoards::Board> before = boards->boards();
        boards->clearBoards();
        for (int row = 0; row < ui->cdt_items->rowCount(); ++row) {
            // addBoard drops a row whose group is empty or unknown.
            boards->addBoard(
                m_configuration->findSignalGroup(ui->cdt_items->cellData(row, BoardGroup)),
                cellInt(ui->cdt_items->cellData(row, BoardCount)),
                cellInt(ui->cdt_items->cellData(row, BoardAddress)),
                cellInt(ui->cdt_items->cellData(row, BoardWarningTime)));
        }
        carryKeptMembers(before, boards->boards(), [](const ZUCountdownBoards::Board &board, int) {
            return board.group.data();
        });
    }
    // "Enable" without a protocol leaves the boards unused: the page shows so at once.
    if (boards->protocol() == zu::NotSet)
        load(m_configuration);
    emit configurationChanged(ZUCountdownBoards::staticMetaObject.className());
    m_validator->snapshotAll();
}

#include "countdowntabletiverk2dlg.h"

#include "ui_countdowntabletiverk2dlg.h"

#include "cnf/cnfcontroller.h"
#include "controlsources.h"
#include "countdownboards.h"

CountDownTableTiverk2Dlg::CountDownTableTiverk2Dlg(QWidget *parent, CnfController *controller)
    : UiDataExchange(parent)
    , ui(new Ui::CountDownTableTiverk2Dlg)
    , controller(controller)
{
    ui->setupUi(this);
    CountdownBoards::prepareTable(ui->boardsTable, controller);
    if (controller) {
        root = controller->nativeData();
        signalModule = !root["modules"]["Signal"].isNull();
    }
    ui->clearAdaptive->setEnabled(!signalModule);
    ui->clearManual->setEnabled(!signalModule);
    ui->port->setVisible(signalModule);
    ui->portLabel->setVisible(signalModule);

    const VObject node = boardsNode();
    if (!node.isNull()) {
        for (const char *key : { "warnTime", "clearAdaptive", "clearManual" })
            setWidgetValue(QLatin1String(key), node[key].toVariant());
        setWidgetValue(QStringLiteral("port"), node["portName"].toVariant());
        CountdownBoards::loadItems(ui->boardsTable, node);
        CountdownBoards::loadProtocol(ui->protocol, node);
    }
    ui->boardsTable->resizeColumnsToContents();
}

CountDownTableTiverk2Dlg::~CountDownTableTiverk2Dlg()
{
    delete ui;
}

// With a Signal module the boards hang on it; without one they are a device
// of the system bus.
VObject CountDownTableTiverk2Dlg::boardsNode() const
{
    if (signalModule)
        return root["modules"]["Countdowns"];
    return root["modules"]["SystemBus"]["devices"]["KTV1"];
}

void CountDownTableTiverk2Dlg::on_protocol_currentIndexChanged(int index)
{
    ui->boardsTable->setRowHidden(CountdownBoards::BoardsRow, index != 1);
}

void CountDownTableTiverk2Dlg::accept()
{
    if (controller) {
        VObject node = boardsNode();
        node.removeInvalidValues(true);
        node["protocol"] = ui->protocol->currentText();
        ControlSources::setOrRemove(node, QStringLiteral("warnTime"),
                                    widgetValue(QStringLiteral("warnTime")));
        if (signalModule) {
            node["portName"] = ui->port->text();
        } else {
            node["clearAdaptive"] = ui->clearAdaptive->checkState() == Qt::Checked;
            node["clearManual"] = ui->clearManual->checkState() == Qt::Checked;
        }
        CountdownBoards::storeItems(ui->boardsTable, node);
    }
    QDialog::accept();
}

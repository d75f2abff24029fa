#include "countdowntablezu_moltdlg.h"

#include "ui_countdowntablezu_moltdlg.h"

#include "cnf/cnfcontroller.h"
#include "controlsources.h"
#include "countdownboards.h"

namespace {

// The boards' interface device on the bus of the controller.
constexpr int InterfaceAddress = 6;

} // namespace

CountDownTableZU_MOLTDlg::CountDownTableZU_MOLTDlg(QWidget *parent, CnfController *controller)
    : UiDataExchange(parent)
    , ui(new Ui::CountDownTableZU_MOLTDlg)
    , controller(controller)
{
    ui->setupUi(this);
    // The port names are shown translated but stored as they are.
    ui->port->addItem(tr("RS485_1"), QStringLiteral("RS485_1"));
    ui->port->addItem(tr("RS485_2"), QStringLiteral("RS485_2"));
    CountdownBoards::prepareTable(ui->boardsTable, controller);
    if (!controller)
        return;
    root = controller->nativeData();

    // Looked up whether or not the boards are configured yet, so that OK
    // never adds a second device nor changes the port of the one there.
    const VObject devices = root["KMP1"]["devices"];
    for (int i = 0; i < devices.size() && interfaceDevice.isNull(); ++i) {
        if (devices[i]["device"] == "KTV1")
            interfaceDevice = devices[i];
    }
    if (!interfaceDevice.isNull())
        ui->port->setCurrentIndex(ui->port->findData(interfaceDevice["port"].toVariant(),
                                                     Qt::UserRole,
                                                     Qt::MatchExactly | Qt::MatchCaseSensitive));
    const VObject node = root["countdownBoards"];
    if (node.isNull())
        return;
    setWidgetValue(QStringLiteral("warnTime"), node["warnTime"].toVariant());
    CountdownBoards::loadItems(ui->boardsTable, node);
    CountdownBoards::loadProtocol(ui->protocol, node);
}

CountDownTableZU_MOLTDlg::~CountDownTableZU_MOLTDlg()
{
    delete ui;
}

void CountDownTableZU_MOLTDlg::on_protocol_currentIndexChanged(int index)
{
    ui->boardsTable->setRowHidden(CountdownBoards::BoardsRow, index != 1);
}

void CountDownTableZU_MOLTDlg::accept()
{
    if (controller) {
        VObject node = root["countdownBoards"];
        node.removeInvalidValues(true);
        node["protocol"] = ui->protocol->currentText();
        ControlSources::setOrRemove(node, QStringLiteral("warnTime"),
                                    widgetValue(QStringLiteral("warnTime")));
        CountdownBoards::storeItems(ui->boardsTable, node);

        if (interfaceDevice.isNull()) {
            interfaceDevice = VObject::map();
            interfaceDevice["device"] = QStringLiteral("KTV1");
            interfaceDevice["addr"] = InterfaceAddress;
            interfaceDevice["type"] = QStringLiteral("interfaceType");
            VObject devices = root["KMP1"]["devices"];
            devices.append(interfaceDevice);
        }
        interfaceDevice["port"] = ui->port->currentData();
    }
    QDialog::accept();
}

#include "outputsdlg.h"

#include "cnf/cnfcontroller.h"
#include "nativenumber.h"
#include "plivek/framework/dialogitemvalidator.h"
#include "ui_outputsdlg.h"

#include <QPushButton>
#include <QRegularExpression>

namespace {

const int gpioItem = -1;
const int boardCount = 9;
const int channelsPerBoard = 16;
const int gpioPinCount = 7;

// A channel entry that binds its channel: an output on any board; an input
// (sensor or detector) only on the dry-contact boards 1-4 and on board 9.
bool isTaken(const VObject &entry, int board)
{
    if (entry["type"] == QLatin1String("out"))
        return true;
    const bool inputsTake = (board >= 1 && board <= 4) || board == 9;
    return inputsTake && (!entry["sensor"].isNull() || !entry["detector"].isNull());
}

VObject boardDevice(const CnfController &controller, int board)
{
    return controller
        .nativeData()["modules"]["SystemBus"]["devices"][QStringLiteral("DIO%1").arg(board)];
}

} // namespace

OutputsDlg::OutputsDlg(CnfController *controller, int id, QWidget *parent, int place)
    : QDialog(parent)
    , ui(new Ui::OutputsDlg)
    , controller(controller)
    , validator(new DialogItemValidator(this))
    , editedId(id)
{
    ui->setupUi(this);
    readOutputs(id, place);

    int selected = -1;
    {
        const QSignalBlocker blocker(ui->type);
        selected = readBoards();
        if (hasGpio) {
            ui->type->addItem(QStringLiteral("GPIO"), gpioItem);
            if (!edited.isNull() && edited["type"] == QLatin1String("GPIO"))
                selected = ui->type->count() - 1;
        }
    }

    int number = id;
    if (edited.isNull()) {
        number = 1;
        while (forbiddenIds.contains(number))
            ++number;
    }
    QString name = proposedName;
    for (int k = number; name.isEmpty(); ++k) {
        const QString candidate = tr("Output.%1").arg(k);
        if (!forbiddenNames.contains(candidate))
            name = candidate;
    }
    ui->number->setValue(number);
    ui->name->setText(name);
    {
        const QSignalBlocker blocker(ui->type);
        ui->type->setCurrentIndex(-1);
    }
    ui->type->setCurrentIndex(selected);
    validator->addSpinBox(ui->number, forbiddenIds);
    validator->addLineEdit(ui->name, forbiddenNames);
    updateOkButton();
}

OutputsDlg::~OutputsDlg()
{
    delete ui;
}

void OutputsDlg::readOutputs(int id, int place)
{
    const VObject outputs = controller->nativeData()["outputs"];
    hasGpio = !controller->nativeData()["modules"]["Signal"].isNull();
    if (hasGpio) {
        for (int pin = 1; pin <= gpioPinCount; ++pin)
            freePins.append(QStringLiteral("IO_%1").arg(pin));
    }
    for (int i = 0; i < outputs.size(); ++i) {
        const VObject output = outputs[i];
        const QString name = output["name"].toString();
        const int outputId = output["id"].toInt();
        if (hasGpio && output["type"] == QLatin1String("GPIO") && outputId != id)
            freePins.removeAll(name);
        if (id != 0 && outputId == 0)
            continue;
        if (id != 0 && outputId == id) {
            if (!edited.isNull())
                sharedId = true;
            if (place >= 0 && i != place) {
                // A twin of the edited output: its name stays taken.
                sharedId = true;
                if (!name.isEmpty())
                    forbiddenNames.append(name);
                continue;
            }
            edited = output;
            proposedName = name;
            ui->defaultValue->setText(output["default"].toString());
            continue;
        }
        forbiddenIds.append(outputId);
        if (!name.isEmpty())
            forbiddenNames.append(name);
    }
    forbiddenIds.append(0);
}

bool OutputsDlg::boundToEditedOutput(const VObject &output) const
{
    if (edited.isNull())
        return false;
    if (isNativeNumberType(output.type()))
        return !sharedId && output.toDouble() == editedId;
    return !proposedName.isEmpty() && output.toString() == proposedName;
}

int OutputsDlg::readBoards()
{
    int selected = -1;
    for (int n = 1; n <= boardCount; ++n) {
        Board board;
        board.device = boardDevice(*controller, n);
        QList<int> taken;
        const VObject channels = board.device["channels"];
        for (int i = 0; i < channels.size(); ++i) {
            const VObject entry = channels[i];
            bool ok = false;
            const int number = entry["channel"].toInt(&ok);
            if (!ok)
                continue;
            if (isTaken(entry, n)) {
                if (own.channel < 0 && boundToEditedOutput(entry["output"])) {
                    own = { board.device, entry, n, number };
                    if (selected < 0)
                        selected = ui->type->count();
                }
                const bool ownChannel = own.board == n && own.channel == number;
                if (ownChannel) {
                    board.freeChannels.insert(number, own.entry);
                } else {
                    taken.append(number);
                    board.freeChannels.remove(number);
                }
            } else if (!taken.contains(number) || (own.board == n && own.channel == number)) {
                board.freeChannels.insert(number, entry);
            }
        }
        int takenCount = 0;
        for (int channel = 1; channel <= channelsPerBoard; ++channel)
            takenCount += taken.contains(channel) ? 1 : 0;
        if (edited.isNull() && takenCount == channelsPerBoard)
            continue;
        for (int channel = 1; channel <= channelsPerBoard; ++channel) {
            if (!taken.contains(channel) && !board.freeChannels.contains(channel))
                board.freeChannels.insert(channel, VObject());
        }
        boards.insert(n, board);
        ui->type->addItem(tr("I/O board %1").arg(n), n);
    }
    return selected;
}

int OutputsDlg::chosenBoard() const
{
    return ui->type->currentIndex() < 0 ? 0 : ui->type->currentData().toInt();
}

void OutputsDlg::on_type_currentIndexChanged(int index)
{
    const int board = index < 0 ? 0 : ui->type->itemData(index).toInt();
    const bool onBoard = board != gpioItem;
    ui->channelLabel->setVisible(onBoard);
    ui->dio_channel->setVisible(onBoard);
    ui->defaultValueLabel->setVisible(onBoard);
    ui->defaultValue->setVisible(onBoard);

    if (board == gpioItem) {
        static const QRegularExpression pinName(QStringLiteral("^IO_[1-7]$"));
        if (edited.isNull() && !freePins.isEmpty() && !pinName.match(ui->name->text()).hasMatch())
            ui->name->setText(freePins.first());
    } else if (boards.contains(board)) {
        const Board &chosen = boards[board];
        ui->dio_channel->clear();
        for (auto it = chosen.freeChannels.cbegin(); it != chosen.freeChannels.cend(); ++it)
            ui->dio_channel->addItem(QString::number(it.key()), it.key());
        const int ownItem
            = chosen.device == own.device ? ui->dio_channel->findData(own.channel) : -1;
        ui->dio_channel->setCurrentIndex(ownItem >= 0 ? ownItem : 0);
    }
    updateOkButton();
}

void OutputsDlg::updateOkButton()
{
    // A board without a free channel has nowhere to bind the output.
    const int board = chosenBoard();
    const bool noChannel = board > 0 && ui->dio_channel->count() == 0;
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(!noChannel);
}

void OutputsDlg::appendChannel(VObject device, int channel, int output)
{
    device["channels"].append(QVariantMap { { QStringLiteral("channel"), channel },
                                            { QStringLiteral("type"), QStringLiteral("out") },
                                            { QStringLiteral("output"), output } });
}

void OutputsDlg::releaseOwnChannel()
{
    if (own.channel < 0)
        return;
    // Only the output bindings of the old number go: on boards 5-8 an input
    // (detector or sensor) may share the number and keeps its entry.
    VObject channels = own.device["channels"];
    for (int i = channels.size() - 1; i >= 0; --i) {
        const VObject entry = channels[i];
        bool ok = false;
        if (entry["channel"].toInt(&ok) == own.channel && ok
            && entry["type"] == QLatin1String("out"))
            channels.removeAt(i);
    }
    own = Binding();
}

void OutputsDlg::accept()
{
    const int board = chosenBoard();
    const int id = ui->number->value();
    const QString defaultText = ui->defaultValue->text();
    const bool onBoard = board > 0;
    const int channel = ui->dio_channel->currentData().toInt();

    if (edited.isNull()) {
        QVariantMap output { { QStringLiteral("id"), id },
                             { QStringLiteral("name"), ui->name->text() } };
        if (board == gpioItem)
            output.insert(QStringLiteral("type"), QStringLiteral("GPIO"));
        else if (!defaultText.isEmpty())
            output.insert(QStringLiteral("default"), defaultText);
        controller->nativeData()["outputs"].append(output);
        if (onBoard)
            appendChannel(boards[board].device, channel, id);
        QDialog::accept();
        return;
    }

    edited["id"] = id;
    edited["name"] = ui->name->text();
    if (board != gpioItem && !defaultText.isEmpty())
        edited["default"] = defaultText;
    else
        edited.remove(QStringLiteral("default"));
    if (board == gpioItem) {
        // A pin needs no board channel: the old binding is released as a move does.
        edited["type"] = QStringLiteral("GPIO");
        releaseOwnChannel();
    } else if (onBoard) {
        if (edited["type"] == QLatin1String("GPIO"))
            edited.remove(QStringLiteral("type"));
        const VObject device = boards[board].device;
        if (own.channel < 0 || device != own.device || channel != own.channel) {
            releaseOwnChannel();
            appendChannel(device, channel, id);
        } else if (id != editedId && isNativeNumberType(own.entry["output"].type())) {
            // The binding stays; a number follows a changed id in its own form.
            // A name stays: the window's name following gives it a new name.
            QVariant held(id);
            held.convert(own.entry["output"].type());
            own.entry["output"] = held;
        }
    }
    QDialog::accept();
}

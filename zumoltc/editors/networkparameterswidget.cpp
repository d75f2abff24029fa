#include "networkparameterswidget.h"
#include "ui_networkparameterswidget.h"

#include "zumoltc/model/zunetworkparameters.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"

#include <QRegularExpression>

NetworkParametersWidget::NetworkParametersWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::NetworkParametersWidget)
{
    ui->setupUi(this);
    m_validator = new DialogItemValidator(this);
}

NetworkParametersWidget::~NetworkParametersWidget()
{
    delete ui;
}

bool NetworkParametersWidget::isAddress(const QString &text)
{
    static const QRegularExpression address(
        QStringLiteral("^([0-9]{1,3})\\.([0-9]{1,3})\\.([0-9]{1,3})\\.([0-9]{1,3})$"));
    return address.match(text).hasMatch();
}

QString NetworkParametersWidget::fieldText(const QLineEdit *field)
{
    const QString text = field->text();
    if (field->inputMask().isEmpty())
        return text;
    for (const QChar c : text) {
        if (c != QLatin1Char('.') && c != QLatin1Char(':') && !c.isSpace())
            return text;
    }
    return QString();
}

void NetworkParametersWidget::on_allowed_toggled(bool checked)
{
    const QList<QGroupBox *> boxes = findChildren<QGroupBox *>();
    for (QGroupBox *box : boxes)
        box->setEnabled(checked);
}

void NetworkParametersWidget::load(ZUNetworkParameters *record)
{
    if (!record)
        return;
    const QList<QLineEdit *> edits = findChildren<QLineEdit *>();
    for (QLineEdit *edit : edits)
        edit->clear();
    ui->manualAddress->setChecked(record->lanMode() == 1);
    ui->lanIP->setText(record->lanIP());
    ui->lanMask->setText(record->lanMask());
    ui->gtwIP->setText(record->gtwIP());
    ui->dnsIP->setText(record->dnsIP());
    ui->sntpIP->setText(record->sntpIP());
    ui->sntpName->setText(record->sntpName());
    ui->host->setText(record->srvIP().isEmpty() ? record->srvName() : record->srvIP());
    ui->asudPort->setValue(record->asudPort());
    // A port alone is a connection setting too: shown unticked, any Apply
    // would store it as 0.
    ui->asuddEnabled->setChecked(!ui->host->text().isEmpty() || record->asudPort() != 0);
    ui->macAddres->setText(record->macAddres());
    ui->overrideMac->setChecked(!record->macAddres().isEmpty());
    ui->allowed->setChecked(record->allowed());
    // The boxes follow also when the box keeps its state (a second load).
    on_allowed_toggled(record->allowed());
    m_validator->snapshotAll();
    m_record = record;
}

void NetworkParametersWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, m_record != nullptr, *m_validator))
        return;
    ZUNetworkParameters *record = m_record;
    if (!ui->allowed->isChecked()) {
        const QList<QGroupBox *> boxes = findChildren<QGroupBox *>();
        for (QGroupBox *box : boxes) {
            if (box->isCheckable())
                box->setChecked(false);
        }
    }
    if (m_validator->isChanged(ui->manualAddress))
        record->setLanMode(ui->manualAddress->isChecked() ? 1 : 0);
    if (ui->manualAddress->isChecked()) {
        if (m_validator->isChanged(ui->lanIP))
            record->setLanIP(fieldText(ui->lanIP));
        if (m_validator->isChanged(ui->lanMask))
            record->setLanMask(fieldText(ui->lanMask));
        if (m_validator->isChanged(ui->gtwIP))
            record->setGtwIP(fieldText(ui->gtwIP));
        if (m_validator->isChanged(ui->dnsIP))
            record->setDnsIP(fieldText(ui->dnsIP));
    } else {
        for (QLineEdit *field : { ui->lanIP, ui->lanMask, ui->gtwIP, ui->dnsIP })
            field->clear();
    }
    if (ui->asuddEnabled->isChecked()) {
        if (m_validator->isChanged(ui->host)) {
            const QString host = ui->host->text();
            if (host.isEmpty()) {
                // Neither setter empties the other with an empty text.
                record->setSrvIP(QString());
                record->setSrvName(QString());
            } else if (isAddress(host)) {
                record->setSrvIP(host);
            } else {
                record->setSrvName(host);
            }
        }
        if (m_validator->isChanged(ui->asudPort))
            record->setAsudPort(static_cast<quint16>(ui->asudPort->value()));
    } else {
        record->setSrvIP(QString());
        record->setSrvName(QString());
        record->setAsudPort(0);
        ui->host->clear();
        ui->asudPort->setValue(0);
    }
    if (m_validator->isChanged(ui->overrideMac) && !ui->overrideMac->isChecked()) {
        ui->macAddres->clear();
        record->setMacAddres(QString());
    } else if (m_validator->isChanged(ui->macAddres)) {
        record->setMacAddres(fieldText(ui->macAddres));
    }
    if (m_validator->isChanged(ui->sntpIP)) {
        const QString sntp = fieldText(ui->sntpIP);
        record->setSntpIP(isAddress(sntp) ? sntp : QString());
    }
    if (m_validator->isChanged(ui->sntpName))
        record->setSntpName(ui->sntpName->text());
    record->setAllowed(ui->allowed->isChecked());
    m_validator->snapshotAll();
    emit configurationChanged(nullptr);
}

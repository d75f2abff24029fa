#include "commonparameterswidget.h"
#include "ui_commonparameterswidget.h"

#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"

#include <QTextBoundaryFinder>

#include <cmath>

CommonParametersWidget::CommonParametersWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::CommonParametersWidget)
{
    ui->setupUi(this);
    m_validator = new DialogItemValidator(this);
}

CommonParametersWidget::~CommonParametersWidget()
{
    delete ui;
}

void CommonParametersWidget::load(ZUConfiguration *configuration)
{
    if (!configuration)
        return;
    const QList<QLineEdit *> edits = findChildren<QLineEdit *>();
    for (QLineEdit *edit : edits)
        edit->clear();
    ui->number->setValue(configuration->id());
    ui->name->setText(configuration->name());
    const QString description = configuration->description();
    ui->description->setWordWrapMode(wrapModeFor(description));
    ui->description->setPlainText(description);
    ui->amberBlink->setValue(configuration->amberBlink());
    ui->allRed->setValue(configuration->allRed());
    ui->timeZone->setText(configuration->timeZone().toString());
    ui->maxCurrent->setValue(configuration->maxCurrent());
    m_validator->snapshotAll();
    m_configuration = configuration;
}

QTextOption::WrapMode CommonParametersWidget::wrapModeFor(const QString &text)
{
    // Longer than any line of the field, so such a run is broken anywhere in
    // either mode.
    constexpr int LongestRun = 1000;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    int previous = 0;
    for (int next = breaks.toNextBoundary(); next >= 0; next = breaks.toNextBoundary()) {
        if (next - previous > LongestRun)
            return QTextOption::WrapAnywhere;
        previous = next;
    }
    return QTextOption::WrapAtWordBoundaryOrAnywhere;
}

QVariant CommonParametersWidget::timeZoneValue(const QString &text)
{
    if (text.isEmpty())
        return QVariant();
    bool ok = false;
    const int hours = text.toInt(&ok, 10);
    if (ok)
        return hours;
    // "inf" and "nan" read as doubles too, but have no place in the file.
    const double real = text.toDouble(&ok);
    if (ok && std::isfinite(real))
        return real;
    return text;
}

void CommonParametersWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, !m_configuration.isNull(), *m_validator))
        return;
    ZUConfiguration *c = m_configuration;
    if (m_validator->isChanged(ui->number))
        c->setId(ui->number->value());
    if (m_validator->isChanged(ui->name))
        c->setName(ui->name->text());
    if (m_validator->isChanged(ui->description))
        c->setDescription(ui->description->toPlainText());
    if (m_validator->isChanged(ui->amberBlink))
        c->setAmberBlink(ui->amberBlink->value());
    if (m_validator->isChanged(ui->allRed))
        c->setAllRed(ui->allRed->value());
    if (m_validator->isChanged(ui->timeZone))
        c->setTimeZone(timeZoneValue(ui->timeZone->text()));
    if (m_validator->isChanged(ui->maxCurrent))
        c->setMaxCurrent(ui->maxCurrent->value());
    m_validator->snapshotAll();
    emit configurationChanged(nullptr);
}

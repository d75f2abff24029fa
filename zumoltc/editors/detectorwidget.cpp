#include "detectorwidget.h"
#include "ui_detectorwidget.h"

#include "editorpages.h"

#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"
#include "zumoltc/shell/framework/prefixes.h"

namespace {

QString prefix()
{
    return Prefixes::prefix(Prefixes::Detector);
}

} // namespace

DetectorWidget::DetectorWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::DetectorWidget)
{
    ui->setupUi(this);
    m_validator = new DialogItemValidator(this);
}

DetectorWidget::~DetectorWidget()
{
    delete ui;
}

void DetectorWidget::setObjects(ZUConfiguration *configuration,
                                const QList<QPointer<ZUDetector>> &detectors)
{
    m_configuration = configuration;
    m_detectors = detectors;
    if (detectors.isEmpty() || !configuration)
        return;
    const bool one = detectors.size() == 1;
    EditorPages::forbidOtherIdsAndNames(m_validator, ui->id, ui->name, detectors,
                                        configuration->detectors());
    PageProtocol::clearIdAndName(ui->id, ui->name, ui->manualName);
    QCheckBox *report = ui->allow_report;
    report->setTristate(!one);
    report->setCheckState(Qt::Unchecked);
    report->setEnabled(false);
    bool merged = false; // the first live detector sets the box
    for (const QPointer<ZUDetector> &detector : detectors) {
        if (!detector)
            continue;
        if (one)
            PageProtocol::showIdAndName(ui->id, ui->name, ui->manualName, prefix(), detector->id(),
                                        detector->name());
        const Qt::CheckState state = detector->report() ? Qt::Checked : Qt::Unchecked;
        if (!merged) {
            report->setCheckState(state);
            report->setEnabled(true);
            merged = true;
        } else if (report->checkState() != Qt::PartiallyChecked && report->checkState() != state) {
            report->setCheckState(Qt::PartiallyChecked);
        }
    }
    m_validator->snapshotAll();
}

void DetectorWidget::on_id_textChanged(const QString &text)
{
    PageProtocol::followId(ui->name, ui->manualName, prefix(), text);
}

void DetectorWidget::on_manualName_toggled(bool checked)
{
    PageProtocol::setManualName(ui->name, checked, prefix(), ui->id->text());
}

void DetectorWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, !m_configuration.isNull(), *m_validator))
        return;
    const bool one = m_detectors.size() == 1;
    const Qt::CheckState report = ui->allow_report->checkState();
    for (const QPointer<ZUDetector> &detector : qAsConst(m_detectors)) {
        if (!detector)
            continue;
        if (one) {
            EditorPages::writeIdAndName(*m_validator, ui->id, ui->name, detector);
            setWindowTitle(detector->text(QString()));
        }
        if (m_validator->isChanged(ui->allow_report) && report != Qt::PartiallyChecked)
            detector->setReport(report == Qt::Checked);
    }
    m_validator->snapshotAll();
    emit configurationChanged(ZUDetector::staticMetaObject.className());
}

#include "signalplanwidget.h"
#include "ui_signalplanwidget.h"

#include "editorpages.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zuenums.h"
#include "zumoltc/model/zusignalplan.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"
#include "zumoltc/shell/framework/prefixes.h"

#include <climits>

SignalPlanWidget::SignalPlanWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::SignalPlanWidget)
{
    ui->setupUi(this);
    for (const auto &item : enumItems<zu::PlanType>(false))
        ui->type->addItem(item.first, item.second);
    for (const auto &item : enumItems<zu::SpecialMode>(false))
        ui->mode->addItem(item.first, item.second);
    ui->type->setCurrentIndex(-1);
    ui->mode->setCurrentIndex(-1);
    setUpTimeline();
    setUpStageRing();
    m_validator = new DialogItemValidator(this);
    m_validator->removeWidget(ui->stagering_show_diagramm);
    ui->stagering_show_diagramm->hide();
    ui->stackedWidget->setCurrentWidget(ui->pageEmpty);
}

SignalPlanWidget::~SignalPlanWidget()
{
    delete ui;
}

void SignalPlanWidget::setObjects(ZUConfiguration *configuration,
                                  const QList<QPointer<ZUSignalPlan>> &objects)
{
    m_configuration = configuration;
    if (configuration) {
        connect(configuration, &ZUConfiguration::objectAdded, this,
                &SignalPlanWidget::configuration_objectAdded, Qt::UniqueConnection);
        connect(configuration, &ZUConfiguration::objectDestroyed, this,
                &SignalPlanWidget::configuration_objectDestroyed, Qt::UniqueConnection);
    }
    ui->stackedWidget->setCurrentWidget(ui->pageEmpty);
    if (objects.isEmpty() || !configuration)
        return;
    const bool one = EditorPages::startLoading(this, m_validator, ui->id, ui->name, objects,
                                               configuration->signalPlans());
    m_plan = one ? objects.first() : nullptr;
    ui->type->setCurrentIndex(-1);
    if (one && m_plan) {
        PageProtocol::showIdAndName(ui->id, ui->name, ui->manualName,
                                    Prefixes::prefix(Prefixes::SignalPlan), m_plan->id(),
                                    m_plan->name());
        ui->type->setCurrentIndex(ui->type->findData(m_plan->type()));
    }
    on_stagering_table_itemSelectionChanged();
    on_stagering_dt_table_itemSelectionChanged();
    if (one)
        m_validator->snapshotAll();
}

int SignalPlanWidget::currentType() const
{
    bool ok = false;
    const int type = ui->type->currentData().toInt(&ok);
    return ok ? type : INT_MAX;
}

bool SignalPlanWidget::isValid() const
{
    if (!m_configuration)
        return false;
    switch (currentType()) {
    case zu::Timeline:
        return timelineValid();
    case zu::StageRing:
        return stageRingValid();
    case zu::Special:
        return ui->mode->currentIndex() >= 0;
    default:
        return false;
    }
}

void SignalPlanWidget::on_id_textChanged(const QString &text)
{
    PageProtocol::followId(ui->name, ui->manualName, Prefixes::prefix(Prefixes::SignalPlan), text);
}

void SignalPlanWidget::on_manualName_toggled(bool checked)
{
    PageProtocol::setManualName(ui->name, checked, Prefixes::prefix(Prefixes::SignalPlan),
                                ui->id->text());
}

void SignalPlanWidget::on_type_currentIndexChanged(int index)
{
    if (!m_configuration || !m_plan || index < 0) {
        ui->stackedWidget->setCurrentWidget(ui->pageEmpty);
        return;
    }
    bool ok = false;
    const int type = ui->type->itemData(index).toInt(&ok);
    if (!ok)
        return;
    switch (type) {
    case zu::Timeline:
        ui->stackedWidget->setCurrentWidget(ui->pageTimeline);
        loadTimelinePage();
        break;
    case zu::StageRing:
        ui->stackedWidget->setCurrentWidget(ui->pageStageRing);
        loadStageRingPage();
        break;
    case zu::Special:
        ui->stackedWidget->setCurrentWidget(ui->pageSpecial);
        ui->mode->setCurrentIndex(ui->mode->findData(m_plan->mode()));
        break;
    default:
        ui->stackedWidget->setCurrentWidget(ui->pageEmpty);
        break;
    }
}

void SignalPlanWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, m_configuration && m_plan, *m_validator))
        return;
    if (!isValid()
        && !EditorPages::askSaveAnyway(
            this, tr("Parameters of algorithm contains invalid data. Save anyway?")))
        return;
    ZUSignalPlan *plan = m_plan;
    if (!plan)
        return;
    EditorPages::writeIdAndName(*m_validator, ui->id, ui->name, plan);
    const int type = currentType();
    const bool typeChanged = m_validator->isChanged(ui->type);
    if (typeChanged)
        plan->setType(type);
    switch (type) {
    case zu::Timeline:
        applyTimeline(plan, typeChanged);
        break;
    case zu::StageRing:
        applyStageRing(plan, typeChanged);
        break;
    case zu::Special:
        if (typeChanged || m_validator->isChanged(ui->mode))
            plan->setMode(ui->mode->currentIndex() < 0 ? int(zu::AB)
                                                       : ui->mode->currentData().toInt());
        break;
    default:
        break;
    }
    setWindowTitle(plan->text(QString()));
    m_validator->snapshotAll();
    emit configurationChanged(ZUSignalPlan::staticMetaObject.className());
}

void SignalPlanWidget::configurationHasChanged(const char *className)
{
    if (currentType() != zu::StageRing || !m_configuration)
        return;
    if (className == ZUStage::staticMetaObject.className()) {
        // Without edits on the page the steps show the plan as it now stands: a
        // removed stage has taken its steps along.
        if (m_plan && m_plan->type() == zu::StageRing && !m_validator->anyChanged()) {
            loadStageRingPage();
            m_validator->snapshotAll();
        }
        EditorPages::refillRows(ui->stagering_table, { StageRow }, m_configuration->stages(),
                                m_validator);
        updateStageRingChart();
    } else if (className == ZUDetector::staticMetaObject.className()) {
        // Both detector rows share one delegate.
        EditorPages::refillRows(ui->stagering_dt_table, { SourceDetectorRow, IndicatorRow },
                                m_configuration->detectors(), m_validator);
    }
}

void SignalPlanWidget::configuration_objectAdded(ZUBaseObject *obj, int /*pos*/)
{
    onObjectAddedOrDestroyed(obj);
}

void SignalPlanWidget::configuration_objectDestroyed(ZUBaseObject *obj)
{
    onObjectAddedOrDestroyed(obj);
}

void SignalPlanWidget::onObjectAddedOrDestroyed(ZUBaseObject *obj)
{
    // The timeline rows stay as loaded; only the chart follows.
    if (!obj)
        return;
    if (currentType() == zu::StageRing && qobject_cast<ZUStage *>(obj))
        updateStageRingChart();
    else if (currentType() == zu::Timeline && qobject_cast<ZUSignalGroup *>(obj))
        updateTimelineChart();
}

void SignalPlanWidget::applyCycle(ZUSignalPlan *plan, bool all, IntEdit *length, IntEdit *offset,
                                  QCheckBox *coordinated)
{
    if (all || m_validator->isChanged(length))
        plan->setCycle(length->value());
    if (all || m_validator->isChanged(offset))
        plan->setOffset(offset->value());
    if (all || m_validator->isChanged(coordinated))
        plan->setCoordinated(coordinated->isChecked());
}

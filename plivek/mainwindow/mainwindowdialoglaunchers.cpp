// MainWindow: the commands that open the controller's dialogs and store what they
// return.

#include "mainwindow.h"

#include "commonparameters.h"
#include "dialogrunner.h"
#include "programstable.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfinterstate.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/vobject.h"
#include "halm58a/granule.h"
#include "halm58ga/networkg.h"
#include "plivek/dialogs/controller/asudddlg.h"
#include "plivek/dialogs/controller/calendardlg.h"
#include "plivek/dialogs/controller/commonparametersdlg.h"
#include "plivek/dialogs/controller/countdowntabledlg.h"
#include "plivek/dialogs/controller/countdowntabletiverk2dlg.h"
#include "plivek/dialogs/controller/countdowntablezu_moltdlg.h"
#include "plivek/dialogs/controller/dtstatdlg.h"
#include "plivek/dialogs/controller/errorcontroldlg.h"
#include "plivek/dialogs/controller/indicationdlg.h"
#include "plivek/dialogs/controller/infopartparametersdlg.h"
#include "plivek/dialogs/controller/synchronizerdlg.h"
#include "plivek/dialogs/controller/vpudlg.h"
#include "plivek/dialogs/elements/interstatesdlg.h"
#include "plivek/dialogs/elements/matrixdlg.h"
#include "plivek/dialogs/elements/sgdefaultsdlg.h"
#include "plivek/programs/zumolt/commonparameterszu_moltdlg.h"

#include <QMessageBox>

void MainWindow::on_actionInfoPart_triggered()
{
    static const char *const adapterKeys[]
        = { "MODEMTYPE", "HOST", "PORT", "TIMEZONE", "USER", "PASSWORD", "MODEMINIT", nullptr };
    static const char *const keys[]
        = { "receiver", "asudd_type", "table",      "priority_skip", "vpu2",       "power_counter",
            "ups",      "dt_module1", "dt_module2", "dt_module3",    "dt_module4", nullptr };
    CnfController &controller = project.controller();
    InfoPartParametersDlg dialog(this, controller.property("type"), controller.property("version"));
    if (!execWithNativeKeys(&dialog, controller, project.isAdapter() ? adapterKeys : keys))
        return;
    // "receiver" and "asudd_type" decide which actions are shown.
    updateActions();
    setChanged(true);
}

void MainWindow::on_actionCalendar_triggered()
{
    CalendarDlg dialog(this, &project.controller());
    if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
        setChanged(true);
}

void MainWindow::on_actionVPU_triggered()
{
    VpuDlg dialog(this, &project.controller());
    if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
        setChanged(true);
}

void MainWindow::on_actionAsud_triggered()
{
    AsuddDlg dialog(this, &project.controller());
    if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
        setChanged(true);
}

void MainWindow::on_actionTablo_triggered()
{
    CnfController &controller = project.controller();
    if (project.isZuMolt()) {
        CountDownTableZU_MOLTDlg dialog(this, &controller);
        if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
            setChanged(true);
        return;
    }
    if (project.isTiverkII()) {
        CountDownTableTiverk2Dlg dialog(this, &controller);
        if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
            setChanged(true);
        return;
    }
    QStringList groups;
    for (const CnfSignalGroupPtr &group : controller.signalGroups())
        groups << QString::number(group->id);
    const QString key = QStringLiteral("countDownTable");
    const QVariant stored = controller.getNativeData(key);
    CountDownTableDlg dialog(this, stored.toList(), groups,
                             controller.property("version").toString());
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    // A configuration without displays gets no list while none is added.
    const QVariantList displays = dialog.countDownTable();
    if (stored.isValid() || !displays.isEmpty())
        controller.setNativeData(key, displays);
    setChanged(true);
}

void MainWindow::on_actionErrControl_triggered()
{
    ErrorControlDlg dialog(this, &project.controller());
    if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
        setChanged(true);
}

void MainWindow::on_actionDtStat_triggered()
{
    static const char *const keys[] = { "dtInternalStatPeriod",
                                        "dtGroupStatPeriod",
                                        "dtStat314",
                                        "dtStat317",
                                        "dtStatPeriod",
                                        nullptr };
    CnfController &controller = project.controller();
    DtStatDlg dialog(this, controller.property("version").toString());
    if (execWithNativeKeys(&dialog, controller, keys))
        setChanged(true);
}

void MainWindow::on_actionCommon_triggered()
{
    CnfController &controller = project.controller();
    if (project.isZuMolt()) {
        editZuMoltCommonParameters();
        return;
    }
    static const char *const adapterKeys[] = { "DEVICE", "SCHEDULING", nullptr };
    static const char *const tiverkIIKeys[] = { "name", nullptr };
    static const char *const tiverkKeys[]
        = { "creationTime", "changeTime", "maxCurrent", "journalDetail", "powerSwitch",
            "startup_yf",   "startup_rr", "table_flip", nullptr };
    const bool tiverk = !project.isAdapter() && !project.isTiverkII();
    const char *const *keys = project.isAdapter() ? adapterKeys
        : project.isTiverkII()                    ? tiverkIIKeys
                                                  : tiverkKeys;

    CommonParametersDlg dialog(this, &controller);
    dialog.setWidgetValue(QStringLiteral("number"), controller.property("number"));
    dialog.setWidgetValue(QStringLiteral("description"), controller.property("description"));
    // The interstate record (all flags 0) is made here for every family but the
    // adapter, before the dialog runs, and stays even when it is cancelled.
    CnfInterstatePtr interstate = project.isAdapter() ? nullptr : controller.interstate();
    if (!interstate && !project.isAdapter()) {
        interstate = CnfInterstatePtr::create();
        controller.setInterstate(interstate);
    }
    if (interstate) {
        dialog.setWidgetValue(QStringLiteral("is_greenBlink"), interstate->greenBlink);
        dialog.setWidgetValue(QStringLiteral("is_redYellow"), interstate->redYellow);
        dialog.setWidgetValue(QStringLiteral("is_yellow"), interstate->yellow);
    }
    QVariant controlSource;
    if (project.isTiverkII())
        controlSource = CommonParameters::loadSignalModules(dialog, controller);
    const QVariantMap shown = loadNativeKeys(&dialog, controller, keys);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;

    bool refreshActions = false;
    if (tiverk) {
        // The power switch is checked first, so that a refusal leaves the
        // configuration as it was, its version included.
        const QVariant powerSwitch = dialog.widgetValue(QStringLiteral("powerSwitch"));
        if (powerSwitch != shown.value(QStringLiteral("powerSwitch"))) {
            const int excess = CommonParameters::excessKeyDevices(controller, powerSwitch);
            if (excess > 0) {
                addLogMessage(tr("Unable to change value of the parameter \"Power switch\" at the "
                                 "current amount of "
                                 "power devices.\nNeed to remove devices: %1")
                                  .arg(excess),
                              QtCriticalMsg, true);
                return;
            }
        }
        const QString oldVersion = controller.property("version").toString();
        const QVariant newVersion
            = dialog.widgetValue(QStringLiteral("versionList"), "currentText");
        if (newVersion.isValid() && newVersion.toString() != oldVersion
            && QMessageBox::question(
                   this, tr("Question"),
                   tr("Conversion of configuration version may lead to data loss.\n"
                      "Save change of version?"),
                   QMessageBox::Yes | QMessageBox::No)
                == QMessageBox::Yes) {
            const auto log = [this](const QString &text, QtMsgType level, bool popup) {
                addLogMessage(text, level, popup);
            };
            if (CommonParameters::convertVersion(controller, oldVersion, newVersion.toString(),
                                                 log))
                updateProgramsTable();
            refreshActions = true;
        }
    }
    if (tiverk) {
        // A flag whose field reads not set (the form may disable the group)
        // keeps its stored value rather than being cleared unasked.
        const auto storeFlag = [&dialog](const char *name, int *flag) {
            const QVariant value = dialog.widgetValue(QLatin1String(name));
            if (value.isValid())
                *flag = value.toInt();
        };
        storeFlag("is_greenBlink", &interstate->greenBlink);
        storeFlag("is_redYellow", &interstate->redYellow);
        storeFlag("is_yellow", &interstate->yellow);
    }
    storeControllerNumber(dialog.widgetValue(QStringLiteral("number")));
    controller.setProperty("description", dialog.widgetValue(QStringLiteral("description")));
    storeChangedNativeKeys(&dialog, controller, keys, shown);
    if (project.isTiverkII()
        && CommonParameters::storeSignalModules(dialog, controller, controlSource))
        refreshActions = true;
    if (refreshActions)
        updateActions();
    else
        updateTitleLabel();
    updatePowerPartTree();
    setChanged(true);
}

void MainWindow::editZuMoltCommonParameters()
{
    static const char *const keys[] = { "name", "timeZone", "maxCurrent", nullptr };
    static const char *const startKeys[] = { "allRed", "amberBlink", nullptr };
    CnfController &controller = project.controller();
    CommonParametersZU_MOLTDlg dialog(this);
    dialog.setWidgetValue(QStringLiteral("number"), controller.property("number"));
    dialog.setWidgetValue(QStringLiteral("description"), controller.property("description"));
    loadNativeKeys(&dialog, controller, keys);
    // The stored start-up node loses its not-set values here, whatever the
    // dialog's outcome.
    VObject startTime = controller.nativeData()["startTime"];
    startTime.removeInvalidValues(true);
    dialog.vobjectToWidgets(startTime);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    storeControllerNumber(dialog.widgetValue(QStringLiteral("number")));
    controller.setProperty("description", dialog.widgetValue(QStringLiteral("description")));
    storeNativeKeys(&dialog, controller, keys);
    dialog.widgetsToVObject(startTime, startKeys);
    updateTitleLabel();
    setChanged(true);
}

void MainWindow::storeControllerNumber(const QVariant &number)
{
    // The junction of the network is found by the controller's number: it
    // follows the new one, or it would be lost to the window.
    Halm58a::Granule *granule = project.isNetworkEmpty() ? nullptr : findControllerGranule();
    project.controller().setProperty("number", number);
    if (granule && !number.toString().isEmpty()) {
        granule->setTlId(number.toInt());
        granule->setObjectName(number.toString());
    }
}

void MainWindow::on_actionSynchronizer_triggered()
{
    static const char *const keys[] = { "sync_frequency", "sync_timeCorrection",
                                        "sync_timezoneCorrection", "sync_summerTime", nullptr };
    CnfController &controller = project.controller();
    SynchronizerDlg dialog(this, controller.getNativeData(QStringLiteral("receiver")).toInt());
    if (execWithNativeKeys(&dialog, controller, keys))
        setChanged(true);
}

void MainWindow::on_actionConflictMatrix_triggered()
{
    // The matrix is derived from the road network: without one there is
    // nothing to edit and nothing changes.
    Halm58a::Network *network = project.network();
    if (!network)
        return;
    CnfController &controller = project.controller();
    CnfMatrixPtr matrix = controller.conflictMatrix();
    if (!matrix) {
        // A configuration without a conflict matrix gets a new one, under the
        // smallest free matrix id.
        matrix = CnfMatrixPtr::create();
        int id = 1;
        while (controller.findMatrix(id))
            ++id;
        matrix->setId(id);
    }
    MatrixDlg dialog(this, &controller, matrix, network, true);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    controller.addMatrix(matrix, true, true);
    setChanged(true);
}

void MainWindow::on_actionInterstates_triggered()
{
    InterstatesDlg dialog(this, &project.controller(), false);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    dialog.applyToController();
    setChanged(true);
}

void MainWindow::on_actionIndication_triggered()
{
    IndicationDlg dialog(&project.controller(), this);
    if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
        setChanged(true);
}

void MainWindow::on_sg_defaults_clicked()
{
    static const char *const tiverkIIKeys[]
        = { "redAmber", "greenBlink", "amberBlink", "amber", "minRed",
            "maxRed",   "minGreen",   "maxGreen",   nullptr };
    static const char *const keys[]
        = { "redAmber", "greenBlink", "amberBlink", "amber",     "minRed",    "maxRed",
            "minGreen", "maxGreen",   "extRed",     "extGreen1", "extGreen2", nullptr };
    CnfController &controller = project.controller();
    const bool tiverkII = project.isTiverkII();
    SGDefaultsDlg dialog(tiverkII, this);
    CnfSignalGroupPtr defaults = controller.defaultSignalGroup();
    if (!defaults) {
        // The controller keeps this group even when the dialog is cancelled.
        defaults = CnfSignalGroupPtr::create();
        controller.setDefaulSignalGroup(defaults);
    }
    QVariantMap values;
    for (const QByteArray &name : defaults->dynamicPropertyNames())
        values.insert(QString::fromLatin1(name), defaults->property(name.constData()));
    dialog.mapToWidgets(values);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    dialog.widgetsToProperties(defaults.data(), tiverkII ? tiverkIIKeys : keys);
    setChanged(true);
}

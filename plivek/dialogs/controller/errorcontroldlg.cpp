#include "errorcontroldlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/vobject.h"
#include "ui_errorcontroldlg.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QScrollBar>

namespace {

const char *const errorControlKey = "errorControl";
enum Column { IntervalColumn = 0, AttemptsColumn = 1 };
// The row that only versions 3.17 and 3.18 keep.
const int silentDevicesRow = 4;

// A cell left empty: never written, cleared by Delete, or erased in its editor.
bool isEmptyCell(const QVariant &value)
{
    return !value.isValid() || value.toString().isEmpty();
}

} // namespace

ErrorControlDlg::ErrorControlDlg(QWidget *parent, CnfController *controller)
    : UiDataExchange(parent)
    , ui(new Ui::ErrorControlDlg)
    , controller(controller)
{
    ui->setupUi(this);
    faultKinds();
    const QString type = controller->property("type").toString();
    if (type == QLatin1String("tiverk")) {
        family = Tiverk;
        ui->stackedWidget->setCurrentIndex(0);
        const QString version = controller->property("version").toString();
        if (version != QLatin1String("3.17") && version != QLatin1String("3.18"))
            ui->errorControl->removeRow(silentDevicesRow);
        setWidgetValue(QLatin1String(errorControlKey),
                       controller->getNativeData(QLatin1String(errorControlKey)));
        shownErrorControl = widgetValue(QLatin1String(errorControlKey));
    } else if (type.compare(QLatin1String("tiverkii"), Qt::CaseInsensitive) == 0) {
        family = TiverkII;
        ui->stackedWidget->setCurrentIndex(1);
        loadRecovery();
    } else {
        ui->stackedWidget->hide();
    }
}

ErrorControlDlg::~ErrorControlDlg()
{
    delete ui;
}

const QVector<QPair<QString, QString>> &ErrorControlDlg::faultKinds()
{
    static const char *const kinds[][2] = {
        { "redError", QT_TRANSLATE_NOOP("ErrorControlDlg", "Control of red") },
        { "greenError", QT_TRANSLATE_NOOP("ErrorControlDlg", "Control of green") },
        { "mnswLost", QT_TRANSLATE_NOOP("ErrorControlDlg", "Lost of the circuit breaker") },
        { "mnswProtect",
          QT_TRANSLATE_NOOP("ErrorControlDlg", "Protective shutdown of the circuit breaker") },
        { "mnswBreak", QT_TRANSLATE_NOOP("ErrorControlDlg", "Break of the circuit breaker") },
        { "mnswShort",
          QT_TRANSLATE_NOOP("ErrorControlDlg", "Short curcuit in the circuit breaker") },
        { "swBreak", QT_TRANSLATE_NOOP("ErrorControlDlg", "Break of the key") },
        { "swShort", QT_TRANSLATE_NOOP("ErrorControlDlg", "Short circuit in the key") },
        { "noLoad", QT_TRANSLATE_NOOP("ErrorControlDlg", "Load break") },
        { "parasitePower", QT_TRANSLATE_NOOP("ErrorControlDlg", "Parasitic load power") },
        { "curentLimit", QT_TRANSLATE_NOOP("ErrorControlDlg", "Average current exceeded maximum") },
        { "shortCurent", QT_TRANSLATE_NOOP("ErrorControlDlg", "Short circuit in load") },
        { "greenConflict", QT_TRANSLATE_NOOP("ErrorControlDlg", "Conflict of green") },
        { "selfDiagError", QT_TRANSLATE_NOOP("ErrorControlDlg", "Self diagnostic error") },
        { "curentLowFence", QT_TRANSLATE_NOOP("ErrorControlDlg", "Current below tolerance") },
        { "curentHighFence", QT_TRANSLATE_NOOP("ErrorControlDlg", "Current above tolerance") },
        { "keyUnsync",
          QT_TRANSLATE_NOOP("ErrorControlDlg", "Key out of sync with electricity grid") },
        { "mnswUnsync",
          QT_TRANSLATE_NOOP("ErrorControlDlg",
                            "Circuit breaker out of sync with electricity grid") },
        { "netDevLost", QT_TRANSLATE_NOOP("ErrorControlDlg", "Nework device lost") },
    };
    static QVector<QPair<QString, QString>> list;
    if (list.isEmpty()) {
        for (const auto &kind : kinds)
            list.append({ QLatin1String(kind[0]),
                          QCoreApplication::translate("ErrorControlDlg", kind[1]) });
    }
    return list;
}

VObject ErrorControlDlg::recoveryNode() const
{
    return controller->nativeData()["modules"]["SystemBus"]["devices"]["KSK1"]["recovery"];
}

void ErrorControlDlg::loadRecovery()
{
    const VObject recovery = recoveryNode();
    setWidgetValue(QStringLiteral("confidenceInterval"),
                   recovery["confidenceInterval"].toVariant());
    setWidgetValue(QStringLiteral("defectSwitchRate"), recovery["defectSwitchRate"].toVariant());
    TiverkEditTable *table = ui->errorControl_2;
    const auto &kinds = faultKinds();
    table->setRowCount(kinds.size());
    for (int row = 0; row < kinds.size(); ++row) {
        auto *title = new QTableWidgetItem(kinds.at(row).second);
        title->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setVerticalHeaderItem(row, title);
        const VObject entry = recovery["errors"][kinds.at(row).first];
        table->setCellValue(row, IntervalColumn, entry["interval"].toVariant());
        table->setCellValue(row, AttemptsColumn, entry["attempts"].toVariant());
    }
    // The fault titles are long: the table asks for room for them and both
    // value columns, so no column hides behind a horizontal scroll.
    int width = table->verticalHeader()->sizeHint().width()
        + table->verticalScrollBar()->sizeHint().width() + 2 * table->frameWidth();
    for (int column = 0; column < table->columnCount(); ++column)
        width += table->horizontalHeader()->sectionSizeHint(column);
    table->setMinimumWidth(width);
}

bool ErrorControlDlg::holdsRecoveryValue() const
{
    if (widgetValue(QStringLiteral("defectSwitchRate")).isValid()
        || widgetValue(QStringLiteral("confidenceInterval")).isValid())
        return true;
    const TiverkEditTable *table = ui->errorControl_2;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (!isEmptyCell(table->cellValue(row, IntervalColumn))
            || !isEmptyCell(table->cellValue(row, AttemptsColumn)))
            return true;
    }
    return false;
}

void ErrorControlDlg::storeRecovery()
{
    VObject recovery = recoveryNode();
    // A controller without the block gets none while every value is not set.
    if (recovery.isNull() && !holdsRecoveryValue())
        return;
    // The dialog owns the recovery block whole: nothing it held before survives.
    recovery = QVariantMap();
    recovery.removeInvalidValues(true);
    recovery["defectSwitchRate"] = widgetValue(QStringLiteral("defectSwitchRate"));
    recovery["confidenceInterval"] = widgetValue(QStringLiteral("confidenceInterval"));
    const TiverkEditTable *table = ui->errorControl_2;
    const auto &kinds = faultKinds();
    for (int row = 0; row < kinds.size() && row < table->rowCount(); ++row) {
        const QVariant interval = table->cellValue(row, IntervalColumn);
        const QVariant attempts = table->cellValue(row, AttemptsColumn);
        if (isEmptyCell(interval) && isEmptyCell(attempts))
            continue;
        // An empty cell beside a filled one counts as 0.
        recovery["errors"][kinds.at(row).first]
            = QVariantMap { { QStringLiteral("attempts"), attempts.toInt() },
                            { QStringLiteral("interval"), interval.toInt() } };
    }
}

void ErrorControlDlg::accept()
{
    if (family == Tiverk) {
        // The table left as it showed the list writes nothing: an absent list
        // stays absent, a stored 255 stays.
        const QVariant errorControl = widgetValue(QLatin1String(errorControlKey));
        if (errorControl != shownErrorControl)
            controller->setNativeData(QLatin1String(errorControlKey), errorControl);
    } else if (family == TiverkII)
        storeRecovery();
    UiDataExchange::accept();
}

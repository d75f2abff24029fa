// Opens every window of plivek on the samples and writes one PNG per window.
// Usage: plivek_tour <output folder> <examples folder>

#include "windowtour.h"

#include "plivek/app/startup.h"
#include "plivek/mainwindow/mainwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTreeWidget>

namespace {

// The window actions that open a window, in menu order.
const char *const dialogActions[] = {
    "actionCommon",      "actionInfoPart",
    "powerPartAdd",      "sgAdd",
    "phaseAdd",          "actionAddProgram",
    "actionCalendar",    "actionInterstates",
    "actionVPU",         "actionAsud",
    "actionTablo",       "actionErrControl",
    "actionDtStat",      "actionSynchronizer",
    "actionIndication",  "actionConflictMatrix",
    "actionGo_to_point", "actionColor_settings",
    "actionMap_opacity", "actionController_configuration",
    "actionHalm58",      "actionSumo",
};

// Each element table with the slot that opens its first row's properties.
const struct
{
    const char *table;
    const char *properties;
} elementTables[] = {
    { "sgTable", "sgItemProperties" },
    { "phasesTable", "phaseItemProperties" },
    { "progTable", "programsItemProperties" },
    { "matricesTable", "matricesItemProperties" },
    { "detectorsTable", "detectorsItemProperties" },
    { "sensorsTable", "sensorsItemProperties" },
    { "outputsTable", "outputsItemProperties" },
};

// Slots that add an element through its dialog, for tables without a form action.
const struct
{
    const char *table;
    const char *add;
} addSlots[] = {
    { "matricesTable", "matrixAdd" },
    { "detectorsTable", "detectorsAdd" },
    { "sensorsTable", "sensorsAdd" },
    { "outputsTable", "outputsAdd" },
};

bool shown(QWidget *widget)
{
    return widget && widget->isVisibleTo(widget->window());
}

void click(QWidget *root, const char *name)
{
    if (auto *button = root->findChild<QAbstractButton *>(QLatin1String(name)))
        button->click();
}

// Inside a program dialog: the windows it opens itself.
void programWindows(WindowTour &tour, QWidget *dialog)
{
    // The TIVERK II program editor opens its diagram and log as windows of their own.
    auto *diagram = dialog->findChild<QAbstractButton *>(QStringLiteral("showDiagramm"));
    if (diagram && diagram->isVisible() && dialog->inherits("ProgramTiverk2Dlg")) {
        diagram->setChecked(true);
        QWidget *chart = dialog->findChild<QWidget *>(QStringLiteral("chart_dlg"));
        tour.shot(chart, QStringLiteral("Tiverk2DiagrammDlg"));
        if (chart) {
            tour.modal(QStringLiteral("GeneratedConfiguration"),
                       [chart] { click(chart, "displayGeneratedConfiguration"); });
            tour.modal(QStringLiteral("EmulatorParametersDlg"),
                       [chart] { click(chart, "displayEmulatorParameters"); });
        }
        if (auto *log = dialog->findChild<QAbstractButton *>(QStringLiteral("showEmulatorLog"))) {
            log->setChecked(true);
            tour.shot(dialog->findChild<QWidget *>(QStringLiteral("log_dlg")),
                      QStringLiteral("Tiverk2LogDlg"));
        }
        diagram->setChecked(false);
    }
}

// Every window is shown as a user sees it the first time, not at the size
// the tour left it earlier.
void forgetGeometry()
{
    QSettings().remove(QStringLiteral("WindowsGeometry"));
}

void tourDocument(WindowTour &tour, MainWindow &window, const QString &path)
{
    window.loadDocument(path);
    window.document().setChanged(false);
    tour.shot(&window, QStringLiteral("MainWindow"));

    for (const char *name : dialogActions) {
        QAction *action = window.findChild<QAction *>(QLatin1String(name));
        if (!action || !action->isVisible() || !action->isEnabled())
            continue;
        forgetGeometry();
        tour.modal(
            QLatin1String(name), [action] { action->trigger(); },
            [&tour](QWidget *dialog) { programWindows(tour, dialog); });
    }
    for (const char *name : { "sg_defaults", "dtModules" }) {
        auto *button = window.findChild<QPushButton *>(QLatin1String(name));
        forgetGeometry();
        if (shown(button))
            tour.modal(QLatin1String(name), [button] { emit button->clicked(); });
    }
    for (const auto &entry : elementTables) {
        auto *table = window.findChild<QTableWidget *>(QLatin1String(entry.table));
        if (!shown(table) || table->rowCount() == 0)
            continue;
        // Programs differ by their type, each with its own look: all of them.
        const int rows
            = QLatin1String(entry.table) == QLatin1String("progTable") ? table->rowCount() : 1;
        for (int row = 0; row < rows; ++row) {
            table->setCurrentCell(row, 0);
            table->selectRow(row);
            forgetGeometry();
            tour.modal(
                QLatin1String(entry.properties) + QString::number(row + 1),
                [&window, &entry] { QMetaObject::invokeMethod(&window, entry.properties); },
                [&tour](QWidget *dialog) { programWindows(tour, dialog); });
        }
    }
    for (const auto &entry : addSlots) {
        auto *table = window.findChild<QTableWidget *>(QLatin1String(entry.table));
        forgetGeometry();
        if (shown(table))
            tour.modal(QLatin1String(entry.add),
                       [&window, &entry] { QMetaObject::invokeMethod(&window, entry.add); });
    }
    auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("powerPartTree"));
    if (shown(tree) && tree->topLevelItemCount() > 0) {
        QTreeWidgetItem *item = tree->topLevelItem(0);
        if (item->childCount() > 0)
            item = item->child(0);
        tree->setCurrentItem(item);
        forgetGeometry();
        tour.modal(QStringLiteral("powerPartItemProperties"),
                   [&window] { QMetaObject::invokeMethod(&window, "powerPartItemProperties"); });
    }
    window.document().setChanged(false);
}

int runTour(const QString &folder, const QDir &examples)
{
    WindowTour tour(folder, QStringLiteral("plivek"));
    // Expert mode shows the diagram window's extra buttons and the windows behind them.
    QSettings().setValue(QStringLiteral("expert_mode"), true);
    {
        MainWindow window;
        window.show();
        tour.setSample(QStringLiteral("start"));
        tour.shot(&window, QStringLiteral("MainWindow"));
        // A load error at start-up, as the program shows it.
        tour.modal(QStringLiteral("LoadError"), [&window, &examples] {
            window.loadDocument(examples.filePath(QStringLiteral("missing.cnf")));
        });
        tour.modal(QStringLiteral("NewDocumentDlg"), [&window] {
            window.findChild<QAction *>(QStringLiteral("actionNew"))->trigger();
        });
        for (const QString &sample : examples.entryList(
                 { QStringLiteral("*.cnf"), QStringLiteral("*.txt"), QStringLiteral("*.json") },
                 QDir::Files)) {
            tour.setSample(QFileInfo(sample).completeBaseName());
            tourDocument(tour, window, examples.filePath(sample));
        }
        // A new document of the default family, as New leaves it.
        tour.setSample(QStringLiteral("new"));
        tour.modal(
            QStringLiteral("NewDocumentDlg"),
            [&window] { window.findChild<QAction *>(QStringLiteral("actionNew"))->trigger(); },
            [](QWidget *dialog) { static_cast<QDialog *>(dialog)->accept(); });
        tour.shot(&window, QStringLiteral("MainWindow"));
        window.document().setChanged(false);
    }
    tour.printSummary();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Startup::setApplicationIdentity();
    return WindowTour::run("plivek_tour", runTour);
}

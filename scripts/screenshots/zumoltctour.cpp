// Opens every page and window of zumoltc on the ZU_MOLT sample and writes one
// PNG per window. Usage: zumoltc_tour <output folder> <examples folder>

#include "windowtour.h"

#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zusignalgroup.h"
#include "zumoltc/shell/framework/intedit.h"
#include "zumoltc/shell/framework/prefixes.h"
#include "zumoltc/shell/mainwindow.h"
#include "zumoltc/shell/startup.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

QString itemPath(const QTreeWidgetItem *item)
{
    QStringList parts;
    for (; item; item = item->parent())
        parts.prepend(item->text(0));
    return parts.join(QLatin1Char('-'));
}

// The shown page's field of that name, or null.
IntEdit *pageField(QMainWindow &window, const QString &name)
{
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("section_tabs"));
    QWidget *page = tabs ? tabs->currentWidget() : nullptr;
    return page ? page->findChild<IntEdit *>(name) : nullptr;
}

void cancelPage(QMainWindow &window)
{
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("section_tabs"));
    QWidget *page = tabs ? tabs->currentWidget() : nullptr;
    if (!page)
        return;
    for (QDialogButtonBox *box : page->findChildren<QDialogButtonBox *>()) {
        if (QPushButton *cancel = box->button(QDialogButtonBox::Cancel)) {
            if (cancel->isEnabled())
                cancel->click();
        }
    }
}

int runTour(const QString &folder, const QDir &examples)
{
    WindowTour tour(folder, QStringLiteral("zumoltc"));
    MainWindow window;
    window.show();
    tour.setSample(QStringLiteral("start"));
    tour.shot(&window, QStringLiteral("MainWindow"));
    tour.setSample(QStringLiteral("zumolt"));
    window.loadFile(examples.filePath(QStringLiteral("zumolt_intersection.json")));
    tour.shot(&window, QStringLiteral("MainWindow"));

    auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("section_list"));
    QList<QTreeWidgetItem *> items;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = tree->topLevelItem(i);
        items << top;
        if (top->childCount() > 0)
            items << top->child(0);
        for (int j = 0; j < top->childCount(); ++j) {
            if (top->child(j)->childCount() > 0) {
                items << top->child(j) << top->child(j)->child(0);
                break;
            }
        }
    }
    for (QTreeWidgetItem *item : items) {
        tree->clearSelection();
        tree->setCurrentItem(item);
        item->setSelected(true);
        tour.shot(&window, itemPath(item));
    }

    // A taken id on a signal group page: the field's look and its tool tip.
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *branch = tree->topLevelItem(i);
        if (branch->childCount() < 2)
            continue;
        tree->setCurrentItem(branch->child(0));
        IntEdit *id = pageField(window, QStringLiteral("id"));
        if (!id)
            continue;
        const int taken = id->value();
        tree->setCurrentItem(branch->child(1));
        if (IntEdit *other = pageField(window, QStringLiteral("id"))) {
            other->setFocus();
            other->setValue(taken);
            tour.shot(&window, QStringLiteral("taken id - ") + other->toolTip());
            cancelPage(window);
        }
        break;
    }

    // Every signal plan (each type has its own sub-page), then the timeline
    // chart of a crossing with many signal groups.
    const auto showPlans = [&](const QString &name) {
        const QList<QTreeWidgetItem *> plans
            = tree->findItems(QStringLiteral("Signal plans"), Qt::MatchExactly);
        if (plans.isEmpty())
            return;
        for (int i = 0; i < plans.first()->childCount(); ++i) {
            QTreeWidgetItem *plan = plans.first()->child(i);
            tree->clearSelection();
            tree->setCurrentItem(plan);
            plan->setSelected(true);
            tour.shot(&window, name + itemPath(plan));
        }
    };
    showPlans(QString());
    for (int id = 100; id < 140; ++id) {
        auto *group = new ZUSignalGroup;
        group->setId(id);
        group->setName(QStringLiteral("G%1").arg(id));
        group->setType(zu::traffic);
        window.configuration()->addSignalGroup(group);
    }
    showPlans(QStringLiteral("43 groups-"));

    tour.modal(QStringLiteral("SettingsDialog"), [&window] {
        window.findChild<QAction *>(QStringLiteral("actionSettings"))->trigger();
    });
    window.findChild<QAction *>(QStringLiteral("actionchecking"))->trigger();
    tour.shot(window.findChild<QWidget *>(QStringLiteral("CheckingErrorsDialog")),
              QStringLiteral("CheckingErrorsDialog"));

    tour.printSummary();
    window.hide();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Startup::setApplicationIdentity();
    loadPrefixes(false);
    return WindowTour::run("zumoltc_tour", runTour);
}

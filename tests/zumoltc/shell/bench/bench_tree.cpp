// Opening a large ZU_MOLT file in zumoltc beside a bare program that reads the
// same file with QJsonDocument and fills a QTreeWidget with the same rows (texts
// and lamp icons), each until its window has been painted once. The file has 5,000 signal groups,
// 500 signal plans and 10,000 switches at the default size; the first argument gives the number of
// switches instead (groups half as many, plans a twentieth), so a smoke run can
// pass a small one. Goal: zumoltc within 2x of the bare tree.
// Run: build with -DBUILD_BENCHMARKS=ON (Release), then
// QT_QPA_PLATFORM=offscreen build/bench/bench_zumoltc_tree [switches]
#include "benchwindow.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/mainwindow.h"
#include "zumoltc/shell/userdialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const char *const lampFiles[]
    = { "://images/red_c.png", "://images/green_c.png", "://images/yellow_c.png",
        "://images/white_c.png", "://images/gray_c.png" };
const int colors[]
    = { zu::Color::red, zu::Color::green, zu::Color::amber, zu::Color::white, zu::NotSet };

void fill(ZUConfiguration &c, int switches)
{
    c.setId(1);
    c.setName(QStringLiteral("Large"));
    QList<ZUSignalGroup *> groups;
    for (int i = 1; i <= std::max(1, switches / 2); ++i) {
        auto *group = new ZUSignalGroup;
        group->setId(i);
        group->setName(QStringLiteral("Group %1").arg(i));
        group->setType(i % 3 ? zu::traffic : zu::pedestrian);
        c.addSignalGroup(group);
        groups << group;
    }
    for (int i = 1; i <= std::max(1, switches / 20); ++i) {
        auto *plan = new ZUSignalPlan;
        plan->setId(i);
        plan->setName(QStringLiteral("Plan %1").arg(i));
        plan->setType(zu::Special);
        plan->setMode(zu::AB);
        c.addSignalPlan(plan);
    }
    for (int i = 1; i <= switches; ++i) {
        auto *sw = new ZUSwitch;
        sw->setId(i);
        sw->setName(QStringLiteral("%1-%2").arg(i / 4 + 1).arg(i % 4 + 1));
        sw->setAddr(i - 1);
        sw->setSignalGroup(groups.at((i - 1) % groups.size()));
        sw->setColor(colors[i % 5]);
        sw->setControl(i % 2);
        c.addSwitch(sw);
    }
}

// What a bare program does to show the file's rows: reads it with QJsonDocument
// and fills the tree with the texts zumoltc gives its items ("id (name) suffix")
// and one shared icon per lamp colour.
void fillBareTree(QTreeWidget &tree, const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    auto text = [](const QJsonObject &object, const QString &suffix) {
        QString result = QString::number(object.value(QLatin1String("id")).toInt());
        result += QStringLiteral(" (") + object.value(QLatin1String("name")).toString()
            + QLatin1Char(')');
        return suffix.isEmpty() ? result : result + QLatin1Char(' ') + suffix;
    };
    auto branch = [&tree](const char *title) {
        return new QTreeWidgetItem(&tree, QStringList(QLatin1String(title)));
    };

    QTreeWidgetItem *groups = branch("Signal groups");
    QHash<int, QString> groupTexts;
    for (const QJsonValue &value : root.value(QLatin1String("signalGroups"))
                                       .toObject()
                                       .value(QLatin1String("items"))
                                       .toArray()) {
        const QJsonObject group = value.toObject();
        groupTexts.insert(group.value(QLatin1String("id")).toInt(), text(group, QString()));
        new QTreeWidgetItem(
            groups, QStringList(text(group, group.value(QLatin1String("type")).toString())));
    }
    QTreeWidgetItem *plans = branch("Signal plans");
    for (const QJsonValue &value : root.value(QLatin1String("plans")).toArray())
        new QTreeWidgetItem(plans, QStringList(text(value.toObject(), QString())));
    QTreeWidgetItem *switches = branch("Power switches");
    QHash<QString, QIcon> lamps;
    for (const QJsonValue &value :
         root.value(QLatin1String("switches")).toObject().value(QLatin1String("items")).toArray()) {
        const QJsonObject sw = value.toObject();
        QString suffix
            = sw.value(QLatin1String("control")).toBool() ? QStringLiteral("[c]") : QString();
        const QString group = groupTexts.value(sw.value(QLatin1String("signalGroup")).toInt());
        if (!group.isEmpty())
            suffix += (suffix.isEmpty() ? QString() : QStringLiteral(" ")) + QLatin1Char('{')
                + group + QLatin1Char('}');
        auto *item = new QTreeWidgetItem(switches, QStringList(text(sw, suffix)));
        const QString color = sw.value(QLatin1String("color")).toString();
        auto lamp = lamps.find(color);
        if (lamp == lamps.end()) {
            const int index = color == QLatin1String("red") ? 0
                : color == QLatin1String("green")           ? 1
                : color == QLatin1String("amber")           ? 2
                : color == QLatin1String("white")           ? 3
                                                            : 4;
            lamp = lamps.insert(color, QIcon(QLatin1String(lampFiles[index])));
        }
        item->setIcon(0, *lamp);
    }
}

double seconds(const std::function<void()> &run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    BenchApplication app(argc, argv, QStringLiteral("bench_zumoltc_tree"));
    const int switches = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 10000;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.json"));
    {
        ZUConfiguration source;
        fill(source, switches);
        QString error;
        if (!source.save(path, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }

    // The best of three runs each, in turns, so both meet the same machine load.
    double program = 0, bare = 0, model = 0;
    for (int run = 0; run < 3; ++run) {
        {
            ZUConfiguration c;
            const double time = seconds([&] { c.load(path); });
            model = run ? std::min(model, time) : time;
        }
        {
            MainWindow window;
            bool loaded = false;
            const double time = seconds([&] {
                loaded = window.loadFile(path);
                showAndPaint(&window);
            });
            if (!loaded) {
                std::fprintf(stderr, "zumoltc did not load the file\n");
                return 1;
            }
            program = run ? std::min(program, time) : time;
        }
        {
            QTreeWidget tree;
            tree.setColumnCount(2);
            tree.setIconSize(QSize(32, 32));
            const double time = seconds([&] {
                fillBareTree(tree, path);
                showAndPaint(&tree);
            });
            bare = run ? std::min(bare, time) : time;
        }
    }
    std::printf("zumoltc tree: %d signal groups, %d plans, %d switches  zumoltc %7.3f s (the "
                "model's load %7.3f s)  "
                "bare QTreeWidget %7.3f s  ratio %5.1f (goal: at most 2)\n",
                std::max(1, switches / 2), std::max(1, switches / 20), switches, program, model,
                bare, program / bare);
    return 0;
}

// Opens the conflict-matrix page on configurations of many signal groups and
// applies one cell. Prints time and memory per size and their growth.
//   bench_zumoltc_matrixpage [groups ...]   (default 500 1000 2000)
#include "zumoltc/editors/matrixwidget.h"
#include "zumoltc/model/zuconfiguration.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>

#include <cstdio>
#include <memory>

namespace {

// Resident memory of the process in MB.
double residentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toDouble() * 4096.0 / (1024.0 * 1024.0);
}

// Groups in stages of eight, each group in conflict with the ten groups after it.
std::unique_ptr<ZUConfiguration> configuration(int groups)
{
    auto c = std::make_unique<ZUConfiguration>();
    QList<ZUSignalGroup *> list;
    for (int i = 1; i <= groups; ++i) {
        auto *group = new ZUSignalGroup;
        group->setId(i);
        group->setName(QStringLiteral("G%1").arg(i));
        c->addSignalGroup(group);
        list << group;
    }
    for (int first = 0; first < groups; first += 8) {
        auto *stage = new ZUStage;
        stage->setId(first / 8 + 1);
        for (int k = first; k < qMin(groups, first + 8); ++k)
            stage->addGroup(list.at(k));
        c->addStage(stage);
    }
    ZUIntergreenMatrix *matrix = c->intergreenMatrix();
    for (int i = 0; i < groups; ++i) {
        for (int k = 1; k <= 10; ++k)
            matrix->setConflictTime(list.at(i), list.at((i + k) % groups), 3 + k % 4);
    }
    return c;
}

struct Row
{
    int groups;
    double openMs;
    double openMb;
    double applyMs;
};

Row measure(int groups)
{
    auto c = configuration(groups);
    const double before = residentMb();
    QElapsedTimer timer;
    timer.start();
    auto page = std::make_unique<MatrixWidget>();
    page->resize(1200, 800);
    page->load(c.get());
    page->show();
    QCoreApplication::processEvents();
    Row row { groups, double(timer.nsecsElapsed()) / 1e6, residentMb() - before, 0 };

    QAbstractItemModel *model
        = page->findChild<QAbstractItemView *>(QStringLiteral("matrixTable"))->model();
    timer.restart();
    model->setData(model->index(0, groups / 2), QStringLiteral("9"));
    page->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Apply)->click();
    QCoreApplication::processEvents();
    row.applyMs = double(timer.nsecsElapsed()) / 1e6;
    return row;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QByteArray(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = { 500, 1000, 2000 };

    std::printf("%8s %10s %10s %10s\n", "groups", "open ms", "open MB", "apply ms");
    QList<Row> rows;
    for (int groups : qAsConst(sizes)) {
        const Row row = measure(groups);
        rows << row;
        std::printf("%8d %10.1f %10.1f %10.2f\n", row.groups, row.openMs, row.openMb, row.applyMs);
    }
    if (rows.size() > 1) {
        const Row &first = rows.first();
        const Row &last = rows.last();
        std::printf("growth %dx groups: open time %.1fx, apply time %.1fx\n",
                    last.groups / qMax(1, first.groups), last.openMs / qMax(0.001, first.openMs),
                    last.applyMs / qMax(0.001, first.applyMs));
    }
    return 0;
}

#include "countdowntabledlg.h"

#include "plivek/framework/comboboxdelegate.h"
#include "ui_countdowntabledlg.h"

#include <QVariantMap>

namespace {
enum Row { GroupRow = 0 };
}

CountDownTableDlg::CountDownTableDlg(QWidget *parent, const QVariantList &rows,
                                     const QStringList &groups, const QString &version)
    : QDialog(parent)
    , ui(new Ui::CountDownTableDlg)
    , version(version)
{
    ui->setupUi(this);
    TiverkEditTable *table = ui->countDownTable;
    table->setItemDelegateForRow(GroupRow, new ComboBoxDelegate(table, groups));
    table->setPasteTextAsIs(false);
    if (version == QLatin1String("3.18")) {
        table->setRowCount(2);
        table->setVerticalHeaderItem(1, new QTableWidgetItem(tr("Count tables in group")));
        keys = QStringList { QStringLiteral("sg"), QStringLiteral("count") };
    } else {
        keys = QStringList { QStringLiteral("sg"), QStringLiteral("address"),
                             QStringLiteral("blinkingTime") };
    }
    for (int column = 0; column < rows.size(); ++column) {
        const QVariantMap display = rows.at(column).toMap();
        for (int row = 0; row < keys.size(); ++row)
            table->setCellValue(row, column, display.value(keys.at(row)));
    }
}

CountDownTableDlg::~CountDownTableDlg()
{
    delete ui;
}

QVariantList CountDownTableDlg::countDownTable() const
{
    const TiverkEditTable *table = ui->countDownTable;
    QVariantList displays;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QVariant group = table->cellValue(GroupRow, column);
        if (!group.isValid() || group.toInt() < 0)
            continue;
        QVariantMap display;
        for (int row = 0; row < keys.size(); ++row)
            display.insert(keys.at(row), table->cellValue(row, column));
        displays.append(display);
    }
    return displays;
}

#include "colorsettingsdlga.h"
#include "ui_colorsettingsdlga.h"

#include "netcolors.h"

#include <QColorDialog>

namespace Halm58ga {

namespace {
const int KindRole = Qt::UserRole;
}

ColorSettingsDlga::ColorSettingsDlga(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::ColorSettingsDlga)
{
    ui->setupUi(this);
    ui->colorTable->setColumnCount(ColumnCount);
    ui->colorTable->setHorizontalHeaderLabels({ tr("Object"), tr("Colour") });
    connect(ui->change, &QPushButton::clicked, this, &ColorSettingsDlga::changeCurrent);
    connect(ui->colorTable, &QTableWidget::cellDoubleClicked, this,
            &ColorSettingsDlga::changeCurrent);
    connect(ui->defaults, &QPushButton::clicked, this, &ColorSettingsDlga::restoreDefaults);
    fill();
}

ColorSettingsDlga::~ColorSettingsDlga()
{
    delete ui;
}

void ColorSettingsDlga::setColor(const QString &kind, const QColor &color)
{
    if (!color.isValid() || !NetColors::kinds().contains(kind))
        return;
    NetColors::setColor(kind, color);
    fill();
    emit colorsChanged();
}

void ColorSettingsDlga::fill()
{
    const QStringList kinds = NetColors::kinds();
    ui->colorTable->setRowCount(kinds.size());
    for (int row = 0; row < kinds.size(); ++row) {
        auto *name = new QTableWidgetItem(NetColors::displayName(kinds.at(row)));
        name->setData(KindRole, kinds.at(row));
        ui->colorTable->setItem(row, KindColumn, name);
        const QColor color = NetColors::color(kinds.at(row));
        auto *swatch = new QTableWidgetItem(color.name());
        swatch->setBackground(color);
        swatch->setForeground(color.lightness() < 128 ? Qt::white : Qt::black);
        ui->colorTable->setItem(row, ColorColumn, swatch);
    }
}

void ColorSettingsDlga::changeCurrent()
{
    const int row = ui->colorTable->currentRow();
    QTableWidgetItem *item = ui->colorTable->item(row, KindColumn);
    if (!item)
        return;
    const QString kind = item->data(KindRole).toString();
    const QColor color = QColorDialog::getColor(NetColors::color(kind), this, item->text());
    setColor(kind, color);
}

void ColorSettingsDlga::restoreDefaults()
{
    NetColors::reset();
    fill();
    emit colorsChanged();
}

} // namespace Halm58ga

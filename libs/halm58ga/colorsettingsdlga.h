#pragma once

#include <QColor>
#include <QDialog>

namespace Ui {
class ColorSettingsDlga;
}

namespace Halm58ga {

// Lists the colours of the network's object kinds and changes them. Every
// change is stored at once (settings group "NetColors") and announced with
// colorsChanged(), so that the caller can repaint the map.
class ColorSettingsDlga : public QDialog
{
    Q_OBJECT
public:
    enum Column { KindColumn, ColorColumn, ColumnCount };

    explicit ColorSettingsDlga(QWidget *parent = nullptr);
    ~ColorSettingsDlga() override;

    void setColor(const QString &kind, const QColor &color);

signals:
    void colorsChanged();

private:
    void fill();
    void changeCurrent();
    void restoreDefaults();

    Ui::ColorSettingsDlga *ui;
};

} // namespace Halm58ga

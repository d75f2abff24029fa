#include "svgexportparametersdlg.h"
#include "ui_svgexportparametersdlg.h"

#include <QSettings>

namespace {

const char LikeOnScreenKey[] = "SvgExportParametersDlg/likeonscreen";
const char ImageSizeKey[] = "SvgExportParametersDlg/ImageSize";
const char InMillimetersKey[] = "SvgExportParametersDlg/inmm";

} // namespace

SvgExportParametersDlg::SvgExportParametersDlg(const QSize &screenSize, bool hideMillimeters,
                                               QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::SvgExportParametersDlg)
    , m_screenSize(screenSize)
    , m_millimetresOffered(!hideMillimeters)
{
    ui->setupUi(this);

    const QSettings settings;
    ui->likeOnScreen->setChecked(settings.value(QLatin1String(LikeOnScreenKey), false).toBool());
    const QSize size = ui->likeOnScreen->isChecked()
        ? m_screenSize
        : settings.value(QLatin1String(ImageSizeKey), m_screenSize).toSize();
    if (size.isValid()) {
        ui->width->setValue(size.width());
        ui->height->setValue(size.height());
    }
    // A PNG export hides the box, yet its stored value stays and goes back on OK.
    ui->mmSize->setChecked(settings.value(QLatin1String(InMillimetersKey), false).toBool());
    ui->mmSize->setHidden(hideMillimeters);
}

SvgExportParametersDlg::~SvgExportParametersDlg()
{
    delete ui;
}

QSize SvgExportParametersDlg::imageSize() const
{
    if (ui->likeOnScreen->isChecked())
        return m_screenSize;
    return QSize(ui->width->value(), ui->height->value());
}

bool SvgExportParametersDlg::inMillimeters() const
{
    return m_millimetresOffered && ui->mmSize->isChecked();
}

void SvgExportParametersDlg::accept()
{
    QSettings settings;
    settings.setValue(QLatin1String(ImageSizeKey), imageSize());
    settings.setValue(QLatin1String(InMillimetersKey), ui->mmSize->isChecked());
    settings.setValue(QLatin1String(LikeOnScreenKey), ui->likeOnScreen->isChecked());
    QDialog::accept();
}

void SvgExportParametersDlg::on_likeOnScreen_clicked()
{
    ui->width->setValue(m_screenSize.width());
    ui->height->setValue(m_screenSize.height());
    ui->mmSize->setChecked(false);
}

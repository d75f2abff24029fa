#pragma once

#include <QDialog>
#include <QSize>

namespace Ui {
class SvgExportParametersDlg;
}

// Asks for the size of a chart picture before the caller saves it. The caller passes the
// chart's size on the screen and hides the millimetre choice unless it writes SVG; after
// Accepted it reads imageSize() and, for SVG, inMillimeters(). The dialog itself writes only
// its own settings ("SvgExportParametersDlg/..."), on OK, for the next export.
class SvgExportParametersDlg : public QDialog
{
    Q_OBJECT
public:
    SvgExportParametersDlg(const QSize &screenSize, bool hideMillimeters,
                           QWidget *parent = nullptr);
    ~SvgExportParametersDlg() override;

    // The screen size while "Like on screen" is ticked, otherwise width and height.
    QSize imageSize() const;
    // True when the millimetre choice was offered and is ticked; still right after exec()
    // returned, when the dialog and its boxes are no longer visible.
    bool inMillimeters() const;

public slots:
    void accept() override;

private slots:
    void on_likeOnScreen_clicked();

private:
    Ui::SvgExportParametersDlg *ui;
    QSize m_screenSize;
    bool m_millimetresOffered;
};

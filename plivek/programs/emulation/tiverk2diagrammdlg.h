#pragma once

#include "cnf/cnfcontroller.h"
#include "cnf/cnffwd.h"

#include <QByteArray>
#include <QDialog>
#include <QMultiMap>
#include <QPoint>
#include <QPointF>
#include <QVariantMap>

#include <functional>

class QTlc;
namespace plotlet {
class ColorHBoxSeries;
class RectangleSeries;
class VLine;
} // namespace plotlet
namespace Ui {
class Tiverk2DiagrammDlg;
}

// The diagram window of the TIVERK II program dialog: it emulates the program
// being edited and draws one bar row per signal group and one rectangle per
// established stage.
//
// The window keeps a private controller made at construction from the
// document's controller (the signal groups and phases shared, the detectors and
// sensors as emulator inputs, a calendar that runs the program all day, the
// control sources); setData puts the program, the matrix and the native data
// into it and runs the emulation. The program and matrix objects are the
// caller's and stay shared: a program of a type that uses a matrix gets the
// given matrix. The document's controller is only read.
//
// Every change of the display options or of the event markers runs the
// emulation again, from time 0, one emulator step per 100 ms. The window keeps
// its options under "Tiverk2Prog/..." and its geometry under
// "Tiverk2DiagrammDlg/geometry". needToRefresh() asks the program dialog for
// fresh data (the refresh button).
class Tiverk2DiagrammDlg : public QDialog
{
    Q_OBJECT
public:
    // Makes the emulator of one run, with the window as parent.
    using EmulatorFactory = std::function<QTlc *(QObject *parent)>;

    // The controller is the document's and is not owned.
    Tiverk2DiagrammDlg(QWidget *parent, CnfController *controller);
    ~Tiverk2DiagrammDlg() override;

    // A null program shows "Empty data" and runs nothing.
    void setData(const CnfProgramPtr &program, const QVariantMap &multiRing,
                 const CnfMatrixPtr &matrix);
    // Replaces the chart content with a new emulation of the private
    // controller's first program, or with an error text.
    void runEmulation();

    // What the last setData gave.
    CnfProgramPtr program() const { return m_program; }
    QVariantMap multiRing() const { return m_multiRing; }
    CnfMatrixPtr matrix() const { return m_matrix; }

    // The configuration the emulator runs, and its JSON of the last run.
    const CnfController &emulatedController() const { return m_private; }
    QByteArray generatedJson() const { return m_generatedJson; }
    // Event markers by absolute emulation time in milliseconds; the lines
    // belong to the chart.
    QMultiMap<qint64, plotlet::VLine *> events() const { return m_events; }

    // Where the runs get their emulator; an empty factory restores QTlc.
    static void setEmulatorFactory(EmulatorFactory factory);

    void setVisible(bool visible) override;

signals:
    void visibilityChanged(bool visible);
    void needToRefresh();

private slots:
    void on_displayFrom_valueChanged(int value);
    void on_displayTo_valueChanged(int value);
    void on_displayPhases_toggled(bool checked);
    void on_displayGeneratedConfiguration_clicked();
    void on_chart_mousePress(Qt::MouseButton btn, QPoint px_pos, QPointF pt_pos);
    void on_chart_mouseButtonDblClick(Qt::MouseButton btn, QPoint px_pos, QPointF pt_pos);
    void add_detector_event();
    void add_sensor_event();
    void remove_detector_events();
    void change_detector_event();
    void vline_moved(qreal pos);
    void vline_removed();
    void on_displayDetailedTimes_clicked();
    void save_as_image();
    void on_displayEmulatorParameters_clicked();
    void on_xAxisFrom0_clicked();
    void on_syncCoord_clicked();

private:
    void addEvent(const QPointF &point, bool detector);
    void editEvent(plotlet::VLine *line);
    QList<plotlet::VLine *> selectedLines() const;
    // Places every marker at its key, less `from` seconds, without re-keying it.
    void placeMarkers(int from);
    // Runs the emulator over the display window; an error text when the run
    // cannot draw.
    QString emulate(const CnfProgramPtr &program, plotlet::ColorHBoxSeries *bars,
                    plotlet::RectangleSeries *stages);
    // A marker's width (seconds) as whole milliseconds.
    static qint64 widthMs(const plotlet::VLine *line);

    Ui::Tiverk2DiagrammDlg *ui;
    bool m_expertMode = false;
    CnfController *m_controller;
    QByteArray m_generatedJson;
    CnfController m_private;
    QMultiMap<qint64, plotlet::VLine *> m_events;
    CnfProgramPtr m_program;
    QVariantMap m_multiRing;
    CnfMatrixPtr m_matrix;
};

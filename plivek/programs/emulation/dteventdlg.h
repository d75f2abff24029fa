#pragma once

#include <QDialog>
#include <QString>

class CnfController;

namespace Ui {
class DtEventDlg;
}

// Edits one event that the emulation diagram sends to the emulator: a
// detector or a sensor of the controller (by id), the event's position in the
// diagram and its pulse width. It changes nothing in the controller; after
// Accepted the caller reads the five results and makes its marker from them.
class DtEventDlg : public QDialog
{
    Q_OBJECT
public:
    // `pulseWidth` 0 keeps the form's default of 1000 ms. `name` is the
    // caption of the event being changed: the detector (or, when not
    // `isDetector`, sensor) of exactly that name is selected.
    DtEventDlg(QWidget *parent, const CnfController *controller, int position, bool isDetector,
               int pulseWidth, const QString &name);
    ~DtEventDlg() override;

    int id() const; // 0 when the chosen list is empty
    QString name() const;
    int position() const; // seconds
    bool isDetector() const;
    int pulseWidth() const; // milliseconds

private:
    Ui::DtEventDlg *ui;
};

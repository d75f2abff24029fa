#pragma once

#include "cnf/cnffwd.h"
#include "cnf/vobject.h"

#include <QDialog>
#include <QHash>
#include <QMap>

class CnfController;
class DialogItemValidator;
class QComboBox;

namespace Ui {
class DetectorsDlg;
}

// One detector or sensor (the element tells which), edited in place: its id,
// its name, where its input comes from and, for a sensor, the journal
// messages of its state changes.
//
// The source is kept twice: as properties of the element ("dionumber",
// "diochannel", "keycode", "type", ...) and as a channel entry under the
// native "modules" that names the element under its kind key ("detector" or
// "sensor"). The source list offers the I/O boards (every family), and for
// TIVERK II the Signal module channels, the CPU board keys and the detector
// modules. OK checks everything first and only then writes the element and
// the channel entries; a refused OK leaves both as they were. A source the
// user left as it was shown is not written at all: only a new id reaches the
// element's own entries, in the form each held it. An edited source is
// written where it stands, and only in the fields the user edited, so that OK
// without a change changes nothing and an edit only what it edits. An entry
// naming the element by its name keeps the old name: the caller gives the new
// one to it as to every other place naming the element by its name (asking
// first where that text names another element too).
class DetectorsDlg : public QDialog
{
    Q_OBJECT
public:
    // Item data of the source list: kind in Qt::UserRole + 1, the Signal
    // module channel in Qt::UserRole + 2.
    enum SourceKind {
        NoSource = -1,
        IoBoard = 2,
        CpuKey = 3,
        TrafiCamSource = 4,
        CitilogSource = 5,
        PrioritySource = 6,
        SmartButtonSource = 7,
        SmartMicroSource = 8,
        AzimuthSource = 9,
        TrafficStreamSource = 10,
        SignalChannel = 11,
        LinkToDetector = 12
    };
    static constexpr int KindRole = Qt::UserRole + 1;
    static constexpr int SignalChannelRole = Qt::UserRole + 2;

    DetectorsDlg(CnfController *controller, const CnfDetectorPtr &element, bool isNew,
                 QWidget *parent = nullptr);
    ~DetectorsDlg() override;

public slots:
    void accept() override;

private slots:
    void on_type_currentIndexChanged(int index);
    void on_dio_channel_currentIndexChanged(int index);
    void on_cl_modules_currentIndexChanged(int index);
    void on_ti_modules_currentIndexChanged(int index);
    void on_xcam_modules_currentIndexChanged(int index);
    void on_azimuth_modules_currentIndexChanged(int index);
    void on_ts_modules_currentIndexChanged(int index);

private:
    // An offered I/O board: its device (possibly not yet in the native data)
    // and its channels by number, the free ones with a null entry.
    struct BoardChannels
    {
        VObject device;
        QMap<int, VObject> channels;
    };

    // What OK is going to write, worked out before anything is written.
    struct Plan;

    void loadAlerts();
    void loadBoards();
    void loadModules();
    void loadKeyboard();
    void addModuleKinds();

    // Whether the reference names the element (its id, or its non-empty name).
    bool namesElement(const VObject &reference) const;
    QString kindKey() const;
    // Selects the index and makes sure the combo box's slot runs once for it.
    void selectAndRun(QComboBox *box, int index, void (DetectorsDlg::*slot)(int));

    // Checks the shown source; false after telling the user what is wrong.
    bool makePlan(Plan *plan);
    void writePlan(const Plan &plan);
    // Takes the element's reference out of a channel entry; the entry goes
    // too when it names nothing else (unless keepEntry).
    void release(VObject entry, const QString &key, bool keepEntry = false);
    void releaseModuleEntry();
    // The current module entry when it is of the kind and sits in the channel
    // list, so that it is written where it stands; null when it is to be
    // released and another entry written.
    VObject ownEntryIn(SourceKind kind, const VObject &channels, bool changes,
                       const QString &numberKey = QString(), int number = 0) const;
    // Names the element under the key (by value) unless the entry names it already.
    void nameElementIn(VObject entry, const QString &key, const QVariant &value) const;
    void writeAlerts();

    // What each field showed when the dialog opened, to tell what the user edited.
    void rememberShown();
    bool edited(const QWidget *field) const;
    bool sourceEdited() const;
    bool alertsEdited() const;
    // Gives the entry's reference the element's new id, when it holds the id
    // the dialog opened with, in the same form; true when it wrote.
    bool followNewId(VObject entry, const QString &key) const;
    // Sets the element properties that writePlan planned, leaving alone
    // those it gives back unchanged, so that they keep their form and place.
    void applyPlannedProperties();

    Ui::DetectorsDlg *ui;
    CnfController *controller;
    CnfDetectorPtr element;
    VObject keyboardChannels;
    VObject currentChannelEntry;
    VObject trafiCam;
    VObject trafficStream;
    VObject citilog;
    VObject priority;
    VObject smartButton;
    VObject smartMicro;
    VObject azimuth;
    VObject signal;
    QMap<int, BoardChannels> boards;
    bool isNew;
    bool tiverkII = false;
    bool foundTrafiCam = false;
    bool foundTrafficStream = false;
    bool foundCitilog = false;
    bool foundPriority = false;
    bool foundSmartButton = false;
    bool foundSmartMicro = false;
    bool foundAzimuth = false;
    bool foundLink = false;
    VObject currentModuleEntry;
    SourceKind currentModuleKind = NoSource;
    int chosenSource = -1;
    DialogItemValidator *validator;
    QHash<const QWidget *, QString> shown;
    QVariantMap plannedProperties;
    int openedId = 0;
    QString openedName;
};

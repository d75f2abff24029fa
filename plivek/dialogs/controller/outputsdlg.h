#pragma once

#include "cnf/vobject.h"

#include <QDialog>
#include <QList>
#include <QMap>
#include <QStringList>

class CnfController;
class DialogItemValidator;

namespace Ui {
class OutputsDlg;
}

// One output of the native "outputs" list, driven either through a pin of the
// Signal module (GPIO) or through a channel of an I/O board "DIO1".."DIO9".
// Id 0 opens a new output, any other id the output of that id (at `place` in
// "outputs" when several share the id; -1: the last of them). The dialog
// offers the free GPIO pins and the free board channels and, on OK, writes the
// output and its channel binding into the native data itself.
// The controller is not owned and must outlive the dialog.
class OutputsDlg : public QDialog
{
    Q_OBJECT
public:
    OutputsDlg(CnfController *controller, int id, QWidget *parent = nullptr, int place = -1);
    ~OutputsDlg() override;

public slots:
    void accept() override;

private slots:
    void on_type_currentIndexChanged(int index);

private:
    // A board channel bound to an output: the board's device and the entry.
    struct Binding
    {
        VObject device;
        VObject entry;
        int board = 0;
        int channel = -1; // -1: no binding
    };
    struct Board
    {
        VObject device;
        QMap<int, VObject> freeChannels; // an empty handle for a channel without entry
    };

    void readOutputs(int id, int place);
    int readBoards(); // the item of `type` to select, -1 for none
    bool boundToEditedOutput(const VObject &output) const;
    int chosenBoard() const; // 0: no type chosen, -1: GPIO
    void updateOkButton();
    void releaseOwnChannel();
    static void appendChannel(VObject device, int channel, int output);

    Ui::OutputsDlg *ui;
    CnfController *controller;
    DialogItemValidator *validator;
    int editedId = 0;
    VObject edited; // the output's entry; null for a new output
    // Another output has the edited id: a channel naming it by number names
    // that one too and is not the edited output's own.
    bool sharedId = false;
    QString proposedName;
    Binding own;
    bool hasGpio = false;
    QStringList freePins;
    QMap<int, Board> boards;
    QList<int> forbiddenIds;
    QStringList forbiddenNames;
};

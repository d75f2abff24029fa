#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class CnfController;
class ProjectPrivate;
class QGraphicsScene;
class QWidget;
namespace Halm58a {
class Network;
}

// The open document of plivek: one controller configuration (owned), the road
// network drawn for it (created on the map's scene by createNetwork and owned by
// that scene: network() is null once the scene is gone; a network made without a
// scene is owned here), the file both came from and its file-type
// index, a changed flag, the text of the last failure and the warnings of the
// last load or save (a save warns when it could not keep the previous version).
//
// File-type index: 0 none (new or closed document), 1 universal container
// (.xcnf), 2 native (.cnf), 3 adapter (.txt), 4 TIVERK II (.json), 5 ZU_MOLT
// (.json); -1 when a file's suffix belongs to no kind.
//
// Operations report failure by a false result and lastError(); an empty
// lastError() with false means the user cancelled. The document shows no message
// itself except the question of maybeSave; message boxes and file dialogs get
// the parent widget.
class Project
{
    Q_DECLARE_TR_FUNCTIONS(Project)
public:
    explicit Project(QWidget *parent = nullptr);
    ~Project();
    Project(const Project &) = delete;
    Project &operator=(const Project &) = delete;

    CnfController &controller() const;
    Halm58a::Network *network() const; // may be null

    QString fileName() const;
    void setFileName(const QString &fileName); // the type stays
    int type() const; // the file-type index
    QString lastError() const;
    QStringList warnings() const;
    bool isChanged() const;
    void setChanged(bool changed);

    // Creates the network on the scene once (a null scene: a network drawn
    // nowhere, owned by the document); later calls do nothing.
    void createNetwork(QGraphicsScene *scene);
    // Replaces the network by a .hm58a file; false when there is no network.
    bool loadNetwork(const QString &path);
    // True without a network or when the network holds no node.
    bool isNetworkEmpty() const;

    // Controller family tests: the property "type", compared exactly.
    bool isAdapter() const;
    bool isTiverk() const;
    bool isTiverkII() const;
    bool isZuMolt() const;
    // A TIVERK II configuration with the native node "modules" / "Signal".
    bool hasSignalModule() const;

    // Offers to save a changed document (Yes, No, Cancel), then empties it.
    // False when the user cancelled or the save failed; the document is kept.
    bool maybeSave();

    // Lets the user choose a file to open; empty when cancelled.
    QString openFileDialog();
    // Loads a file of any kind, chosen by its suffix (an empty path asks for
    // one). A ZU_MOLT configuration goes to the zumoltc editor when it is found
    // and starts: the application then quits. A failed load clears the
    // configuration; fileName and type name the file that failed.
    bool load(QString path);
    // The zumoltc editor beside this program, else in a folder of PATH;
    // empty when there is none.
    static QString findZuMoltEditor();

    // The folder where the user last saved a document or a network, kept in
    // the per-user settings ("lastSaveDir"); empty when none is stored.
    static QString lastSaveFolder();
    // Remembers the folder of a file the user chose to save to.
    static void rememberSaveFolder(const QString &savedFile);

    // Writes the document to its own file, keeping the previous one as .bak.
    // A backup that fails is reported in warnings() and the save goes on, as the
    // file itself is untouched; a document named *.bak is saved without a copy.
    // A changed network is written to its own file first; when that fails the
    // save goes on and the reason is among the warnings.
    bool save();
    // Writes the document to the given file in its current kind; with an
    // empty path the user chooses file and kind, and the configuration is
    // converted to the chosen family. The document then names the new file;
    // a failed save leaves its name, kind and changed flag as they were, unless
    // the configuration had already been converted.
    bool saveAsConverted(const QString &path);
    // Writes a copy in the kind of the chosen file (an empty path asks); the
    // document keeps its file name, type and changed flag.
    bool saveAs(const QString &path);
    // Writes the road network to its own file, asking for it the first time.
    bool exportNetwork();

private:
    ProjectPrivate *d;
};

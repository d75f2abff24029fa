#pragma once

#include "cnf/cnfcontroller.h"

#include <QCoreApplication>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QWidget;
namespace Halm58a {
class Network;
}

// The state of a Project; see project.h for the file-type index.
class ProjectPrivate
{
    Q_DECLARE_TR_FUNCTIONS(ProjectPrivate)
public:
    explicit ProjectPrivate(QWidget *parent);

    // The file-type index of a suffix (with or without its leading '.',
    // any case): the first filter from index 1 on that names it; -1 for none.
    int typeFromSuffix(QString suffix) const;

    // Writes fileName in the kind given by type; the writer behind every save.
    // The family rules run first, so the configuration fits the kind.
    bool save();

    // The save dialog of Save As and of writing a copy: the chosen file with
    // the suffix of the selected filter added when it had none, and its file
    // type (for .json the selected filter tells TIVERK II from ZU_MOLT; -1
    // for a suffix of no kind). Empty when cancelled.
    QString askSaveFile(bool offerZuMolt, int *fileType);
    // Writes the configuration in the format of family (empty: of its "type")
    // and reports the writer's failure.
    bool saveNative(const QString &family = QString());

    // Loaders by file kind; each leaves its failure in lastError. They return
    // true only when the file went to the zumoltc editor.
    void loadContainer();
    bool loadNative();
    void loadAdapter();
    bool loadJson();
    // Starts the editor on fileName and has the application quit. When the
    // editor does not start, says so in the warnings and returns false so that
    // the configuration is edited here.
    bool handOverToEditor(const QString &editor);

    // Owned by the scene it is drawn on (null once the scene is gone), or by
    // networkOwner when it was made without a scene.
    QPointer<Halm58a::Network> network;
    QObject networkOwner;
    CnfController controller;
    QString lastError;
    QStringList warnings;
    QWidget *parent;
    int type = 0;
    QString fileName;
    QString networkFileName;
    QStringList filters;
    bool changed = false;
    QMap<QString, QByteArray> customData;
};

#pragma once

#include <QString>
#include <QStringList>

class CnfController;
class CnfProgram;
class QByteArray;
class QDir;
class QTextStream;

// The window-less modes that serve outside callers: algorithm statistics of a
// folder, editing one program for a caller, and the program list. Each returns
// the process exit code. Texts are translated in the "MainWindow" context.
namespace BatchModes {

// The display name of a program's type: for TIVERK-type programs the name of
// their algorithm kind in the family ("adapter" or a TIVERK version text).
QString programTypeName(const CnfProgram &program, const QString &family);

// The older program exchange form ("<Program type=... cycle_length=...>" with
// "Phase" children, type 1 timer or 2 coordinated) as the current form for this
// controller. False with the reason in `error`.
bool convertOlderProgramForm(const QByteArray &content, const CnfController &controller,
                             QByteArray *converted, QString *error);

// The *.cnf and *.json files of the folder (any case), in name order ignoring case.
// A name that is not UTF-8 is among them: Qt's name filters match no such name.
QStringList configurationFiles(const QDir &folder);

// --alg-list: for every *.cnf and *.json file of the folder (any case, in name
// order) a line "file;number;type;type names" (only the file name when the
// file does not load), then "Всего:" and per type name the number of files
// that use it. Lines end with "\n"; the stream is flushed after each. Always 0.
int algorithmList(const QDir &folder, QTextStream &out);

// --edit-prog: shows the program of the exchange file (or program number
// `programNumber` of the configuration when the file is empty) in the program
// dialog and writes the accepted program back into the file. 0 only when the
// file was written; the file is left as it was otherwise.
int editProgram(const QString &programFile, const QString &configPath, int objectId,
                int programNumber);

// --get-prog-list: writes the program ids of the configuration, one per line,
// UTF-8, into the list file. Quiet; 1 when the configuration does not load, an
// id holds a line break (nothing is written then) or the file cannot be written.
int programList(const QString &listFile, const QString &configPath, int objectId);

} // namespace BatchModes

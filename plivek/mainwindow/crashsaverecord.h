#pragma once

#include <QString>

class QObject;

// Where a crash copy of the document goes and the settings that remember it
// (group "CrashSave": "file" the copy, "editedFile" the document's own file),
// so that the next start can offer to bring the copy back.
class CrashSaveRecord
{
public:
    // The copy in the temporary folder: base name of the document's file (or
    // of "no_name.xcnf"), "_", the process id, ".", the file's suffix.
    static QString copyPath(const QString &documentFile, qint64 processId);

    // Records a new copy before it is written: an older copy of another
    // process is deleted; "editedFile" names the document's file or is removed
    // when it has none. The settings object gets the given parent.
    static void recordCopy(const QString &copy, const QString &documentFile, QObject *parent);

    // The recorded copy; empty when there is none or its file is missing.
    static QString existingCopy();
    // The recorded file of the document, removed from the record.
    static QString takeEditedFile();
    // Deletes the copy and its record.
    static void discardCopy(const QString &copy);
};

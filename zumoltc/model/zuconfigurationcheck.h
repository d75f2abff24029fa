#pragma once

#include "zubaseobject.h"

#include <QList>
#include <QPointer>
#include <QStringList>

class ZUConfiguration;

// The content check of a ZU_MOLT configuration run before it goes to a controller:
// unique ids, names and addresses, lengths the controller can store, and objects
// that other objects need. Each failed rule gives one error message; the caller
// shows them (the editor as error rows of its checking dialog).

// The texts that name a whole list in the uniqueness messages. They are the names
// of the sections of the editor's tree; defaults() gives the English names
// translated in the "MainWindow" context.
struct ZUCheckSectionTexts
{
    QString signalGroups;
    QString stages;
    QString detectors;
    QString signalPlans;
    QString dayPlans;
    QString weekPlans;
    QString extraPeriods;
    QString extraDays;
    QString controlSources;
    QString kmpDevices;
    QString switches;

    static ZUCheckSectionTexts defaults();
};

// Runs every rule in its fixed order and returns the messages of the rules that
// fail, in that order; empty when the configuration passes. No value of the
// configuration changes (the list accessors it reads only drop dead references).
QStringList checkConfiguration(ZUConfiguration &configuration,
                               const ZUCheckSectionTexts &sections
                               = ZUCheckSectionTexts::defaults());

// The common rules. Each appends its messages (translated in the
// "CheckingErrorsDialog" context) to rows; objects are taken in list order.

// One message per object whose name takes more than 255 bytes in UTF-8; kindWord
// names one object ("Signal group").
void checkNameLength(QStringList &rows, const QList<const ZUBaseObject *> &objects,
                     const QString &kindWord);
// At most one message for repeated ids and one for repeated non-empty names
// (compared exactly); ids not set are equal to each other. kindText names the list.
void checkUniqueIdsAndNames(QStringList &rows, const QList<const ZUBaseObject *> &objects,
                            const QString &kindText);
// At most one message for repeated values; what names the values ("addresses").
void checkUniqueValues(QStringList &rows, const QList<int> &values, const QString &kindText,
                       const QString &what);

// The live objects of a guarded list, in list order.
template<typename T> QList<const ZUBaseObject *> liveObjects(const QList<QPointer<T>> &list)
{
    QList<const ZUBaseObject *> objects;
    for (const QPointer<T> &object : list) {
        if (object)
            objects.append(object.data());
    }
    return objects;
}

template<typename T>
void checkNameLength(QStringList &rows, const QList<QPointer<T>> &list, const QString &kindWord)
{
    checkNameLength(rows, liveObjects(list), kindWord);
}

template<typename T>
void checkUniqueIdsAndNames(QStringList &rows, const QList<QPointer<T>> &list,
                            const QString &kindText)
{
    checkUniqueIdsAndNames(rows, liveObjects(list), kindText);
}

// value maps a live object of the list to the integer that must be unique.
template<typename T, typename Getter>
void checkUniqueValues(QStringList &rows, const QList<QPointer<T>> &list, Getter value,
                       const QString &kindText, const QString &what)
{
    QList<int> values;
    for (const QPointer<T> &object : list) {
        if (object)
            values.append(value(*object));
    }
    checkUniqueValues(rows, values, kindText, what);
}

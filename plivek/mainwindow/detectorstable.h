#pragma once

#include "cnf/cnffwd.h"

#include <QList>
#include <QString>

class CnfController;
class CnfDetector;
class QTableWidget;

// The work of the detector and sensor tables that needs no dialog: where an
// element's input comes from, the rows, the sort, the order taken from dragged
// rows, new ids and what a deletion or a new id does to the references in the
// native data.
class DetectorsTable
{
public:
    // Where the element's input comes from, as shown in the table: an I/O
    // board channel, a CPU board key, or the module channel that names it.
    // Empty when nothing is known.
    static QString detectorSource(const CnfController &controller, const CnfDetector &detector);
    static QString sensorSource(const CnfController &controller, const CnfDetector &sensor);

    // One row per detector (or sensor): id, name, source; signals blocked while filling.
    static void fill(QTableWidget *table, const CnfController &controller, bool sensors);

    // The smallest id from 1 that no detector (or sensor) has.
    static int freeId(const CnfController &controller, bool sensors);

    // Ascending ids, equal ids in their present order.
    static QList<CnfDetectorPtr> sortedById(QList<CnfDetectorPtr> elements);
    // The elements in the table's row order; false when a row is empty, names
    // no element or repeats one.
    static bool orderOfRows(const QTableWidget *table, const CnfController &controller,
                            bool sensors, QList<CnfDetectorPtr> *order);

    // Removes every reference to the element from the channels of the native
    // data, each by the rule of its place, so that an element that later gets
    // the same id does not inherit them. Detectors of a ZU_MOLT document are
    // listed on the modules of "inputsOutputs" instead of the SystemBus
    // "DIO2": their channels only lose the reference, and the programs'
    // detector events lose their "detector" and "indicator" naming it.
    // Returns the number of references removed.
    static int removeReferences(CnfController &controller, const CnfDetector &element, bool zuMolt);
    // Gives the element the new id and every reference that names it by its
    // id the new one: the same places removeReferences clears and, for a
    // detector, the sensors linked to it. References by name stay. Returns
    // the number of references renamed.
    static int renameReferences(CnfController &controller, const CnfDetectorPtr &element, int newId,
                                bool zuMolt);
};

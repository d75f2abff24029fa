#pragma once

#include "cnf/cnffwd.h"

#include <QList>
#include <QString>
#include <QStringList>

class CnfController;
class CnfDetector;
class QTableWidget;

// The work of the detector and sensor tables that needs no dialog: where an
// element's input comes from, the rows, the sort, the order taken from dragged
// rows and new ids. What a deletion or a new id does to the references is
// CnfReferences' work.
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

    // One line for the message table per program whose parameters name the
    // element (a stage-ring condition, a crosswalk, a ZU_MOLT detector event),
    // saying that it loses the element; asked before the element is deleted.
    static QStringList programsLosing(const CnfController &controller, const CnfDetector &element);

    // The smallest id from 1 that no detector (or sensor) has.
    static int freeId(const CnfController &controller, bool sensors);

    // Ascending ids, equal ids in their present order.
    static QList<CnfDetectorPtr> sortedById(QList<CnfDetectorPtr> elements);
    // The elements in the table's row order; false when a row is empty, names
    // no element or repeats one.
    static bool orderOfRows(const QTableWidget *table, const CnfController &controller,
                            bool sensors, QList<CnfDetectorPtr> *order);
};

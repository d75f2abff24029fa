#pragma once

#include "cnf/cnffwd.h"

#include <QByteArray>
#include <QDomDocument>
#include <QDomElement>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QStringList>

class ComboBoxDelegate;
class ParametersTable;
class QAbstractItemDelegate;
class QTableWidget;
class QTableWidgetItem;

Q_DECLARE_METATYPE(QDomElement)

// The parameter table of a TIVERK 3.x or adapter program. The controller's layout
// (CnfController::tiverkLayout) says which bytes of the raw program data hold which
// parameter of an algorithm type; the table shows one column per parameter (a nested
// table per array, one row per repetition), reads the cells from the bytes, shows
// phase indexes as phase ids, program indexes as program numbers, list values as
// their texts, detector numbers as detector lists, and writes the cells back.
//
// Bytes: 0 the program number, 1 the algorithm type, then the parameters in table
// order, nested tables depth first; words little-endian; 255 and 65535 are "not set"
// and show as empty cells.
class AlgorithmTable : public QObject
{
    Q_OBJECT
public:
    enum Family { OtherFamily = 0, TiverkFamily = 1, AdapterFamily = 2 };
    // Roles of a parameter cell: its layout element, the element's "id" and "phase".
    enum Role {
        ElementRole = Qt::UserRole,
        IdRole = Qt::UserRole + 1,
        PhaseRole = Qt::UserRole + 2
    };

    // The delegates are made with `owner` as parent; the table is not owned.
    AlgorithmTable(ParametersTable *table, CnfController *controller, int family, QObject *owner);

    // The chapter "programs" of a layout; null when missing.
    static QDomElement programsChapter(const QDomDocument &layout);
    // Bytes of a program record: the summed sizes of the chapter's own elements.
    static int recordSize(const QDomElement &chapter);
    // Base type and byte size of a type text: "byte" 1, "word" 2, "word[3]" 6,
    // anything else its count ("array[16]" 16).
    static QPair<QString, int> parseElementType(const QString &type);
    // The text broken into lines at blanks, no line longer than the longest word
    // (at least 10 characters).
    static QString wrapHeaderText(const QString &text);
    // The title a report gives a column: its field's name as the layout holds it,
    // wrapped as the column's title, whatever language the dialog shows (programs
    // read the report too); the header's own text for a column without a field.
    static QString reportTitle(const QTableWidgetItem *header);

    void setLayout(const QDomDocument &layout) { m_layout = layout; }
    // The phase ids the record's phase indexes count: the controller's phases,
    // then those of the program's steps whose phase the controller lacks.
    void setPhaseIds(const QStringList &ids) { m_phaseIds = ids; }

    // Rebuilds the table for an algorithm type ("Type" element) from the raw data.
    // A null type (or the other family) leaves an empty table of one row.
    void build(const QDomElement &type, const QByteArray &data);
    // The raw data with every parameter byte from the table: `data` keeps its
    // length, every byte from 2 on first becomes 255; number and type go first.
    QByteArray store(const QByteArray &data, int number, int type);

    // True while no cell holds a value out of its limits.
    bool allCellsValid() const { return m_invalid.isEmpty(); }
    // The first interstate variant cell; null when the type has none.
    QTableWidgetItem *interstateVariantItem() const { return m_variantItem; }
    // The text the interstate variant delegate shows for "not set".
    static QString noVariantText();
    // The cell of the cycle a coordinated type states; null when the type has none.
    QTableWidgetItem *cycleItem() const { return m_cycleItem; }
    // Shows a cycle the program was given (not an edit: no signal, no check).
    void showCycle(int seconds);

    // The green start time of the coordinated type (TIVERK 3.x only): whether
    // the table has a phase sequence for it, and the value from cycle, offset and
    // the interstates of the sequence's first and last phase.
    bool hasGreenStartTime(int type) const;
    int greenStartTime() const;
    // Writes the offset that gives the green start time; -1 with fewer than two
    // phases in the sequence.
    void setGreenStartTime(int seconds);

    // The delegate that shows phase ids for phase indexes.
    ComboBoxDelegate *phaseDelegate() const { return m_phaseDelegate; }

public slots:
    // A cell of the table or of a nested table was edited.
    void itemChanged(QTableWidgetItem *item);
    // A nested table took the current cell: the main table lets go of its own.
    void nestedCurrentCellChanged();
    // Appends a column with an empty cell in every row.
    void appendPhase();
    // Removes the selected columns.
    void removePhase();

signals:
    // After an edit has been checked and mapped.
    void edited(QTableWidgetItem *item);
    void warning(const QString &message);

private:
    ParametersTable *createArrayTable(const QDomElement &element, QTableWidget *parentTable);
    void addColumn(QTableWidget *table, int column, const QDomElement &element);
    void placeArrayTable(QTableWidget *table, int row, int column, ParametersTable *nested);
    QString readRawValue(const QDomElement &element);
    void fillParameterValues(QTableWidgetItem *item, const QDomElement &element);
    void storeParameterValues(const QTableWidget *table, QByteArray *bytes);
    void storeParameterValue(const QTableWidgetItem *item, QByteArray *bytes);
    // The entries of the layout's list of that id, in order; empty when missing.
    QList<QDomElement> listEntries(const QString &listId) const;
    ComboBoxDelegate *listDelegate(const QString &listId);
    void setColumnDelegate(QTableWidget *table, int column, QAbstractItemDelegate *delegate);
    bool isButtonCallCondition() const;
    bool isDetectorCell(const QTableWidgetItem *item) const;
    bool showsDetectorList(const QTableWidgetItem *item) const;
    CnfPhasePtr phaseForCell(const QTableWidgetItem *item) const;
    QString limitsToolTip(const CnfPhasePtr &phase) const;
    // Checks a cell against its type's range and its phase's limits.
    void checkCell(QTableWidgetItem *item);
    void setCellValid(QTableWidgetItem *item, bool valid);
    void switchDetectorCells();
    // Green start time: the sequence table and the interstate records around it.
    ParametersTable *sequenceTable() const;
    int sequenceColumn() const;
    bool sequenceRecords(int *phases, QByteArray *first, QByteArray *last) const;

    ParametersTable *m_table;
    CnfController *m_controller;
    int m_family;
    QObject *m_owner;
    QDomDocument m_layout;
    QByteArray m_data;
    int m_cursor = 2;
    QStringList m_phaseIds;
    QStringList m_programNumbers;
    ComboBoxDelegate *m_phaseDelegate = nullptr;
    ComboBoxDelegate *m_programDelegate = nullptr;
    ComboBoxDelegate *m_variantDelegate = nullptr;
    // Delegates made for one table layout; dropped when the table is rebuilt.
    QList<QPointer<QAbstractItemDelegate>> m_columnDelegates;
    QTableWidgetItem *m_callConditionItem = nullptr;
    QTableWidgetItem *m_variantItem = nullptr;
    QTableWidgetItem *m_cycleItem = nullptr;
    QList<QTableWidgetItem *> m_detectorItems;
    QHash<QTableWidgetItem *, bool> m_invalid;
    bool m_building = false;
};

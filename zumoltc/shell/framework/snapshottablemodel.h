#pragma once

#include <QAbstractTableModel>

// A table model that keeps the baseline of its own cells. A page's change
// tracking (DialogItemValidator) watches a view over such a model through
// edited() and hands it the snapshot and the restore, so a large table is never
// copied cell by cell into a QVariant.
class SnapshotTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    ~SnapshotTableModel() override;

    // Takes the current cells as the baseline.
    virtual void takeSnapshot() = 0;
    // Puts the baseline back; emits no edited().
    virtual void restoreSnapshot() = 0;

signals:
    // A cell took a value other than the one it held.
    void edited();
};

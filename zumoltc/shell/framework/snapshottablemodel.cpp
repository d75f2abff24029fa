#include "snapshottablemodel.h"

SnapshotTableModel::~SnapshotTableModel() = default;

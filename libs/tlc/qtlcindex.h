#pragma once

#include "qtlcdetector.h"
#include "qtlcsensor.h"
#include "tlclog.h"

#include <QList>
#include <QMap>

// The emulated detectors or sensors by id. index[id] gives the object or
// null; a lookup never adds anything. A miss is logged as a warning, since
// the emulation run looks up an id only to send it an event.
template<typename T> class QTlcIndex
{
public:
    QTlcIndex() = default;
    explicit QTlcIndex(const QMap<int, T *> &items)
        : m_items(items)
    {
    }

    T *operator[](int id) const
    {
        T *item = m_items.value(id, nullptr);
        if (!item)
            TlcLog::warnMissing(kind(), id);
        return item;
    }
    bool contains(int id) const { return m_items.contains(id); }
    int size() const { return m_items.size(); }
    QList<int> ids() const { return m_items.keys(); }

private:
    static const char *kind();
    QMap<int, T *> m_items;
};

template<> inline const char *QTlcIndex<QTlcDetector>::kind()
{
    return "detector";
}

template<> inline const char *QTlcIndex<QTlcSensor>::kind()
{
    return "sensor";
}

using QTlcDetectors = QTlcIndex<QTlcDetector>;
using QTlcSensors = QTlcIndex<QTlcSensor>;

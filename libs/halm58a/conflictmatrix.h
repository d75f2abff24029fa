#pragma once

#include <QHash>
#include <QObject>
#include <QPair>

namespace Halm58a {

class SignalGroup;

// A value per ordered pair of signal groups; NaN means "no value". For a
// matrix found from geometry, releaf(a, b) belongs to the change in which
// group b ends and group a starts. The groups are only used as keys.
class ConflictMatrix : public QObject
{
    Q_OBJECT
public:
    explicit ConflictMatrix(QObject *parent = nullptr);

    double releaf(const SignalGroup *a, const SignalGroup *b) const;
    // Setting NaN removes the value.
    void setReleaf(const SignalGroup *a, const SignalGroup *b, double value);
    bool isEmpty() const { return m_values.isEmpty(); }
    int valueCount() const { return m_values.size(); }

private:
    QHash<QPair<const SignalGroup *, const SignalGroup *>, double> m_values;
};

} // namespace Halm58a

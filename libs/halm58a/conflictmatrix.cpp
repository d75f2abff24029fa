#include "conflictmatrix.h"

#include <cmath>
#include <limits>

namespace Halm58a {

ConflictMatrix::ConflictMatrix(QObject *parent)
    : QObject(parent)
{
}

double ConflictMatrix::releaf(const SignalGroup *a, const SignalGroup *b) const
{
    return m_values.value(qMakePair(a, b), std::numeric_limits<double>::quiet_NaN());
}

void ConflictMatrix::setReleaf(const SignalGroup *a, const SignalGroup *b, double value)
{
    if (std::isnan(value))
        m_values.remove(qMakePair(a, b));
    else
        m_values.insert(qMakePair(a, b), value);
}

} // namespace Halm58a

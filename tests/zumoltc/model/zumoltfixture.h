#pragma once

#include "testdata.h"

// The path of a ZU_MOLT document under tests/data/zumolt/.
inline QString fixture(const QString &name)
{
    return TestSupport::dataPath(QStringLiteral("zumolt/") + name);
}

#include "zudetector.h"

struct ZUDetector::Private
{
    bool report = false;
};

ZUDetector::ZUDetector(QObject *parent)
    : ZUBaseObject(parent)
    , d(new Private)
{
}

ZUDetector::ZUDetector(const ZUDetector &other)
    : ZUBaseObject(other)
    , d(new Private(*other.d))
{
}

ZUDetector::~ZUDetector()
{
    notifyDestroying();
}

bool ZUDetector::report() const
{
    return d->report;
}

void ZUDetector::setReport(bool report)
{
    d->report = report;
}

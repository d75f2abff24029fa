#pragma once

#include "zubaseobject.h"

// A detector; report tells whether it is reported to the central system.
class ZUDetector : public ZUBaseObject
{
    Q_OBJECT
public:
    explicit ZUDetector(QObject *parent = nullptr);
    ZUDetector(const ZUDetector &other);
    ~ZUDetector() override;

    bool report() const;
    void setReport(bool report);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

#pragma once

#include "zubaseobject.h"

// Who may command the controller (zu::CsType), with a priority and a timeout in
// seconds; all zu::NotSet until given. The file keeps no name: the list text shows
// the type instead.
class ZUControlSource : public ZUBaseObject
{
    Q_OBJECT
public:
    explicit ZUControlSource(QObject *parent = nullptr);
    // No parent: the configuration sets it when the source joins its list.
    ZUControlSource(int type, int id, int priority);
    // Clone: copies the timeout only; type and priority stay not set.
    ZUControlSource(const ZUControlSource &other);
    ~ZUControlSource() override;

    int type() const;
    void setType(int type);
    int priority() const;
    void setPriority(int priority);
    int timeout() const;
    void setTimeout(int timeout);

    // The id, "(type text)", "[pr=priority]" and the suffix, those set joined by blanks.
    QString text(const QString &suffix = QString()) const override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

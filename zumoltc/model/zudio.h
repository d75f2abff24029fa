#pragma once

#include "zudetector.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

// One digital input/output module (the configuration has five, DIO1 to DIO5): its
// type (zu::DIO::Type), common-wire polarity (zu::Polarity), network address and
// TCP port (0 = not set) for the network module types, and its channels.
class ZUDIO : public QObject
{
    Q_OBJECT
public:
    struct Channel
    {
        int channel = zu::NotSet;
        int type = zu::NotSet; // zu::ChannelType
        int common = zu::NotSet; // zu::Polarity
        QPointer<ZUDetector> detector;
        KeptMembers kept;
    };

    explicit ZUDIO(QObject *parent = nullptr);
    ~ZUDIO() override;

    int type() const;
    void setType(int type);
    int common() const;
    void setCommon(int common);
    QString ip() const;
    void setIp(const QString &ip);
    quint16 port() const;
    void setPort(quint16 port);

    // Appends the record as given (a null detector included).
    void addChannel(const Channel &channel);
    void clearChannels();
    // The channel list itself, not pruned: a record may hold a null detector.
    QList<Channel> &channels();

    // Type and polarity not set, no address, port 0, no channels.
    void reset();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

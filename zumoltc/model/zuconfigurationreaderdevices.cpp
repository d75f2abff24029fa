#include "zuconfigurationreaderprivate.h"

void ZUConfigurationReader::Private::readControlSources()
{
    forEachItem("controlSources", [this](const JsonValue &item) {
        Pending<ZUControlSource> source(new ZUControlSource);
        source->setType(reader.readEnum<zu::CsType>("type"));
        source->setId(reader.readInt("id"));
        source->setPriority(reader.readInt("priority"));
        source->setTimeout(reader.readInt("timeout"));
        keep(source->keptMembers(), item);
        c->addControlSource(source.release());
        return true;
    });
}

void ZUConfigurationReader::Private::readKmp()
{
    inObject("KMP1", [this] {
        ZUKMP1 *kmp = c->kmp1();
        forEachItem("devices", [this, kmp](const JsonValue &item) {
            const int device = reader.readEnum<zu::KMPDevice::Type>("device");
            const int addr = reader.readInt("addr");
            const int type = reader.readEnum<zu::KMPDevice::SubType>("type");
            const int port = reader.readEnum<zu::KMPDevPort::Value>("port");
            auto *created = new ZUKMPDevice(device, addr, type, port);
            keep(created->keptMembers(), item);
            kmp->addDevice(created);
            return true;
        });
        if (reader.isInteger("auto"))
            kmp->setAuto(reader.current().toInt() == 1 ? 1 : 0);
        keep(c->keptMembers(), reader.context(), "KMP1");
        return true;
    });
}

void ZUConfigurationReader::Private::readSwitchValues(ZUSwitch *sw)
{
    sw->setControl(reader.readBool("control"));
    sw->setLowCurrent(reader.readInt("lowCurrent"));
    sw->setUpCurrent(reader.readInt("upCurrent"));
    sw->setMinCurrent(reader.readInt("minCurrent"));
}

void ZUConfigurationReader::Private::readSwitches()
{
    inObject("switches", [this] {
        inObject("default", [this] {
            ZUSwitch *defaults = c->switchDefaults();
            defaults->setType(reader.readEnum<zu::Switch>("type"));
            readSwitchValues(defaults);
            keep(defaults->keptMembers(), reader.context());
            return true;
        });
        forEachItem("items", [this](const JsonValue &item) {
            Pending<ZUSwitch> sw(new ZUSwitch);
            readNameAndId(sw.get());
            sw->setType(reader.readEnum<zu::Switch>("type"));
            sw->setSignalGroup(readReference("signalGroup", signalGroupLookup()));
            sw->setAddr(reader.readInt("addr"));
            sw->setColor(reader.readEnum<zu::Color::Value>("color"));
            sw->setHeads(reader.readInt("heads"));
            readSwitchValues(sw.get());
            keep(sw->keptMembers(), item);
            c->addSwitch(sw.release());
            return true;
        });
        keep(c->keptMembers(), reader.context(), "switches");
        return true;
    });
}

void ZUConfigurationReader::Private::readCountdownBoards()
{
    inObject("countdownBoards", [this] {
        ZUCountdownBoards *boards = c->countdownBoards();
        boards->setProtocol(reader.readEnum<zu::CountdownBoardProtocol>("protocol"));
        boards->setWarnTime(reader.readInt("warnTime"));
        forEachItem("items", [this, boards](const JsonValue &item) {
            const QPointer<ZUSignalGroup> group = readReference("id", signalGroupLookup());
            const int addr = reader.readInt("addr");
            const int count = reader.readInt("boards");
            const int warnTime = reader.readInt("warnTime");
            if (group) {
                boards->addBoard(group, count, addr, warnTime);
                keep(boards->boards().last().kept, item);
            }
            return true;
        });
        keep(c->keptMembers(), reader.context(), "countdownBoards");
        return true;
    });
}

void ZUConfigurationReader::Private::readInputsOutputs()
{
    inObject("inputsOutputs", [this] {
        const QList<QPointer<ZUDIO>> dios = c->dios();
        for (int i = 0; i < dios.size(); ++i) {
            const QByteArray key = "DIO" + QByteArray::number(i + 1);
            ZUDIO *dio = dios.at(i);
            inObject(key.constData(), [this, dio, &key] {
                dio->setType(reader.readEnum<zu::DIO::Type>("type"));
                dio->setCommon(reader.readEnum<zu::Polarity>("common"));
                dio->setIp(reader.readString("IP"));
                dio->setPort(readPort("port"));
                forEachItem("channels", [this, dio](const JsonValue &item) {
                    ZUDIO::Channel channel;
                    channel.channel = reader.readInt("channel");
                    channel.type = reader.readEnum<zu::ChannelType>("type");
                    channel.common = reader.readEnum<zu::Polarity>("common");
                    channel.detector = readReference("detector", detectorLookup());
                    keep(channel.kept, item);
                    dio->addChannel(channel);
                    return true;
                });
                keep(c->keptMembers(), reader.context(),
                     QByteArray("inputsOutputs/" + key).constData());
                return true;
            });
        }
        keep(c->keptMembers(), reader.context(), "inputsOutputs");
        return true;
    });
}

void ZUConfigurationReader::Private::readRemoteControlPanel()
{
    inObject("remoteControlPanel", [this] {
        inObject("VPU1", [this] {
            ZUVPU *vpu = c->vpu();
            vpu->setType(reader.readEnum<zu::VPUType>("type"));
            if (const QPointer<ZUControlSource> source
                = readReference("sourceId", controlSourceLookup()))
                vpu->setSource(source);
            // The panel's priority is that of its control source and overrides the
            // one given under controlSources; an absent one leaves it alone.
            if (reader.isInteger("priority"))
                vpu->setPriority(reader.current().toInt());
            vpu->setIdleInd(reader.readBool("idleInd"));
            vpu->setCommon(reader.readEnum<zu::Polarity>("common"));
            for (const JsonValue &item : reader.readArray("stageId"))
                vpu->addStage(resolveReference(item, stageLookup(), true));
            keep(c->keptMembers(), reader.context(), "remoteControlPanel/VPU1");
            return true;
        });
        keep(c->keptMembers(), reader.context(), "remoteControlPanel");
        return true;
    });
}

void ZUConfigurationReader::Private::readRecovery()
{
    inObject("recovery", [this] {
        ZURecoveryParameters *recovery = c->recoveryParameters();
        recovery->setDefectSwitchRate(reader.readInt("defectSwitchRate"));
        recovery->setConfidenceInterval(reader.readInt("confidenceInterval"));
        inObject("errors", [this, recovery] {
            const QStringList keys = ZURecoveryParameters::errorKeys();
            for (int i = 0; i < keys.size(); ++i)
                readRecoveryError(keys.at(i).toLatin1().constData(), recovery->errors()[size_t(i)]);
            keep(c->keptMembers(), reader.context(), "recovery/errors");
            return true;
        });
        keep(c->keptMembers(), reader.context(), "recovery");
        return true;
    });
}

void ZUConfigurationReader::Private::readRecoveryError(const char *key,
                                                       ZURecoveryParameters::ErrorRecovery &record)
{
    record = ZURecoveryParameters::ErrorRecovery();
    inObject(key, [this, &record, key] {
        record.attempts = reader.readInt("attempts");
        record.interval = reader.readInt("interval");
        record.filter = reader.readInt("filter");
        keep(c->keptMembers(), reader.context(),
             QByteArray(QByteArray("recovery/errors/") + key).constData());
        return true;
    });
}

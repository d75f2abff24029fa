#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

class CnfController;
namespace Halm58a {
class Network;
}

// Reads and writes a whole document as a universal configuration file (.xcnf):
// the controller, the road network when it holds a node, and the opaque custom
// blocks (see ContainerFrame for the layout). The objects are the caller's; the
// network may be null. Failures come back as false with errorString().
class ContainerFile
{
public:
    ContainerFile(CnfController &controller, Halm58a::Network *network,
                  QMap<QString, QByteArray> &customData);

    // Fills the controller, the network (when there is one and the file has a
    // network block) and the custom blocks. On failure the custom blocks are
    // left as they were; the controller may be half filled (the caller clears it).
    bool read(const QString &path);

    // Writes through a temporary file: on any failure the old file stays as it was.
    bool write(const QString &path);

    QString errorString() const { return m_error; }

private:
    bool fail(const QString &error);

    CnfController &m_controller;
    Halm58a::Network *m_network;
    QMap<QString, QByteArray> &m_customData;
    QString m_error;
};

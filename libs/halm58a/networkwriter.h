#pragma once

class QXmlStreamWriter;

namespace Halm58a {

class Network;

// Writes a network as one "Network" element of the road-network format
// (docs/formats.md): nodes, edges with their lanes, connections, crosswalks,
// then granules with their signal groups, so that every reference points back.
class NetworkWriter
{
public:
    explicit NetworkWriter(const Network &network)
        : m_network(network)
    {
    }
    void write(QXmlStreamWriter &xml) const;

private:
    const Network &m_network;
};

} // namespace Halm58a

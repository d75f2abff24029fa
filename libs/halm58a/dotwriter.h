#pragma once

#include <QByteArray>

namespace Halm58a {

class Network;

// The road graph in the DOT language: one vertex per node (placed at its
// plane position in metres) and one arc per edge, labelled with its lanes.
namespace DotWriter {
QByteArray write(const Network &network);
}

} // namespace Halm58a

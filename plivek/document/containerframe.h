#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// The byte frame of the universal configuration file (.xcnf):
//
//   <UniConf version="0.1">\n
//   <Controller ...>...</Controller>     the controller block, as the library writes it
//   \n<Network ...>...</Network>         only when there is a network block
//   <CustomData id="ID">\nBYTES\n</CustomData>\n     per custom block, ids ascending
//   </UniConf>
//
// The frame is written as plain bytes and read by searching for tag texts, not
// with an XML parser, so that the blocks inside stay byte for byte what their
// libraries wrote. Custom ids are written and read as UTF-8.
class ContainerFrame
{
public:
    enum NetworkState {
        NoNetwork, // no "<Network" after the controller block
        NetworkBlock, // networkBlock holds the whole element
        NetworkUnclosed // "<Network" without "</Network"
    };

    enum Result {
        Ok,
        InvalidFormat, // no "<Controller"
        NetworkNotClosed // the controller block is good, the network block is unfinished
    };

    static QByteArray compose(const QByteArray &controllerBlock, const QByteArray &networkBlock,
                              const QMap<QString, QByteArray> &customData);

    // Splits a file's bytes; the blocks are valid up to the point the result names.
    static ContainerFrame split(const QByteArray &bytes);

    Result result = InvalidFormat;
    // A controller element without its closing tag is cut after its start tag when
    // that closes itself; otherwise the block runs to the end of the file, so that
    // its reader stops where the file does.
    QByteArray controllerBlock;
    QByteArray networkBlock;
    // Where the blocks start in the file's bytes; -1 without the block.
    int controllerStart = -1;
    int networkStart = -1;
    NetworkState network = NoNetwork;
    // Complete custom blocks; an unfinished last block is dropped.
    QMap<QString, QByteArray> customData;
};

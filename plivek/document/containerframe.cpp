#include "containerframe.h"

namespace {

// The block that starts at "open" and ends one byte after the closing tag's name
// (the '>' of a well-formed tag); -1 when the closing tag is missing.
int elementEnd(const QByteArray &bytes, int open, const char *closingTag)
{
    const int close = bytes.indexOf(closingTag, open);
    if (close < 0)
        return -1;
    return qMin(bytes.size(), close + int(qstrlen(closingTag)) + 1);
}

QMap<QString, QByteArray> readCustomBlocks(const QByteArray &bytes, int from)
{
    QMap<QString, QByteArray> blocks;
    int pos = from;
    for (;;) {
        const int open = bytes.indexOf("<CustomData", pos);
        if (open < 0)
            break;
        const int idAttribute = bytes.indexOf("id=", open);
        if (idAttribute < 0)
            break;
        const int idStart = idAttribute + 4; // after id="
        const int idEnd = bytes.indexOf('"', idStart);
        if (idEnd < 0)
            break;
        const QString id = QString::fromUtf8(bytes.mid(idStart, idEnd - idStart));
        // The tag ends after the id's closing quote: an id may hold a '>' itself.
        const int tagEnd = bytes.indexOf('>', idEnd);
        if (tagEnd < 0)
            break;
        const int close = bytes.indexOf("</CustomData", tagEnd + 1);
        if (close < 0)
            break; // an unfinished block is dropped
        // The frame's own line feeds after the opening and before the closing tag
        // are not part of the content.
        int contentStart = tagEnd + 1;
        if (contentStart < close && bytes.at(contentStart) == '\n')
            ++contentStart;
        int contentEnd = close;
        if (contentEnd > contentStart && bytes.at(contentEnd - 1) == '\n')
            --contentEnd;
        blocks.insert(id, bytes.mid(contentStart, contentEnd - contentStart));
        pos = close;
    }
    return blocks;
}

} // namespace

QByteArray ContainerFrame::compose(const QByteArray &controllerBlock,
                                   const QByteArray &networkBlock,
                                   const QMap<QString, QByteArray> &customData)
{
    QByteArray bytes("<UniConf version=\"0.1\">\n");
    bytes += controllerBlock;
    if (!networkBlock.isEmpty()) {
        bytes += '\n';
        bytes += networkBlock;
    }
    for (auto it = customData.cbegin(); it != customData.cend(); ++it) {
        bytes += "<CustomData id=\"";
        bytes += it.key().toUtf8();
        bytes += "\">\n";
        bytes += it.value();
        bytes += "\n</CustomData>\n";
    }
    bytes += "</UniConf>";
    return bytes;
}

ContainerFrame ContainerFrame::split(const QByteArray &bytes)
{
    ContainerFrame frame;
    const int controllerStart = bytes.indexOf("<Controller");
    if (controllerStart < 0)
        return frame;
    int controllerEnd = elementEnd(bytes, controllerStart, "</Controller");
    if (controllerEnd < 0) {
        // Cut after the first "/>" only when that closes the start tag itself: the
        // "/>" of an inner element would end the block in the middle of the content.
        const int tagEnd = bytes.indexOf('>', controllerStart);
        const bool selfClosing = tagEnd > 0 && bytes.at(tagEnd - 1) == '/';
        controllerEnd = selfClosing ? tagEnd + 1 : bytes.size();
    }
    frame.controllerStart = controllerStart;
    frame.controllerBlock = bytes.mid(controllerStart, controllerEnd - controllerStart);

    // The network block sits between the controller block and the custom blocks;
    // a "<Network" text inside either of them is not one.
    int customStart = controllerEnd;
    int firstCustom = bytes.indexOf("<CustomData", controllerEnd);
    if (firstCustom < 0)
        firstCustom = bytes.size();
    const int networkStart = bytes.indexOf("<Network", controllerEnd);
    if (networkStart >= 0 && networkStart < firstCustom) {
        const int networkEnd = elementEnd(bytes, networkStart, "</Network");
        if (networkEnd < 0) {
            frame.networkStart = networkStart;
            frame.network = NetworkUnclosed;
            frame.result = NetworkNotClosed;
            return frame;
        }
        frame.network = NetworkBlock;
        frame.networkStart = networkStart;
        frame.networkBlock = bytes.mid(networkStart, networkEnd - networkStart);
        customStart = networkEnd;
    }
    frame.customData = readCustomBlocks(bytes, customStart);
    frame.result = Ok;
    return frame;
}

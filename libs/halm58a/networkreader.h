#pragma once

#include <QPointF>
#include <QString>
#include <QVector>

class QXmlStreamReader;

namespace Halm58a {

class NetObject;
class Network;

// Reads one "Network" element of the road-network format (docs/formats.md)
// into an empty network that is in its loading state. Objects refer to each
// other by the numbers ("id") of objects written before them.
class NetworkReader
{
public:
    explicit NetworkReader(Network &network);

    // With wholeDocument, nothing but comments may follow the element.
    bool read(QXmlStreamReader &xml, bool wholeDocument);
    // "Line %1, column %2: " and the reason.
    QString errorString() const { return m_error; }

private:
    bool readNetwork();
    bool readNode();
    bool readEdge();
    bool readLane(NetObject *edge);
    bool readDetector(NetObject *carrier);
    bool readConnection();
    bool readCrossWalk();
    bool readGranule();
    bool readSignalGroup(NetObject *granule);

    bool fail(const QString &message);
    bool unknownElement();
    bool noChildren();
    bool adopt(NetObject *object, int id);
    bool attribute(const char *name, bool required, QString *text);
    bool badAttribute(const char *name, const QString &what, const QString &text);
    template<typename Read> bool readChildren(const char *childName, Read read);
    bool intAttribute(const char *name, int *value, bool required);
    bool doubleAttribute(const char *name, double *value, bool required);
    bool pointsAttribute(const char *name, QVector<QPointF> *points, bool required);
    bool idListAttribute(const char *name, QVector<int> *ids);
    template<typename T> bool reference(const char *name, T **object, bool required);
    template<typename T> bool referenceById(int id, const char *kind, T **object);
    void readName(NetObject *object);

    Network &m_network;
    QXmlStreamReader *m_xml = nullptr;
    QString m_error;
};

} // namespace Halm58a

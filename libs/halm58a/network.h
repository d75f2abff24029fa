#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QScopedPointer>
#include <QSharedPointer>

class QXmlStreamReader;
class QXmlStreamWriter;

namespace Halm58a {

class ConflictMatrix;
class GeoUtil;
class NetObject;
class SignalGroup;

// A road network: the root of its nodes, edges (with lanes, stop lines and
// detectors), junction connections and crosswalks, and granules (with their
// signal groups), all QObject descendants of this object.
//
// Failures come back as false (or null) with the reason in errorString().
// changed(true) follows every edit made through the objects' setters, addItem
// or deletion, never a load; isChanged() is reset by load and by a save that
// marks the network saved. objectRemoved arrives while the object is whole.
class Network : public QObject
{
    Q_OBJECT
public:
    explicit Network(QObject *parent = nullptr);
    ~Network() override;

    // Deletes every object and forgets the name, the file and the geographic origin.
    virtual void clear();

    // Reads a .hm58a file. merge false replaces the content; merge true adds
    // the file's objects to it under new numbers. On failure nothing changes.
    bool load(const QString &path, bool merge);
    // Reads one "Network" element: the reader stands before it or on its start.
    bool load(QXmlStreamReader &reader, bool merge);
    // Writes a .hm58a file. markSaved resets isChanged() and makes path the
    // network's file; compact writes without indentation.
    bool save(const QString &path, bool markSaved, bool compact);
    // Writes exactly one element "Network" into the writer.
    bool save(QXmlStreamWriter &writer, bool markSaved, bool compact);

    bool isChanged() const { return m_changed; }
    QString errorString() const { return m_error; }
    QString fileName() const { return m_fileName; }

    // Adds a made object, with its descendants, to the network: below parent
    // when given, else below the network unless it already lies inside it.
    void addItem(NetObject *object, NetObject *parent = nullptr);
    NetObject *findObject(int id) const { return m_objects.value(id); }
    int objectCount() const { return m_objects.size(); }

    bool exportToDOT(const QString &path);

    // The conversion between the plane and geographic degrees: null when the
    // network has no geographic origin. A network that is drawn gives the
    // conversion it draws with, so callers can place its plane rectangles on
    // the map; hasGeoOrigin() tells whether the origin is the network's own.
    virtual GeoUtil *geoUtil() const { return m_geo.data(); }
    bool hasGeoOrigin() const { return !m_geo.isNull(); }
    void setGeoOrigin(double lon, double lat);

    // Conflicts between the given signal groups, found from the paths of their
    // connections and crosswalks. crossingsOnly leaves out merging paths.
    // conflictMatrix true gives 1 for every conflicting pair; false gives the
    // clearance time in whole seconds. A seed adds pairs the caller knows to be
    // in conflict. Null on failure (errorString()).
    QSharedPointer<ConflictMatrix> findConflictMatrix(const QList<SignalGroup *> &groups,
                                                      bool crossingsOnly, bool conflictMatrix,
                                                      const QSharedPointer<ConflictMatrix> &seed);

signals:
    void changed(bool changed);
    void objectRemoved(Halm58a::NetObject *object);
    // An object's own data changed, or with null the network's origin (not
    // sent while loading).
    void objectModified(Halm58a::NetObject *object);
    // A top-level object came in through addItem or a load.
    void objectAdded(Halm58a::NetObject *object);

private:
    friend class NetObject;
    friend class NetworkReader;

    // A number no object of the network has yet.
    int freshId();
    void registerObject(NetObject *object);
    void registerTree(NetObject *object);
    void objectChanged(NetObject *object);
    void objectRemoving(NetObject *object);
    void setChangedFlag(bool changed);
    bool fail(const QString &error);
    // Writes a whole file safely; on failure the old file stays and errorString() says why.
    bool writeFile(const QString &path, const QByteArray &bytes);
    void takeContent(Network &source, bool renumber);
    // A file must hold nothing but its network; a stream may go on after it.
    bool read(QXmlStreamReader &reader, bool merge, bool wholeDocument, const QString &source);

    QHash<int, NetObject *> m_objects;
    int m_lastId = 0;
    bool m_changed = false;
    bool m_loading = false;
    QString m_error;
    QString m_fileName;
    QScopedPointer<GeoUtil> m_geo;
};

} // namespace Halm58a

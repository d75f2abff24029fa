#include "network.h"

#include "conflictfinder.h"
#include "conflictmatrix.h"
#include "dotwriter.h"
#include "geoutil.h"
#include "netobject.h"
#include "networkreader.h"
#include "networkwriter.h"
#include "safefile/safefile.h"

#include <QFile>
#include <QPointer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <limits>
#include <new>

namespace Halm58a {

namespace {

QList<NetObject *> topLevelObjects(const QObject *root)
{
    return root->findChildren<NetObject *>(QString(), Qt::FindDirectChildrenOnly);
}

// Deleting one object may take others of the list with it (a node its edges,
// a lane connections that hang below the network itself).
void deleteTopLevelObjects(const QObject *root)
{
    const QList<NetObject *> objects = topLevelObjects(root);
    QList<QPointer<NetObject>> guarded;
    guarded.reserve(objects.size());
    for (NetObject *object : objects)
        guarded.append(object);
    for (const QPointer<NetObject> &object : qAsConst(guarded))
        delete object.data();
}

} // namespace

Network::Network(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<Halm58a::NetObject *>("Halm58a::NetObject*");
}

Network::~Network()
{
    // Objects still find this network while they go, but nobody listens any more.
    blockSignals(true);
    m_loading = true;
    deleteTopLevelObjects(this);
}

void Network::clear()
{
    m_loading = true;
    deleteTopLevelObjects(this);
    m_loading = false;
    m_objects.clear();
    m_lastId = 0;
    m_geo.reset();
    m_fileName.clear();
    setObjectName(QString());
    m_error.clear();
    setChangedFlag(false);
}

bool Network::load(const QString &path, bool merge)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(tr("Cannot open %1: %2").arg(path, file.errorString()));
    QXmlStreamReader reader(&file);
    if (!read(reader, merge, true, path))
        return false;
    if (!merge)
        m_fileName = path;
    return true;
}

bool Network::load(QXmlStreamReader &reader, bool merge)
{
    return read(reader, merge, false, QString());
}

bool Network::read(QXmlStreamReader &reader, bool merge, bool wholeDocument, const QString &source)
{
    // Read into a network of its own first, so that a broken file leaves this one whole.
    Network loaded;
    loaded.m_loading = true;
    NetworkReader networkReader(loaded);
    bool readWhole = false;
    try {
        readWhole = networkReader.read(reader, wholeDocument);
    } catch (const std::bad_alloc &) {
        // A file too large for the memory left fails like a broken one; what was
        // read of it goes with `loaded`, and this network stays as it was.
        return fail(source.isEmpty() ? tr("Not enough memory to load the network")
                                     : tr("Not enough memory to load %1").arg(source));
    }
    if (!readWhole)
        return fail(networkReader.errorString());

    m_loading = true;
    if (!merge) {
        deleteTopLevelObjects(this);
        m_objects.clear();
        m_lastId = 0;
        m_geo.reset();
        m_fileName.clear();
        // The name belongs to the content: a file without one leaves none behind.
        setObjectName(loaded.objectName());
    }
    if (!m_geo && loaded.m_geo)
        m_geo.reset(loaded.m_geo.take());
    const QList<NetObject *> added = topLevelObjects(&loaded);
    takeContent(loaded, merge);
    m_loading = false;
    m_error.clear();
    // A merge adds content that is not saved yet, but a load never signals an edit.
    if (merge)
        m_changed = true;
    else
        setChangedFlag(false);
    for (NetObject *object : added)
        emit objectAdded(object);
    return true;
}

bool Network::save(const QString &path, bool markSaved, bool compact)
{
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    if (!save(writer, false, compact))
        return false;
    writer.writeEndDocument();
    if (writer.hasError())
        return fail(tr("Cannot write the network"));
    if (!writeFile(path, bytes))
        return false;
    if (markSaved) {
        m_fileName = path;
        setChangedFlag(false);
    }
    return true;
}

bool Network::save(QXmlStreamWriter &writer, bool markSaved, bool compact)
{
    const bool formatting = writer.autoFormatting();
    if (compact)
        writer.setAutoFormatting(false);
    NetworkWriter(*this).write(writer);
    writer.setAutoFormatting(formatting);
    if (writer.hasError())
        return fail(tr("Cannot write the network"));
    m_error.clear();
    if (markSaved)
        setChangedFlag(false);
    return true;
}

void Network::addItem(NetObject *object, NetObject *parent)
{
    if (!object)
        return;
    if (parent)
        object->setParent(parent);
    else if (object->network() != this)
        object->setParent(this);
    registerTree(object);
    if (!m_loading) {
        emit objectAdded(object);
        setChangedFlag(true);
    }
}

bool Network::exportToDOT(const QString &path)
{
    if (!writeFile(path, DotWriter::write(*this)))
        return false;
    m_error.clear();
    return true;
}

void Network::setGeoOrigin(double lon, double lat)
{
    m_geo.reset(new GeoUtil(lon, lat));
    if (!m_loading) {
        emit objectModified(nullptr);
        setChangedFlag(true);
    }
}

QSharedPointer<ConflictMatrix>
Network::findConflictMatrix(const QList<SignalGroup *> &groups, bool crossingsOnly,
                            bool conflictMatrix, const QSharedPointer<ConflictMatrix> &seed)
{
    ConflictFinder finder(this);
    QSharedPointer<ConflictMatrix> result
        = finder.find(groups, crossingsOnly, conflictMatrix, seed.data());
    if (!result)
        fail(finder.errorString());
    else
        m_error.clear();
    return result;
}

void Network::registerObject(NetObject *object)
{
    // While loading, the reader gives every object the number from the file.
    if (m_loading || !object)
        return;
    object->m_id = freshId();
    m_objects.insert(object->m_id, object);
}

int Network::freshId()
{
    if (m_lastId < std::numeric_limits<int>::max())
        return ++m_lastId;
    // A file may use the highest number; then look for a gap from the bottom.
    int id = 1;
    while (m_objects.contains(id))
        ++id;
    return id;
}

void Network::registerTree(NetObject *object)
{
    if (object->m_id == 0 || m_objects.value(object->m_id) != object)
        registerObject(object);
    for (NetObject *child :
         object->findChildren<NetObject *>(QString(), Qt::FindDirectChildrenOnly))
        registerTree(child);
}

void Network::objectChanged(NetObject *object)
{
    if (m_loading)
        return;
    emit objectModified(object);
    setChangedFlag(true);
}

void Network::objectRemoving(NetObject *object)
{
    if (m_objects.value(object->m_id) == object)
        m_objects.remove(object->m_id);
    emit objectRemoved(object);
    if (!m_loading)
        setChangedFlag(true);
}

void Network::setChangedFlag(bool changed)
{
    // Every edit is announced; a reset only when there was something to reset.
    if (!changed && !m_changed)
        return;
    m_changed = changed;
    emit this->changed(changed);
}

bool Network::fail(const QString &error)
{
    m_error = error;
    return false;
}

bool Network::writeFile(const QString &path, const QByteArray &bytes)
{
    QString reason;
    SafeFile::Failure failure;
    if (SafeFile::write(path, bytes, &reason, &failure))
        return true;
    return fail(SafeFile::failureText(path, reason, failure));
}

void Network::takeContent(Network &source, bool renumber)
{
    QList<int> ids = source.m_objects.keys();
    std::sort(ids.begin(), ids.end());
    for (int id : qAsConst(ids)) {
        NetObject *object = source.m_objects.value(id);
        if (renumber)
            object->m_id = freshId();
        else
            m_lastId = qMax(m_lastId, object->m_id);
        m_objects.insert(object->m_id, object);
    }
    source.m_objects.clear();
    for (NetObject *object : topLevelObjects(&source))
        object->setParent(this);
}

} // namespace Halm58a

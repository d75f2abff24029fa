#pragma once

#include "cnffwd.h"
#include "cnfjsonvalue.h"
#include "flatindex/flatindex.h"

#include <QHash>
#include <QPair>
#include <QSet>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class CnfController;

// One part of the tree: a root key of the JSON file and a section of the
// adapter text, with its elements' fields in file order.
struct CnfTreeSchemaPart
{
    QString key; // root key in JSON
    QString section; // section name in the adapter text
    bool list = false; // a list of elements, or one object
    QVector<QVector<QPair<QString, QVariant>>> items;
};

// The one tree of a whole configuration that the TIVERK II JSON file and the
// adapter text file share (docs/formats.md, "TIVERK II configuration"):
// a "controller" part with the controller's properties, one list per element
// kind, the single parts ("defaultSignalGroup", "interstate", "defaults") and
// the native data. Writers get it as ordered parts; readers give it back as a
// parsed tree whatever the surface syntax was.
class CnfTreeSchema
{
public:
    using Fields = QVector<QPair<QString, QVariant>>;
    using Part = CnfTreeSchemaPart;

    // The parts of a controller in file order; the native data separately.
    // False with error when something cannot be written (a value JSON cannot hold).
    static bool collect(const CnfController &controller, QVector<Part> *parts, QVariantMap *native,
                        QString *error);

    // Fills the cleared controller from `root` (the parts) and `native` (an
    // object whose members are the native data keys; `skipKeys` of it are not
    // native). False with error naming line and column.
    static bool apply(const CnfJsonValue &root, const CnfJsonValue &native,
                      const QStringList &skipKeys, CnfController &controller, QString *error);

    // Root keys of the parts, which native data keys may not use in JSON.
    static QStringList partKeys();
    // Section name -> root key of the list parts, for the adapter text.
    static QHash<QString, QString> listSections();

    // Reads a whole file; false with "Cannot open ..." / "Cannot read ...".
    static bool readFile(const QString &path, QByteArray *bytes, QString *error);

    // Plain variant of a property value: handles on native nodes become maps,
    // lists or scalars.
    static QVariant plain(const QVariant &value);

    // Keeps a top-level member of a file that no element took as native data.
    // A null one stays as a not-set entry (an invalid value would remove the
    // key), so the writers put it back as null.
    static void keepNative(CnfController &controller, const QString &key, const QVariant &value);

    // The name of the dynamic property that keeps a member of a "properties"
    // object or of "controller", and back. A property name ends at a NUL, so
    // control characters are kept escaped ("\\u0000") and a backslash doubled,
    // as a ZU_MOLT file writes them; so are a lone surrogate (it has no UTF-8),
    // a leading U+FEFF (a decoder would drop it) and the first character of
    // "objectName" and of names beginning with "_q_" (Qt's own, which no
    // dynamic property may take). No two member names share a property.
    static QByteArray propertyName(const QString &memberName);
    static QString memberName(const QByteArray &propertyName);

    // The members of a "properties" object (or of "controller") as dynamic
    // properties of `element`. A property cannot hold "no value", so the names
    // of null members are kept on the element (setNullProperties); the writers
    // of the tree write each back as null, in its place among the members,
    // while the element has no value for it, and the value once it has one.
    template<typename Element>
    static void readProperties(const CnfJsonValue &props, Element &element)
    {
        element.setNullProperties(readProperties(props, &element));
    }

    // The elements of a controller that references in a file may name. A
    // reference to any other element (removed, or never added) is left out
    // when writing: a reader could not resolve it. Built once per save, so that
    // each reference costs a lookup instead of a scan of its list.
    class Listed
    {
    public:
        explicit Listed(const CnfController &c);
        template<typename T> bool has(const QSharedPointer<T> &element) const
        {
            return element && m_elements.contains(element.data());
        }

    private:
        template<typename T> void add(const QList<QSharedPointer<T>> &list)
        {
            for (const QSharedPointer<T> &element : list)
                m_elements.insert(element.data(), 0);
        }
        FlatIndex<const void *> m_elements;
    };

private:
    // Sets the properties; gives the names of the null members in file order.
    static QStringList readProperties(const CnfJsonValue &props, QObject *object);
};

#pragma once

#include <QHash>
#include <QPair>
#include <QString>
#include <QVariant>
#include <QVector>

#include <utility>

// One parsed JSON value with the place where it stood in the text, so that the
// configuration readers can say where a wrong value is. Lines and columns are
// 1-based; columns count characters. Object members keep the document order;
// a repeated name is kept once, the later value replacing the earlier one.
class CnfJsonValue
{
public:
    enum Type { Undefined, Null, Bool, Integer, Double, String, Array, Object };

    CnfJsonValue() = default;
    explicit CnfJsonValue(Type type, int line = 0, int column = 0);

    Type type() const { return m_type; }
    int line() const { return m_line; }
    int column() const { return m_column; }
    bool isUndefined() const { return m_type == Undefined; }
    bool isNumber() const { return m_type == Integer || m_type == Double; }

    // Scalars: bool, qlonglong (Integer), double (Double) or QString (String).
    const QVariant &scalar() const { return m_scalar; }
    void setScalar(const QVariant &value) { m_scalar = value; }
    void setScalar(QVariant &&value) { m_scalar = std::move(value); }

    // Arrays.
    int size() const { return m_items.size(); }
    const CnfJsonValue &at(int index) const;
    const QVector<CnfJsonValue> &items() const { return m_items; }
    void append(const CnfJsonValue &item) { m_items.append(item); }

    // Objects. member() gives an Undefined value for a missing name.
    const QVector<QPair<QString, CnfJsonValue>> &members() const { return m_members; }
    const CnfJsonValue &member(const QString &name) const;
    bool contains(const QString &name) const { return indexOf(name) >= 0; }
    void insert(const QString &name, const CnfJsonValue &value);
    // For the parser, which finds repeated names itself: replaces member index.
    void appendMember(const QString &name, const CnfJsonValue &value)
    {
        m_members.append(qMakePair(name, value));
    }
    void replaceMember(int index, const CnfJsonValue &value) { m_members[index].second = value; }
    // Builders: the member or item, created Undefined at the given place when missing.
    CnfJsonValue &memberRef(const QString &name, int line = 0, int column = 0);
    CnfJsonValue &itemRef(int index) { return m_items[index]; }
    // Room for count members, for a builder that expects them.
    void reserveMembers(int count) { m_members.reserve(count); }
    void setType(Type type, int line, int column);

    // Plain Qt form: maps become QVariantMap, arrays QVariantList, integers int
    // when they fit and qlonglong otherwise; Null and Undefined an invalid QVariant.
    QVariant toVariant() const;

    // Equal names; inline, with the cheap tests first, as readers compare member
    // names many times per value (names of one file often share their data).
    static bool sameName(const QString &a, const QString &b)
    {
        return a.size() == b.size() && (a.constData() == b.constData() || a == b);
    }

    // Name of the type as error messages print it ("integer", "text", ...).
    static QString typeName(Type type);
    // "line 3, column 7" for messages.
    QString where() const;

private:
    int indexOf(const QString &name) const;

    Type m_type = Undefined;
    int m_line = 0;
    int m_column = 0;
    QVariant m_scalar;
    QVector<CnfJsonValue> m_items;
    QVector<QPair<QString, CnfJsonValue>> m_members;
    mutable QHash<QString, int> m_index; // built for large objects only
};

// Its members are shared Qt containers, so lists of values may move them as bytes.
Q_DECLARE_TYPEINFO(CnfJsonValue, Q_MOVABLE_TYPE);

#pragma once

#include "cnfcontroller.h"
#include "cnfdaycard.h"
#include "cnfjsonparser.h"
#include "cnfjsonread.h"
#include "cnfjsonwriter.h"
#include "cnfphase.h"
#include "cnfprogram.h"
#include "cnfsignalgroup.h"
#include "cnfweekcard.h"
#include "zu_moltformat.h"

#include <QDate>
#include <QSet>
#include <QStringList>
#include <QTime>
#include <QVariantMap>

#include <limits>

// ZuMoltConfigReader: fills a controller from a ZU_MOLT file for
// ZU_MOLTConfig::fill, one read...() per section, with the values and
// references of the file's objects. Defined over zu_moltconfigreader.cpp
// (signal groups, stages, matrices, plans, the scheduler, the rest kept) and
// zu_moltconfigreaderdevices.cpp (detectors, sensors and switches).
class ZuMoltConfigReader
{
public:
    ZuMoltConfigReader(CnfController &controller, QStringList &warnings)
        : c(controller)
        , m_warnings(warnings)
    {
    }

    CnfJsonRead r;
    CnfController &c;
    QVariantMap extras; // kind -> id -> members
    QSet<QString> writtenNames; // the letters of the names kept under namesKind

    void warn(const CnfJsonValue &at, const QString &message)
    {
        m_warnings.append(
            QStringLiteral("Line %1, column %2: %3").arg(at.line()).arg(at.column()).arg(message));
    }

    // Keeps the members under kind and id. `replace`: a later object of the same
    // id takes the place of the earlier one, so an empty one drops what it kept.
    void stash(const QString &kind, const QString &id, const QVariantMap &members,
               bool replace = false)
    {
        if (members.isEmpty() && (!replace || !extras.contains(kind)))
            return;
        QVariantMap byId = extras.value(kind).toMap();
        if (members.isEmpty())
            byId.remove(id);
        else
            byId.insert(id, members);
        if (byId.isEmpty())
            extras.remove(kind);
        else
            extras.insert(kind, byId);
    }

    // An element's name as the letters its text stands for, its escape
    // sequences read, so that every dialog shows them; the file's form is kept
    // (namesKind) where the writer would write the letters otherwise.
    QString name(const CnfJsonValue &item)
    {
        const QString written = r.text(item, QStringLiteral("name"));
        const QString letters = CnfJsonParser::unescaped(written);
        if (CnfJsonWriter::verbatimEscaped(letters) != written && !writtenNames.contains(letters)) {
            writtenNames.insert(letters);
            QVariantList forms = extras.value(QLatin1String(ZuMoltFormat::namesKind)).toList();
            forms.append(QVariant(QVariantList { letters, written }));
            extras.insert(QLatin1String(ZuMoltFormat::namesKind), forms);
        }
        return letters;
    }

    // A member lives as a dynamic property named as the file writes it. Qt keeps
    // "objectName" and names beginning with "_q_" for itself, and a name
    // beginning with U+FEFF loses it when read back, so such a member would be
    // dropped on save: the file is refused instead.
    static bool propertyCanHold(const QString &name)
    {
        return !name.startsWith(QChar(0xFEFF)) && name != QLatin1String("objectName")
            && !name.startsWith(QLatin1String("_q_"));
    }

    // The members of `item` not in `known` as dynamic properties of `element`.
    // A property cannot hold "no value", so the names of null members are kept
    // on the element (with `nulls` already found) and written back as null.
    template<typename Element>
    void setProperties(Element &element, const CnfJsonValue &item, const QStringList &known,
                       QStringList nulls = QStringList())
    {
        for (const auto &member : item.members()) {
            if (known.contains(member.first))
                continue;
            if (!propertyCanHold(member.first)) {
                r.fail(member.second,
                       tr("the member name \"%1\" cannot be kept; rename it")
                           .arg(CnfJsonParser::quoted(member.first)));
                return;
            }
            if (member.second.type() == CnfJsonValue::Null)
                nulls.append(member.first);
            else
                element.setProperty(member.first.toUtf8().constData(), member.second.toVariant());
        }
        element.setNullProperties(nulls);
    }

    // An object of the file as a warning names it: by its kind and its "name",
    // 'stage "Left turn"', or 'a stage without a name'.
    static QString named(const CnfJsonValue &item, const QString &kind)
    {
        const CnfJsonValue &name = item.member(QStringLiteral("name"));
        const QString letters = name.type() == CnfJsonValue::String
            ? CnfJsonParser::unescaped(name.scalar().toString())
            : QString();
        return letters.isEmpty()
            ? tr("a %1 without a name").arg(kind)
            : QStringLiteral("%1 \"%2\"").arg(kind, CnfJsonParser::quoted(letters));
    }

    // An id: required, an integer (as zumoltc writes it). An element without
    // one cannot be listed and goes; the warning names it by its kind and its
    // name, so that the user knows which one went.
    bool id(const CnfJsonValue &item, const QString &kind, int *value)
    {
        const CnfJsonValue &id = item.member(QStringLiteral("id"));
        if (id.isUndefined()) {
            warn(item,
                 tr("Attribute '%1' not defined; %2 skipped")
                     .arg(QStringLiteral("id"), named(item, kind)));
            return false;
        }
        *value = r.integerValue(id, QStringLiteral("'id' of a %1").arg(kind));
        return r.ok();
    }

    // The numbers that the items of `list` give `key` (integers only).
    static QSet<qlonglong> numbersOf(const CnfJsonValue &list, const QString &key)
    {
        QSet<qlonglong> numbers;
        for (const CnfJsonValue &item : list.items()) {
            const CnfJsonValue &value = item.member(key);
            if (value.type() == CnfJsonValue::Integer)
                numbers.insert(value.scalar().toLongLong());
        }
        return numbers;
    }

    // The number an element is listed under when the file leaves its key out:
    // `preferred` (the default), unless `named` holds it or `taken` says so;
    // then the lowest number from `preferred` up that neither does, so that
    // the element is kept beside the one the file gives the default.
    template<typename Taken>
    static int listedNumber(int preferred, const QSet<qlonglong> &named, Taken taken)
    {
        int number = preferred;
        while (named.contains(number) || taken(number))
            ++number;
        return number;
    }

    // Ids are ints: a larger number refers to nothing (it must not wrap round to another id).
    static bool idNumber(const CnfJsonValue &value, int *id)
    {
        const qlonglong number
            = value.type() == CnfJsonValue::Integer ? value.scalar().toLongLong() : 0;
        *id = int(number);
        return value.type() == CnfJsonValue::Integer && number >= std::numeric_limits<int>::min()
            && number <= std::numeric_limits<int>::max();
    }

    // The one rule of every reference of the file, as zumoltc reads it: a
    // number is an id, a text a name (the letters it stands for, its escape
    // sequences read, as the names are held), never the id it spells.
    template<typename T, typename ById, typename ByName>
    static T referenced(const CnfJsonValue &value, ById byId, ByName byName)
    {
        int number = 0;
        if (idNumber(value, &number))
            return byId(number);
        if (value.type() == CnfJsonValue::String)
            return byName(CnfJsonParser::unescaped(value.scalar().toString()));
        return T();
    }

    // A reference by that rule; null or absent is none. One that finds
    // nothing warns with `missing` (%1 the value) when given.
    template<typename T, typename ById, typename ByName>
    T ref(const CnfJsonValue &item, const QString &key, const QString &kind, ById byId,
          ByName byName, const QString &missing = QString())
    {
        const CnfJsonValue &value = item.member(key);
        if (value.isUndefined() || value.type() == CnfJsonValue::Null)
            return T();
        const T found = referenced<T>(value, byId, byName);
        const QString text = CnfJsonParser::quoted(value.scalar().toString());
        if (!found)
            warn(value,
                 missing.isEmpty() ? tr("'%1' refers to no %2 %3").arg(key, kind, text)
                                   : missing.arg(text));
        return found;
    }

    // The first element of the name, exactly, as zumoltc finds it (an empty
    // name the first element without one).
    template<typename T, typename List> static T byName(const List &list, const QString &name)
    {
        for (const T &element : list) {
            if (element->name == name)
                return element;
        }
        return T();
    }

    CnfSignalGroupPtr groupRef(const CnfJsonValue &item, const QString &key)
    {
        return ref<CnfSignalGroupPtr>(
            item, key, QStringLiteral("signal group"),
            [this](qlonglong id) { return c.findSG(int(id)); },
            [this](const QString &name) {
                return byName<CnfSignalGroupPtr>(c.signalGroups(), name);
            });
    }

    // The stage a plan phase's "stage" names; null when none (the phase then
    // goes, with a warning of its own).
    CnfPhasePtr stageOf(const CnfJsonValue &value)
    {
        return referenced<CnfPhasePtr>(
            value, [this](qlonglong id) { return c.findPhase(QString::number(id)); },
            [this](const QString &name) { return byName<CnfPhasePtr>(c.phases(), name); });
    }

    CnfProgramPtr planRef(const CnfJsonValue &item, const QString &key)
    {
        return ref<CnfProgramPtr>(
            item, key, QStringLiteral("plan"),
            [this](qlonglong id) { return c.findProgram(QString::number(id)); },
            [this](const QString &name) { return byName<CnfProgramPtr>(c.programs(), name); });
    }

    // The id of a period's plan: an id stays as it is, also when no plan bears
    // it (a deleted one: day cards keep it, without a warning); a name is looked up.
    QString periodPlan(const CnfJsonValue &period, const char *key)
    {
        const QString name = QLatin1String(key);
        int id = 0;
        if (idNumber(period.member(name), &id))
            return QString::number(id);
        const CnfProgramPtr plan = planRef(period, name);
        return plan ? plan->id : QString();
    }

    CnfDayCardPtr dayRef(const CnfJsonValue &item, const QString &key,
                         const QString &missing = QString())
    {
        return ref<CnfDayCardPtr>(
            item, key, QStringLiteral("day plan"),
            [this](qlonglong id) { return c.findDayCard(QString::number(id)); },
            [this](const QString &name) { return byName<CnfDayCardPtr>(c.dayCards(), name); },
            missing);
    }

    CnfWeekCardPtr weekRef(const CnfJsonValue &item, const QString &key)
    {
        return ref<CnfWeekCardPtr>(
            item, key, QStringLiteral("week plan"),
            [this](qlonglong id) { return c.findWeekCard(QString::number(id)); },
            [this](const QString &name) { return byName<CnfWeekCardPtr>(c.weekCards(), name); });
    }

    // Enumeration key; an unknown key warns and gives -1.
    int enumValue(const CnfJsonValue &item, const QString &key, const QStringList &keys)
    {
        const CnfJsonValue &value = item.member(key);
        if (value.isUndefined())
            return -1;
        const int index
            = value.type() == CnfJsonValue::String ? keys.indexOf(value.scalar().toString()) : -1;
        if (index < 0)
            warn(value,
                 tr("'%1' attribute has invalid value %2")
                     .arg(key, CnfJsonParser::quoted(value.scalar().toString())));
        return index;
    }

    QTime time(const CnfJsonValue &item, const QString &key)
    {
        const QString text = r.text(item, key);
        QTime time = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
        if (!time.isValid())
            time = QTime::fromString(text, QStringLiteral("HH:mm"));
        if (!time.isValid() && !item.member(key).isUndefined())
            warn(item.member(key), tr("'%1' attribute has invalid time format").arg(key));
        return time;
    }

    // A date "dd.MM" of the member, invalid when it is none; `message` is the
    // warning for one that is not a date (empty: "invalid date format").
    QDate date(const CnfJsonValue &item, const QString &key, const QString &message = QString())
    {
        const QString text = r.text(item, key);
        const QStringList parts = text.split(QLatin1Char('.'), Qt::SkipEmptyParts);
        bool dayOk = false;
        bool monthOk = false;
        const int day = parts.size() == 2 ? parts.at(0).toInt(&dayOk) : 0;
        const int month = parts.size() == 2 ? parts.at(1).toInt(&monthOk) : 0;
        const QDate date(calendarYear, month, day);
        if (!dayOk || !monthOk || !date.isValid()) {
            warn(item.member(key).isUndefined() ? item : item.member(key),
                 message.isEmpty() ? tr("'%1' attribute has invalid date format").arg(key)
                                   : message);
            return QDate();
        }
        return date;
    }

    // Calls read for every object of an array; other items are wrong types.
    template<typename F> void eachObject(const CnfJsonValue &list, const QString &what, F read)
    {
        for (const CnfJsonValue &item : list.items()) {
            if (!r.ok() || !r.isType(item, CnfJsonValue::Object, what))
                return;
            read(item);
        }
    }

    // The texts of the file's warnings and errors, in the ZU_MOLT translation context.
    static QString tr(const char *text) { return ZuMoltFormat::tr(text); }

    // The year of the dates of the file, which carry day and month only (leap, so 29.02 fits).
    static constexpr int calendarYear = 2000;

    // The members of `object` not in `known`, as they stood.
    static QVariantMap leftover(const CnfJsonValue &object, const QStringList &known)
    {
        QVariantMap map;
        for (const auto &member : object.members()) {
            if (!known.contains(member.first))
                map.insert(member.first, member.second.toVariant());
        }
        return map;
    }

    // Sections
    void readSignalGroups(const CnfJsonValue &root);
    // Sets the times of a group; gives the names of those that are null (not set).
    QStringList readTimes(CnfSignalGroup &group, const CnfJsonValue &item);
    void readStages(const CnfJsonValue &root);
    void readMatrices(const CnfJsonValue &root);
    // Matrices that the file keeps beside its conflict matrix. The controller
    // lists a matrix once per id, so one whose id the conflict matrix or an
    // earlier one holds is listed under a free id and keeps its own for the file.
    void readExtraMatrices(const CnfJsonValue &root);
    void readDetectors(const CnfJsonValue &root);
    void readSwitches(const CnfJsonValue &root);
    void readPlans(const CnfJsonValue &root);
    void readAlgorithm(CnfProgram &program, const CnfJsonValue &algorithm);
    void readScheduler(const CnfJsonValue &root);
    void readExtras(const CnfJsonValue &root);
    // Everything that no element took, as it stood.
    void readNative(const CnfJsonValue &root);

private:
    QStringList &m_warnings;
};

#pragma once

#include "cnffwd.h"
#include "cnfjsonparser.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QXmlStreamReader>

class QObject;
class QVariant;
class VNode;

// The parsing state of CnfXmlReader: one read...() per section, references
// collected while reading and resolved at the end. Defined over
// cnfxmlreader.cpp (errors, attributes, values), cnfxmlreadersections.cpp
// and cnfxmlreaderreferences.cpp.
class CnfXmlReaderPrivate
{
public:
    CnfXmlReaderPrivate(const QByteArray &bytes, bool strict, CnfController &controller)
        : bytes(bytes)
        , xml(bytes)
        , strict(strict)
        , c(controller)
    {
    }

    bool readController();
    CnfProgramPtr readDynamicProgram();
    QString errorString() const { return error; }

private:
    // As deep as the JSON formats nest, so that any configuration read from them
    // can be saved here and read back.
    static constexpr int MaxDepth = CnfJsonParser::maxDepth;

    struct Position
    {
        qint64 line = 0;
        qint64 column = 0;
    };

    // References between elements are collected while reading and resolved at
    // the end, so that the order of the sections does not matter.
    struct GroupRefs
    {
        CnfSignalGroupPtr group;
        QList<int> devices;
        Position at;
    };

    struct PhaseRefs
    {
        CnfPhasePtr phase;
        QList<int> groups;
        Position at;
    };

    struct StepRef
    {
        CnfPhaseDefPtr step;
        int fullLength = 0;
        bool hasMain = false;
    };

    struct ProgramRefs
    {
        CnfProgramPtr program;
        int matrix = -1;
        bool hasMatrix = false;
        QList<StepRef> steps;
        Position at;
    };

    struct CardRef
    {
        CnfDayCardPtr card;
        QTime start;
        QString program;
        QString reserve;
        Position at;
    };

    static QString tr(const char *text);

    // Errors
    bool fail(const QString &message);
    bool failAt(const Position &at, const QString &message);
    Position here() const { return { xml.lineNumber(), xml.columnNumber() }; }
    bool unknownElement();

    // Attributes
    QString text(const char *name) const;
    bool hasKey() const; // "key", or "key64" for a key in Base64
    bool integer(const char *name, int *value, bool required, int fallback);
    bool boolean(const char *name, bool *value, bool fallback);

    // Typed values
    bool readNode(VNode &node, int depth);
    bool readPropertyValue(QVariant *value);
    // The dynamic properties of an element. A property cannot hold "no value",
    // so the keys of its Null values are kept on the element (setNullProperties).
    template<typename Element> bool readProperties(Element &element)
    {
        QStringList nulls;
        const bool ok = readProperties(element, &nulls);
        element.setNullProperties(nulls);
        return ok;
    }
    bool readProperties(QObject &object, QStringList *nulls);
    bool readElementText(QString *value);

    // Sections
    bool readInterstate();
    bool readPowerDevices();
    bool readSignalGroup(const CnfSignalGroupPtr &group);
    bool readDetectors(bool sensors);
    bool readPhases();
    bool readMatrices();
    CnfMatrixPtr readMatrix();
    bool readProgram(ProgramRefs &refs);
    bool readCalendar();
    bool readNative();
    bool resolve();
    bool resolveProgram(ProgramRefs &refs);

    // The text read, for placing errors.
    const QByteArray bytes;
    QXmlStreamReader xml;
    bool strict;
    CnfController &c;
    QString error;
    Position errorAt;

    QList<GroupRefs> groupRefs;
    QList<PhaseRefs> phaseRefs;
    QList<ProgramRefs> programRefs;
    QList<CardRef> cardRefs;
    QList<QPair<CnfWeekCardPtr, QMap<int, QString>>> weekRefs;
    QList<QPair<CnfSeasonPlanPtr, QString>> seasonRefs;
    QList<QPair<CnfSpecialDayPtr, QString>> specialRefs;
    int defaultMatrix = -1;
    int safetyMatrix = -1;
    QString defaultProgram;
    QString reserveProgram;
    QString defaultDayCard;
    Position calendarAt;
    Position matricesAt;
};

#include "cnfxmlreader.h"
#include "cnfxmlreaderprivate.h"

#include "cnfcontroller.h"
#include "cnfprogram.h"
#include "cnftextplace.h"
#include "cnftreeschema.h"
#include "cnfxmlformat.h"
#include "utf8/utf8.h"
#include "vnode.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QXmlStreamReader>

QString CnfXmlReaderPrivate::tr(const char *text)
{
    return QCoreApplication::translate("CnfXmlReader", text);
}

bool CnfXmlReaderPrivate::fail(const QString &message)
{
    // The reader's own error is placed where it lies in the text, not where Qt
    // noticed it (a byte that is not UTF-8 is noticed before the first tag).
    if (xml.hasError() && message == xml.errorString()) {
        const CnfTextPlace::XmlError placed = CnfTextPlace::xmlError(xml, bytes);
        return failAt({ placed.line, placed.column }, placed.message);
    }
    return failAt(here(), message);
}

bool CnfXmlReaderPrivate::failAt(const Position &at, const QString &message)
{
    if (error.isEmpty()) {
        error = tr("Line %1, column %2: %3").arg(at.line).arg(at.column).arg(message);
        errorAt = at;
    }
    if (!xml.hasError())
        xml.raiseError(message);
    return false;
}

bool CnfXmlReaderPrivate::unknownElement()
{
    if (strict)
        return fail(tr("unknown element \"%1\"").arg(Utf8::quoted(xml.name().toString())));
    xml.skipCurrentElement();
    return !xml.hasError();
}

QString CnfXmlReaderPrivate::text(const char *name) const
{
    const QXmlStreamAttributes attributes = xml.attributes();
    const QString encoded = QLatin1String(name) + QLatin1String("64");
    if (attributes.hasAttribute(encoded)) {
        const auto decoded = QByteArray::fromBase64Encoding(
            attributes.value(encoded).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        return Utf8::decodeKeepingSurrogates(decoded.decoded);
    }
    return attributes.value(QLatin1String(name)).toString();
}

bool CnfXmlReaderPrivate::hasKey() const
{
    const QXmlStreamAttributes attributes = xml.attributes();
    return attributes.hasAttribute(QLatin1String("key"))
        || attributes.hasAttribute(QLatin1String("key64"));
}

bool CnfXmlReaderPrivate::integer(const char *name, int *value, bool required, int fallback)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    if (!attributes.hasAttribute(QLatin1String(name))) {
        if (required) {
            return fail(tr("element \"%1\" needs the attribute \"%2\"")
                            .arg(Utf8::quoted(xml.name().toString()), QLatin1String(name)));
        }
        *value = fallback;
        return true;
    }
    const QString raw = attributes.value(QLatin1String(name)).toString();
    bool ok = false;
    *value = raw.trimmed().toInt(&ok);
    if (!ok) {
        return fail(
            tr("attribute \"%1\" of \"%2\" is no whole number in range: \"%3\"")
                .arg(QLatin1String(name), Utf8::quoted(xml.name().toString()), Utf8::quoted(raw)));
    }
    return true;
}

bool CnfXmlReaderPrivate::boolean(const char *name, bool *value, bool fallback)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    if (!attributes.hasAttribute(QLatin1String(name))) {
        *value = fallback;
        return true;
    }
    const QStringRef raw = attributes.value(QLatin1String(name));
    if (raw == QLatin1String("true") || raw == QLatin1String("1")) {
        *value = true;
        return true;
    }
    if (raw == QLatin1String("false") || raw == QLatin1String("0")) {
        *value = false;
        return true;
    }
    return fail(tr("attribute \"%1\" of \"%2\" is neither true nor false")
                    .arg(QLatin1String(name), Utf8::quoted(xml.name().toString())));
}

bool CnfXmlReaderPrivate::readElementText(QString *value)
{
    const bool base64
        = xml.attributes().value(QLatin1String("encoding")) == QLatin1String("base64");
    const QString element = xml.name().toString();
    *value = xml.readElementText();
    if (xml.hasError())
        return fail(xml.errorString());
    if (base64) {
        const auto decoded = QByteArray::fromBase64Encoding(
            value->trimmed().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (decoded.decodingStatus != QByteArray::Base64DecodingStatus::Ok)
            return fail(tr("the Base64 text of \"%1\" is broken").arg(Utf8::quoted(element)));
        *value = Utf8::decodeKeepingSurrogates(decoded.decoded);
    }
    return true;
}

// Reads the value element at the reader's position into `node`.
bool CnfXmlReaderPrivate::readNode(VNode &node, int depth)
{
    using namespace CnfXmlFormat;
    if (depth > MaxDepth)
        return fail(tr("values are nested too deeply"));
    const QStringRef tag = xml.name();
    if (tag == QLatin1String(MapTag)) {
        node.kind = VObject::Map;
        while (xml.readNextStartElement()) {
            if (!hasKey())
                return fail(tr("an entry of a map needs the attribute \"key\""));
            const QString key = text("key");
            auto child = std::make_shared<VNode>();
            if (!readNode(*child, depth + 1))
                return false;
            node.insertChild(key, child);
        }
        return !xml.hasError() || fail(xml.errorString());
    }
    if (tag == QLatin1String(ListTag) || tag == QLatin1String(StringsTag)) {
        node.kind = VObject::List;
        while (xml.readNextStartElement()) {
            auto child = std::make_shared<VNode>();
            if (!readNode(*child, depth + 1))
                return false;
            node.appendChild(child);
        }
        return !xml.hasError() || fail(xml.errorString());
    }
    if (tag == QLatin1String(NullTag)) {
        node.kind = VObject::Null;
        xml.skipCurrentElement();
        return !xml.hasError() || fail(xml.errorString());
    }
    const QString element = tag.toString();
    const Position at = here();
    QString raw;
    if (!readElementText(&raw))
        return false;
    const QString trimmed = raw.trimmed();
    bool ok = true;
    QVariant value;
    if (element == QLatin1String(TextTag)) {
        value = raw;
    } else if (element == QLatin1String(IntTag)) {
        value = trimmed.toInt(&ok);
    } else if (element == QLatin1String(LongTag)) {
        value = trimmed.toLongLong(&ok);
    } else if (element == QLatin1String(DoubleTag)) {
        double number = 0;
        ok = parseDouble(trimmed, &number);
        value = number;
    } else if (element == QLatin1String(BoolTag)) {
        ok = trimmed == QLatin1String("true") || trimmed == QLatin1String("false");
        value = trimmed == QLatin1String("true");
    } else if (element == QLatin1String(BytesTag)) {
        static const QString hexDigits = QStringLiteral("0123456789abcdefABCDEF");
        for (const QChar ch : trimmed)
            ok = ok && hexDigits.contains(ch);
        ok = ok && trimmed.size() % 2 == 0;
        value = QByteArray::fromHex(trimmed.toLatin1());
    } else if (element == QLatin1String(DateTag)) {
        value = QDate::fromString(trimmed, Qt::ISODate);
        ok = value.toDate().isValid() || trimmed.isEmpty();
    } else if (element == QLatin1String(TimeTag)) {
        value = QTime::fromString(trimmed, QStringLiteral("HH:mm:ss.zzz"));
        ok = value.toTime().isValid() || trimmed.isEmpty();
    } else if (element == QLatin1String(DateTimeTag)) {
        value = QDateTime::fromString(trimmed, Qt::ISODateWithMs);
        ok = value.toDateTime().isValid() || trimmed.isEmpty();
    } else {
        return failAt(at, tr("unknown value element \"%1\"").arg(Utf8::quoted(element)));
    }
    if (!ok) {
        return failAt(at,
                      tr("\"%1\" is no valid value of \"%2\"")
                          .arg(Utf8::quoted(trimmed), Utf8::quoted(element)));
    }
    node.kind = VObject::Scalar;
    node.value = value;
    return true;
}

bool CnfXmlReaderPrivate::readPropertyValue(QVariant *value)
{
    const bool strings = xml.name() == QLatin1String(CnfXmlFormat::StringsTag);
    VNode node;
    if (!readNode(node, 0))
        return false;
    *value = node.toVariant();
    if (strings)
        *value = value->toStringList();
    return true;
}

bool CnfXmlReaderPrivate::readProperties(QObject &object, QStringList *nulls)
{
    while (xml.readNextStartElement()) {
        if (!hasKey())
            return fail(tr("a property needs the attribute \"key\""));
        const QByteArray name = text("key").toUtf8();
        QVariant value;
        if (!readPropertyValue(&value))
            return false;
        if (value.isValid())
            object.setProperty(name.constData(), value);
        else
            nulls->append(CnfTreeSchema::memberName(name));
    }
    return !xml.hasError() || fail(xml.errorString());
}

CnfProgramPtr CnfXmlReaderPrivate::readDynamicProgram()
{
    if (!xml.readNextStartElement()) {
        fail(xml.hasError() ? xml.errorString() : tr("no program in the data"));
        return {};
    }
    if (xml.name() != QLatin1String("Controller")) {
        fail(tr("the root element is \"%1\", not \"Controller\"")
                 .arg(Utf8::quoted(xml.name().toString())));
        return {};
    }
    ProgramRefs refs;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Program") && !refs.program) {
            if (!readProgram(refs))
                return {};
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        fail(xml.errorString());
        return {};
    }
    if (!refs.program) {
        fail(tr("no program in the data"));
        return {};
    }
    if (!resolveProgram(refs))
        return {};
    return refs.program;
}

CnfXmlReader::CnfXmlReader() = default;
CnfXmlReader::~CnfXmlReader() = default;

bool CnfXmlReader::read(const QByteArray &bytes, bool strict, CnfController &controller)
{
    controller.clear();
    controller.setLastError(QString());
    CnfXmlReaderPrivate reader(bytes, strict, controller);
    const bool ok = reader.readController();
    m_error = ok ? QString() : reader.errorString();
    return ok;
}

CnfProgramPtr CnfXmlReader::readDynamicProgram(const QByteArray &bytes, CnfController &controller)
{
    CnfXmlReaderPrivate reader(bytes, true, controller);
    const CnfProgramPtr program = reader.readDynamicProgram();
    m_error = program ? QString() : reader.errorString();
    return program;
}

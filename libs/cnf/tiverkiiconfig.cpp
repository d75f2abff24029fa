#include "tiverkiiconfig.h"

#include "cnfcontroller.h"
#include "cnfjsonparser.h"
#include "cnfjsonwriter.h"
#include "cnftreeschema.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("TiverkIIConfig", text);
}

// Skips a byte order mark and blanks.
int contentStart(const QByteArray &bytes)
{
    int i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < bytes.size() && QByteArray(" \t\r\n").contains(bytes.at(i)))
        ++i;
    return i;
}

// Short elements stand on one line each, long ones spread over several.
bool fitsOnLine(const CnfTreeSchema::Fields &fields)
{
    CnfJsonWriter probe;
    probe.beginObject(QString(), CnfJsonWriter::Inline);
    for (const auto &field : fields)
        probe.writeMember(field.first, field.second);
    probe.endObject();
    return probe.data().size() <= 100;
}

} // namespace

TiverkIIConfig::TiverkIIConfig() = default;

bool TiverkIIConfig::recognizes(const QByteArray &bytes)
{
    // A cheap look at the start: the writer puts "controller" first, but a
    // hand-made file may not, so a parse decides when the start is JSON.
    const int start = contentStart(bytes);
    if (start >= bytes.size() || bytes.at(start) != '{' || !bytes.contains("\"controller\""))
        return false;
    CnfJsonParser parser;
    if (!parser.parse(bytes))
        return !bytes.contains("\"configVersion\"");
    return parser.root().member(QStringLiteral("controller")).type() == CnfJsonValue::Object;
}

bool TiverkIIConfig::loadData(const QByteArray &bytes)
{
    reset();
    CnfJsonParser parser;
    if (!parser.parse(bytes))
        return fail(parser.error());
    const CnfJsonValue &root = parser.root();
    if (root.type() != CnfJsonValue::Object)
        return fail(tr("Line 1, column 1: a TIVERK II configuration is a JSON object"));
    const CnfJsonValue &controller = root.member(QStringLiteral("controller"));
    if (controller.type() != CnfJsonValue::Object)
        return fail(tr("Line 1, column 1: the \"controller\" object is missing: this is no TIVERK "
                       "II configuration"));
    return accept(root);
}

bool TiverkIIConfig::fill(CnfController &controller, QString *error)
{
    return CnfTreeSchema::apply(root(), root(), CnfTreeSchema::partKeys(), controller, error);
}

QByteArray TiverkIIConfig::save(const CnfController *controller)
{
    if (!controller) {
        fail(tr("No controller to save"));
        return QByteArray();
    }
    return save(*controller);
}

QByteArray TiverkIIConfig::save(const CnfController &controller)
{
    QVector<CnfTreeSchema::Part> parts;
    QVariantMap native;
    if (!collect(controller, &parts, &native))
        return QByteArray();
    const QStringList reserved = CnfTreeSchema::partKeys();
    for (auto it = native.cbegin(); it != native.cend(); ++it) {
        if (reserved.contains(it.key())) {
            fail(tr("The native data key \"%1\" is a reserved key of the TIVERK II file")
                     .arg(CnfJsonParser::quoted(it.key())));
            return QByteArray();
        }
    }
    CnfJsonWriter writer;
    writer.beginObject();
    for (const CnfTreeSchema::Part &part : parts) {
        if (part.list)
            writer.beginArray(part.key);
        for (const CnfTreeSchema::Fields &fields : part.items) {
            writer.beginObject(part.list ? QString() : part.key,
                               part.list && fitsOnLine(fields) ? CnfJsonWriter::Inline
                                                               : CnfJsonWriter::Normal);
            // A field without value is a member the file held as null (CnfTreeSchema).
            for (const auto &field : fields)
                writer.writeMember(field.first, field.second);
            writer.endObject();
        }
        if (part.list)
            writer.endArray();
    }
    for (auto it = native.cbegin(); it != native.cend(); ++it)
        writer.writeMember(it.key(), it.value());
    writer.endObject();
    if (writer.hasError()) {
        fail(writer.error());
        return QByteArray();
    }
    QByteArray bytes = writer.data();
    bytes.append('\n');
    return bytes;
}

QByteArray TiverkIIConfig::humanizedSection(const QVariantMap &map, const QStringList &path)
{
    if (path.isEmpty())
        return QByteArray();
    CnfJsonWriter writer;
    writer.beginObject();
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        writer.writeValue(it.key(), it.value());
    writer.endObject();
    return writer.hasError() ? QByteArray() : writer.data();
}

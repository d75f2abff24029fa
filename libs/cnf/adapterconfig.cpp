#include "adapterconfig.h"

#include "cnfcontroller.h"
#include "cnfjsonparser.h"
#include "cnfsectiontext.h"
#include "cnftreeschema.h"

#include <QCoreApplication>

namespace {

const char *const header = "controller";
const char *const nativeSection = "native";
const char *const endSection = "end";

QString tr(const char *text)
{
    return QCoreApplication::translate("AdapterConfig", text);
}

} // namespace

AdapterConfig::AdapterConfig() = default;

bool AdapterConfig::recognizes(const QByteArray &bytes)
{
    const QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    int pos = 0;
    while (pos < text.size()) {
        int end = text.indexOf('\n', pos);
        if (end < 0)
            end = text.size();
        const QByteArray line = text.mid(pos, end - pos).trimmed();
        pos = end + 1;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        return line == QByteArray("[") + header + "]";
    }
    return false;
}

bool AdapterConfig::loadData(const QByteArray &bytes)
{
    reset();
    if (!recognizes(bytes))
        return fail(tr("Line 1: the text does not begin with the [controller] section: this is no "
                       "adapter configuration"));
    CnfJsonValue root;
    QString error;
    if (!CnfSectionText::read(bytes, CnfTreeSchema::listSections(), &root, &error))
        return fail(error);
    const CnfJsonValue &end = root.member(QLatin1String(endSection));
    if (end.type() != CnfJsonValue::Object)
        return fail(tr("Line %1: the [end] line is missing: the file is truncated")
                        .arg(bytes.count('\n') + 1));
    if (!end.members().isEmpty())
        return fail(tr("Line %1: the [end] section holds values").arg(end.line()));
    QStringList known = CnfTreeSchema::partKeys();
    known << QLatin1String(nativeSection) << QLatin1String(endSection);
    for (const auto &member : root.members()) {
        if (!known.contains(member.first))
            return fail(tr("Line %1: unknown section or value \"%2\"")
                            .arg(member.second.line())
                            .arg(CnfJsonParser::quoted(member.first)));
    }
    return accept(root);
}

bool AdapterConfig::fill(CnfController &controller, QString *error)
{
    if (!CnfTreeSchema::apply(root(), root().member(QLatin1String(nativeSection)), QStringList(),
                              controller, error))
        return false;
    // An adapter text is an adapter configuration also when its [controller]
    // section does not say so: it is saved back as one, without a conversion.
    if (controller.property("type").toString().isEmpty())
        controller.setProperty("type", QStringLiteral("adapter"));
    return true;
}

QByteArray AdapterConfig::save(const CnfController &controller)
{
    QVector<CnfTreeSchema::Part> parts;
    QVariantMap native;
    if (!collect(controller, &parts, &native))
        return QByteArray();
    CnfSectionText text;
    text.comment(QStringLiteral("Adapter controller configuration"));
    for (const CnfTreeSchema::Part &part : parts) {
        for (const CnfTreeSchema::Fields &fields : part.items) {
            text.section(part.section);
            // A field without value is a member the file held as null (CnfTreeSchema).
            for (const auto &field : fields)
                text.memberEntry(CnfSectionText::pathSegment(field.first), field.second);
        }
    }
    if (!native.isEmpty()) {
        text.section(QLatin1String(nativeSection));
        for (auto it = native.cbegin(); it != native.cend(); ++it)
            text.memberEntry(CnfSectionText::pathSegment(it.key()), it.value());
    }
    text.section(QLatin1String(endSection));
    return text.data();
}

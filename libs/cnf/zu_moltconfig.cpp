#include "zu_moltconfig.h"
#include "zu_moltformat.h"

#include "cnfjsonparser.h"

using ZuMoltFormat::tr;

ZU_MOLTConfig::ZU_MOLTConfig() = default;

bool ZU_MOLTConfig::recognizes(const QByteArray &bytes)
{
    int start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (start < bytes.size() && QByteArray(" \t\r\n").contains(bytes.at(start)))
        ++start;
    if (start >= bytes.size() || bytes.at(start) != '{' || !bytes.contains("\"ZU_MOLT\""))
        return false;
    CnfJsonParser parser(CnfJsonParser::Verbatim);
    if (!parser.parse(bytes))
        return true; // broken, but meant as ZU_MOLT: its reader says what is wrong
    const CnfJsonValue &type = parser.root().member(QStringLiteral("type"));
    return type.type() == CnfJsonValue::String
        && type.scalar().toString() == QLatin1String("ZU_MOLT");
}

bool ZU_MOLTConfig::loadData(const QByteArray &bytes)
{
    reset();
    CnfJsonParser parser(CnfJsonParser::Verbatim);
    if (!parser.parse(bytes))
        return fail(parser.error());
    const CnfJsonValue &root = parser.root();
    if (root.type() != CnfJsonValue::Object)
        return fail(tr("Line 1, column 1: a ZU_MOLT configuration is a JSON object, not an array"));
    const CnfJsonValue &type = root.member(QStringLiteral("type"));
    if (type.type() != CnfJsonValue::String
        || type.scalar().toString() != QLatin1String("ZU_MOLT")) {
        const CnfJsonValue &at = type.isUndefined() ? root : type;
        return fail(tr("Line %1, column %2: the configuration type is not \"ZU_MOLT\"")
                        .arg(at.line())
                        .arg(at.column()));
    }
    const CnfJsonValue &version = root.member(QStringLiteral("configVersion"));
    if (version.type() != CnfJsonValue::Integer || version.scalar().toLongLong() != 1) {
        const CnfJsonValue &at = version.isUndefined() ? root : version;
        return fail(tr("Line %1, column %2: unsupported configVersion %3 (1 expected)")
                        .arg(at.line())
                        .arg(at.column())
                        .arg(version.isUndefined() ? tr("(none)") : version.scalar().toString()));
    }
    return accept(root);
}

#include "familyconversion.h"

#include "droppedvalues.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfpowerdevice.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramrecord.h"
#include "cnf/cnftiverklayout.h"
#include "cnf/vobject.h"

#include <QDebug>
#include <QMessageBox>

namespace {

const int EmergencyPriority = 9999;

// "scheme://host:port/" on this computer (the IPv4 local host).
QString localEndpoint(const char *scheme, int port)
{
    return QString::fromLatin1(scheme) + QStringLiteral("127.0.0.1:") + QString::number(port)
        + QLatin1Char('/');
}

QString familyOfType(int type)
{
    switch (type) {
    case 2:
        return QStringLiteral("tiverk");
    case 3:
        return QStringLiteral("adapter");
    case 4:
        return QStringLiteral("tiverkii");
    case 5:
        return QStringLiteral("ZU_MOLT");
    default:
        return QString();
    }
}

bool setRawData(CnfController &controller, const CnfProgramPtr &program, const QByteArray &bytes)
{
    if (controller.setProgramRawData(program, bytes))
        return true;
    qWarning().noquote() << controller.lastError();
    return false;
}

// Raises `highest` to the entry's value of `key` when that is a number above
// it (and below `limit`).
void raise(int &highest, const VObject &entry, const char *key, int limit = INT_MAX)
{
    bool isNumber = false;
    const int value = entry[key].toInt(&isNumber);
    if (isNumber && value > highest && value < limit)
        highest = value;
}

} // namespace

bool FamilyConversion::saveAsAdapter(CnfController &controller, const QString &fileName,
                                     QWidget *parent, QString &error, QStringList *warnings)
{
    error.clear();
    const bool converting = controller.property("type").toString() != QLatin1String("adapter");
    if (converting) {
        const auto answer = QMessageBox::question(
            parent, tr("Conversion"),
            tr("Conversion of configuration type  may lead to data loss. Continue?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
        if (answer != QMessageBox::Yes)
            return false;
        controller.setNativeData(QStringLiteral("DEVICE"), 0);
        controller.setNativeData(QStringLiteral("SCHEDULING"), 1);
    }

    const QVariant type = controller.property("type");
    const QVariant version = controller.property("version");
    controller.setProperty("type", QStringLiteral("adapter"));
    controller.setProperty("version", QVariant());

    // The records go into the adapter's layout, which lacks the fields that
    // 3.17 and 3.18 add (the byte behind the variant, a coordinated program's
    // start delay). Records of a configuration without version are taken as
    // the adapter's.
    const CnfProgramRecord::Format from { version.toString(), version.toString().isEmpty() };
    const CnfProgramRecord::Format to { QString(), true };
    const QDomDocument fromLayout = CnfTiverkLayout::document(from.version, from.adapter);
    const QDomDocument toLayout = CnfTiverkLayout::document(to.version, to.adapter);
    const QList<CnfProgramPtr> programs = controller.programs();
    QList<QByteArray> backup;
    QStringList delayDropped;
    for (const CnfProgramPtr &program : programs) {
        backup << program->data();
        bool dropped = false;
        const QByteArray converted = CnfProgramRecord::converted(program->data(), from, fromLayout,
                                                                 to, toLayout, &dropped);
        if (converted != program->data() && setRawData(controller, program, converted) && dropped)
            delayDropped << program->id;
    }

    if (CnfNative::save(fileName, controller, error)) {
        if (warnings && !delayDropped.isEmpty())
            warnings->append(DroppedValues::startDelay(to, delayDropped));
        return true;
    }

    error.prepend(tr("Error saving configuration of adapter: "));
    if (converting) {
        controller.setNativeData(QStringLiteral("DEVICE"), QVariant());
        controller.setNativeData(QStringLiteral("SCHEDULING"), QVariant());
    }
    controller.setProperty("type", type);
    controller.setProperty("version", version);
    for (int i = 0; i < backup.size() && i < programs.size(); ++i) {
        if (programs.at(i)->data() != backup.at(i))
            setRawData(controller, programs.at(i), backup.at(i));
    }
    return false;
}

void FamilyConversion::completeTiverkII(CnfController &controller)
{
    VObject sources = controller.nativeData()[QStringLiteral("controlSources")];
    int highestPriority = 1;
    int highestId = 1;
    int jsConsole = -1;
    int jsonRpc = -1;
    bool emergency = false;
    for (int i = 0; i < sources.size(); ++i) {
        const VObject entry = sources[i];
        const VObject type = entry[QStringLiteral("type")];
        if (!type.isNull()) {
            // An existing source of a kind is reused whatever state its module is in,
            // so saving again never adds a second one.
            if (jsConsole < 0 && type == QLatin1String("JsConsole")) {
                jsConsole = i;
                continue;
            }
            if (jsonRpc < 0 && type == QLatin1String("JsonRPC")) {
                jsonRpc = i;
                continue;
            }
            if (!emergency && type == QLatin1String("Emergency")) {
                emergency = true;
                continue;
            }
        } else if (!emergency && entry[QStringLiteral("name")] == QLatin1String("emergency")) {
            emergency = true;
        }
        raise(highestPriority, entry, "priority", EmergencyPriority);
        raise(highestId, entry, "id");
    }
    const auto priorityOf = [&sources](int index) {
        return index < 0 ? INT_MIN : sources[index][QStringLiteral("priority")].toInt();
    };

    // The JsonRPC source first, then the JsConsole source, above every other one.
    int jsonRpcPriority = priorityOf(jsonRpc);
    const int jsConsolePriority = priorityOf(jsConsole);
    if (jsonRpc >= 0) {
        if (jsonRpcPriority < highestPriority) {
            highestPriority += highestPriority + 1 == jsConsolePriority ? 2 : 1;
            sources[jsonRpc][QStringLiteral("priority")] = highestPriority;
        }
    } else {
        ++highestPriority;
        ++highestId;
        jsonRpcPriority = highestPriority;
        sources.append(
            QVariantMap { { QStringLiteral("id"), highestId },
                          { QStringLiteral("name"), QStringLiteral("JsonRpc-tcp") },
                          { QStringLiteral("priority"), highestPriority },
                          { QStringLiteral("type"), QStringLiteral("JsonRPC") },
                          { QStringLiteral("url"), localEndpoint("tcp-listen://", 15557) } });
    }
    if (jsConsole >= 0) {
        if (jsConsolePriority < highestPriority)
            sources[jsConsole][QStringLiteral("priority")]
                = highestPriority + (highestPriority + 1 == jsonRpcPriority ? 2 : 1);
    } else {
        ++highestId;
        sources.append(
            QVariantMap { { QStringLiteral("id"), highestId },
                          { QStringLiteral("name"), QStringLiteral("tcp") },
                          { QStringLiteral("priority"), highestPriority + 1 },
                          { QStringLiteral("type"), QStringLiteral("JsConsole") },
                          { QStringLiteral("url"), localEndpoint("tcp-listen://", 15555) } });
    }
    if (!emergency)
        sources.append(QVariantMap { { QStringLiteral("id"), highestId + 1 },
                                     { QStringLiteral("name"), QStringLiteral("emergency") },
                                     { QStringLiteral("priority"), EmergencyPriority } });
}

void FamilyConversion::completeZuMolt(CnfController &controller)
{
    VObject sources = controller.nativeData()[QStringLiteral("controlSources")];
    int highestId = 0;
    bool emergency = false;
    bool scheduler = false;
    for (int i = 0; i < sources.size(); ++i) {
        const VObject entry = sources[i];
        emergency = emergency || entry[QStringLiteral("type")] == QLatin1String("emergency");
        scheduler = scheduler || entry[QStringLiteral("type")] == QLatin1String("scheduler");
        raise(highestId, entry, "id");
    }
    if (!emergency) {
        sources.append(QVariantMap { { QStringLiteral("id"), ++highestId },
                                     { QStringLiteral("type"), QStringLiteral("emergency") },
                                     { QStringLiteral("priority"), 255 } });
    }
    if (!scheduler) {
        sources.append(QVariantMap { { QStringLiteral("id"), highestId + 1 },
                                     { QStringLiteral("type"), QStringLiteral("scheduler") },
                                     { QStringLiteral("priority"), 0 } });
    }
}

void FamilyConversion::changeType(CnfController &controller, int fromType, int toType)
{
    const QString family = familyOfType(toType);
    QVariantMap tree;
    if (toType == 4 && fromType >= 1 && fromType <= 3)
        tree = tiverkIITree(controller, fromType);
    // The container and types without family take the configuration as it
    // is: its native data stays.
    if (fromType != 0 && !family.isEmpty())
        controller.clearNativeData();
    if (!family.isEmpty())
        controller.setProperty("type", family);
    for (auto it = tree.cbegin(); it != tree.cend(); ++it)
        controller.setNativeData(it.key(), it.value());
}

QVariantMap FamilyConversion::tiverkIITree(CnfController &controller, int fromType)
{
    QVariantMap tree;

    const QList<CnfPowerDevicePtr> devices = controller.powerDevices();
    for (int i = 0; i < devices.size(); ++i) {
        devices.at(i)->id = i + 1;
        devices.at(i)->name = QStringLiteral("K%1").arg(i + 1);
    }

    const QList<CnfProgramPtr> programs = controller.programs();
    for (const CnfProgramPtr &program : programs) {
        const bool kept
            = (program->type >= CnfProgram::YellowFlash && program->type <= CnfProgram::Coordinated)
            || (program->type == CnfProgram::Tiverk && program->kind >= 0 && program->kind <= 2);
        if (!kept)
            controller.removeProgram(program->id);
    }

    QVariantList sources = {
        QVariantMap { { QStringLiteral("id"), 1 },
                      { QStringLiteral("name"), QStringLiteral("emergency") },
                      { QStringLiteral("priority"), EmergencyPriority } },
        QVariantMap { { QStringLiteral("id"), 2 },
                      { QStringLiteral("name"), QStringLiteral("scheduler") },
                      { QStringLiteral("priority"), 0 } },
        QVariantMap { { QStringLiteral("id"), 3 },
                      { QStringLiteral("name"), QStringLiteral("its") },
                      { QStringLiteral("type"), QStringLiteral("TiverkIts") },
                      { QStringLiteral("url"), localEndpoint("tcp://", 12330) },
                      { QStringLiteral("priority"), 3 } },
    };
    bool remoteControl = false;
    for (const char *key : { "vpu_phases", "vpu_requests", "vpu_programs" }) {
        const QVariant value = controller.getNativeData(QLatin1String(key), QVariantList());
        remoteControl = remoteControl || !value.toList().isEmpty();
    }
    if (remoteControl) {
        sources << QVariantMap { { QStringLiteral("id"), 4 },
                                 { QStringLiteral("name"), QStringLiteral("vpu") },
                                 { QStringLiteral("priority"), 1 } };
        const QVariantMap vpu { { QStringLiteral("controlSource"), 4 } };
        const QVariantMap devicesMap { { QStringLiteral("VPU1"), vpu } };
        const QVariantMap systemBus { { QStringLiteral("devices"), devicesMap } };
        tree.insert(QStringLiteral("modules"),
                    QVariantMap { { QStringLiteral("SystemBus"), systemBus } });
    }
    tree.insert(QStringLiteral("controlSources"), sources);

    if (fromType == 2 || fromType == 3) {
        auto matrix = CnfMatrixPtr::create();
        if (const CnfMatrixPtr conflicts = controller.conflictMatrix()) {
            const auto cells = conflicts->content();
            for (const CnfMatrixCell &cell : cells)
                matrix->setReleaf(cell.aId, cell.bId, 5.0);
            matrix->setName(QStringLiteral("default_matrix"));
        }
        controller.addMatrix(matrix, true, true);

        QVariantMap defaults {
            { QStringLiteral("amber"), 3 },    { QStringLiteral("greenBlink"), 3 },
            { QStringLiteral("maxGreen"), 2 }, { QStringLiteral("maxRed"), 2 },
            { QStringLiteral("minGreen"), 2 }, { QStringLiteral("minRed"), 2 },
            { QStringLiteral("redAmber"), 2 }
        };
        const QVariant amberBlink = controller.getNativeData(QStringLiteral("startup_yf"));
        bool isNumber = false;
        const int blink = amberBlink.toInt(&isNumber);
        if (amberBlink.isValid() && isNumber)
            defaults.insert(QStringLiteral("amberBlink"), blink);
        tree.insert(QStringLiteral("sg_defaults"), defaults);
    }
    return tree;
}

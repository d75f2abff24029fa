#pragma once

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfpowerdevice.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "testdata.h"

#include <QList>
#include <QString>

// Documents for the main-window tests, written by the configuration library:
// a controller of a family with numbered signal groups, and universal
// containers (.xcnf) that add a road network to it.
namespace DocumentFixtures {

inline void initController(CnfController &controller, const QString &type, const QString &version,
                           int number, const QList<int> &groups)
{
    CnfNative::initController(controller, type, version);
    controller.setProperty("number", number);
    for (int id : groups) {
        auto group = CnfSignalGroupPtr::create();
        group->id = id;
        group->name = QStringLiteral("SG%1").arg(id);
        controller.addSignalGroup(group);
    }
}

// The coordinated program (kind 2) of a controller read from the 3.18 sample,
// its start delay (bytes 4 and 5 of the record, not set in the sample) set to
// `seconds`; null when there is none or the controller refuses the record.
inline CnfProgramPtr delayCoordinatedProgram(CnfController &controller, int seconds)
{
    CnfProgramPtr coordinated;
    for (const CnfProgramPtr &program : controller.programs()) {
        if (program->kind == 2)
            coordinated = program;
    }
    if (!coordinated || coordinated->data().mid(4, 2) != QByteArray(2, char(0xFF)))
        return CnfProgramPtr();
    QByteArray delayed = coordinated->data();
    delayed[4] = char(seconds & 0xFF);
    delayed[5] = char(seconds >> 8);
    return controller.setProgramRawData(coordinated, delayed) ? coordinated : CnfProgramPtr();
}

// A container of the controller and a "Network" element (empty: no network).
inline bool writeContainer(const QString &path, const CnfController &controller,
                           const QByteArray &network)
{
    QByteArray bytes = "<UniConf version=\"0.1\">\n" + controller.save(1) + "\n";
    if (!network.isEmpty())
        bytes += network + "\n";
    bytes += "</UniConf>\n";
    return TestSupport::writeFile(path, bytes);
}

// Nodes and granules of a network without geometry around them: enough for
// matching signal groups with the controller's.
inline QByteArray networkOf(const QByteArray &content)
{
    return "<Network version=\"1\" lon=\"30.3276\" lat=\"60.0034\">\n"
           "<Node id=\"1\" x=\"0\" y=\"0\"/>\n<Node id=\"2\" x=\"0\" y=\"100\"/>\n"
        + content + "</Network>";
}

// The four-arm junction of tests/data/network (number 12, groups 1 to 4 drawn)
// as the body of a container.
inline QByteArray fourArmNetwork()
{
    QByteArray bytes
        = TestSupport::readFile(TestSupport::dataPath(QStringLiteral("network/four_arm.hm58a")));
    const int start = bytes.indexOf("<Network");
    return start < 0 ? QByteArray() : bytes.mid(start).trimmed();
}

} // namespace DocumentFixtures

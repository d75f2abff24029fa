#pragma once

#include "tlcprogram.h"

#include <QList>

#include <vector>

// A crosswalk program: vehicles run until a pedestrian demand, after their
// minimum green the crosswalk turns green for the pedestrians, then back. Each
// crosswalk of the program runs on its own; no stages.
class TlcEngine::CrosswalkProgram : public TlcEngine::Program
{
public:
    using Program::Program;

    void build(const CnfProgram &program, Plan &plan) override;
    bool begin(qint64 t) override;
    void run(qint64 t) override;
    void input(bool sensor, int id, qint64 ms) override;

private:
    struct Crosswalk
    {
        enum State { Vehicles, ToPedestrians, Pedestrians, ToVehicles };
        std::vector<char> vehicleTarget; // per group: ToGreen, ToRed or Untouched
        std::vector<char> pedestrianTarget;
        QList<int> sensors;
        QList<int> detectors;
        qint64 minGreen = 0;
        qint64 pedestrianGreen = 0;
        State state = Vehicles;
        qint64 since = 0; // when the state's change completes / completed
        qint64 greenAt = 0; // when the pedestrians turn green
        bool demand = false;
    };

    std::vector<Crosswalk> m_crosswalks;
};

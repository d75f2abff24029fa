#pragma once

#include "tlcengine.h"

#include <memory>

// The running of one program type. The engine picks the class once, when a
// plan is set, and calls it at each point of its own work; the class holds its
// type's steps and state and drives the engine's stages and signal groups.
class TlcEngine::Program
{
public:
    explicit Program(TlcEngine &engine)
        : m_engine(engine)
    {
    }
    virtual ~Program() = default;
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // The class for a program type (CnfProgram::Type), null for a type that is not emulated.
    static std::unique_ptr<Program> create(TlcEngine &engine, int type);

    // Reads the program's own data; sets the cycle and the coordination of `plan`.
    virtual void build(const CnfProgram &program, Plan &plan) = 0;
    // Puts the plan in force at time t: at time 0 its first stage stands at
    // once, later a normal change leads into it. False when it has nothing to run.
    virtual bool begin(qint64 t) = 0;
    // One tick of the plan in force.
    virtual void run(qint64 t);
    // The last stage change has completed.
    virtual void settled();
    // A detector transit (sensor false) or a sensor call of `ms` milliseconds.
    virtual void input(bool sensor, int id, qint64 ms);

protected:
    TlcEngine &m_engine;
};

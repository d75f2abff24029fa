#pragma once

#include "zuenums.h"

#include <QStringList>

#include <array>

// The controller's error-recovery settings (file object recovery): a defect switch
// rate, a confidence interval in seconds and one recovery record per fault kind.
// Every value is zu::NotSet until given.
class ZURecoveryParameters
{
public:
    struct ErrorRecovery
    {
        int attempts = zu::NotSet;
        int interval = zu::NotSet; // seconds between attempts
        int filter = zu::NotSet;

        // In use when both attempts and interval are set; the filter does not count.
        bool inUse() const { return attempts != zu::NotSet && interval != zu::NotSet; }
    };

    // The fault kinds in the order of errors().
    enum Fault {
        RedError,
        GreenError,
        MnswProtect,
        MnswBad,
        NoLoadSwBreak,
        ParasitePowerSwShort,
        SwBreak,
        SwShort,
        NoLoad,
        ParasitePower,
        CurentLimit,
        ShortCurent,
        FaultCount
    };
    using Errors = std::array<ErrorRecovery, FaultCount>;

    // The file keys of the fault kinds inside "errors", in the order of errors().
    static QStringList errorKeys();

    int defectSwitchRate() const { return m_defectSwitchRate; }
    void setDefectSwitchRate(int value) { m_defectSwitchRate = value; }
    int confidenceInterval() const { return m_confidenceInterval; }
    void setConfidenceInterval(int value) { m_confidenceInterval = value; }

    Errors &errors() { return m_errors; }
    const Errors &errors() const { return m_errors; }
    ErrorRecovery &redError() { return m_errors[RedError]; }
    ErrorRecovery &greenError() { return m_errors[GreenError]; }
    ErrorRecovery &mnswProtect() { return m_errors[MnswProtect]; }
    ErrorRecovery &mnswBad() { return m_errors[MnswBad]; }
    ErrorRecovery &noLoadSwBreak() { return m_errors[NoLoadSwBreak]; }
    ErrorRecovery &parasitePowerSwShort() { return m_errors[ParasitePowerSwShort]; }
    ErrorRecovery &swBreak() { return m_errors[SwBreak]; }
    ErrorRecovery &swShort() { return m_errors[SwShort]; }
    ErrorRecovery &noLoad() { return m_errors[NoLoad]; }
    ErrorRecovery &parasitePower() { return m_errors[ParasitePower]; }
    ErrorRecovery &curentLimit() { return m_errors[CurentLimit]; }
    ErrorRecovery &shortCurent() { return m_errors[ShortCurent]; }

    // A rate or interval set, or any record in use.
    bool hasValues() const;
    // Any record in use.
    bool hasErrors() const;
    // Every value back to not set.
    void reset();

private:
    int m_defectSwitchRate = zu::NotSet;
    int m_confidenceInterval = zu::NotSet;
    Errors m_errors;
};

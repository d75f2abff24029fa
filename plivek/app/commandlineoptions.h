#pragma once

#include <QByteArrayList>
#include <QString>

// The command line of plivek, read once at start-up and held by main for the rest
// of the run. Arguments arrive as the raw 8-bit bytes of the argument vector: path
// values and the document path (the first argument) are decoded as Qt decodes file
// names (main makes that UTF-8 keeping every byte, FileNameCodec), so each names the
// file the bytes name. Unknown arguments and a value option that is the last argument
// are ignored; reading never fails.
struct CommandLineOptions
{
    // What the process runs; the first mode whose condition holds wins (see mode()).
    enum Mode {
        AlgorithmList, // --alg-list
        EditProgram, // --edit-prog <file>
        ProgramList, // --get-prog-list <file>
        BatchReport, // --batch-report with --config-dir <dir>
        CreateReport, // --create-report with --controller-config <file>
        Window // the main window
    };

    QString editProg; // --edit-prog: program exchange file
    QString controllerConfig; // --controller-config: controller configuration file
    int objectId = -1; // --object-id: controller object number
    int progId = 0; // --prog-id: program number
    QString progListFile; // --get-prog-list: program list to write
    bool createReport = false; // --create-report
    QString reportDir; // --report-dir
    bool batchReport = false; // --batch-report
    QString configDir; // --config-dir: folder of configuration files
    bool algList = false; // --alg-list

    // The first argument, whatever it is, as the document the window opens; empty
    // when there is none.
    QString document;

    // Reads the whole argument vector (the program name included).
    static CommandLineOptions parse(const QByteArrayList &arguments);

    Mode mode() const;
};

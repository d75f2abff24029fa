#pragma once

#include <QString>

class CnfController;

// The report of a controller configuration for an outside report generator: a
// folder holding "report.json" (programs of type 3 and above with their
// parameter tables, day cards, the week card) and a PNG and an SVG diagram of
// each reported program. Problems are logged, never shown.
namespace ReportWriter {

// Writes the report into the existing folder; the pictures first, "report.json"
// last. False when a file of the report was not written: "report.json" ("Open file
// error:" and the reason in the warning log) or a picture (logged by the program
// dialog). The adapter family has no pictures; their absence is no failure.
bool createReport(CnfController &controller, const QString &folder);

// --create-report: the report of one configuration into `reportFolder` (empty:
// the folder of the configuration). 1 when the configuration does not load or
// a file of the report cannot be written.
int createReportMode(const QString &configPath, const QString &reportFolder);

// --batch-report: for every *.cnf and *.json file of `configFolder` a report in
// a subfolder of `reportFolder` (empty: the configuration folder) named after
// the controller's "number", or after the file name without its suffixes. Files
// that fail are skipped and named in the warning log ("No complete report for");
// a configuration folder that is missing, or no folder, is named in the error
// log. Always 0.
int batchReportMode(const QString &configFolder, const QString &reportFolder);

// A text from a configuration made fit to be one file or folder name: "/", "\"
// and ".." become "_", so the name never leads out of its folder.
QString safeFileName(const QString &name);

} // namespace ReportWriter

#pragma once

class CnfController;
class QString;

// Fills an empty controller from the configuration file at `path`, as a storage
// service leaves it: the configuration itself, or the element "<Error>" holding
// the reason and closed by "</Error>". Every problem is reported through
// reportError (a critical log line when `quiet`, a message box otherwise), its
// text followed by the file's path; quiet, an empty path is reported too. A file
// larger than a byte array can hold is reported as too large.
//
// Not quiet, after a failure or with an empty path, the user chooses a document
// instead; it is taken only when its property "number" equals `objectId`. A
// ZU_MOLT document is read here, never handed to the zumoltc editor, because the
// caller needs the configuration itself.
//
// True when the controller holds a configuration.
bool loadControllerConfig(CnfController &controller, const QString &path, int objectId, bool quiet);

// The reason given for a file that is too large to load in the memory left:
// "Not enough memory to load %1" with the path.
QString notEnoughMemoryToLoad(const QString &path);

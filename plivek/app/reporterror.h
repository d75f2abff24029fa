#pragma once

class QString;

// The one way the command-line modes report an error. Not quiet: a critical
// message box without parent, with the title, the text and a single OK button.
// Quiet: one critical log line, the title followed by the text; nothing is shown.
void reportError(const QString &title, const QString &text, bool quiet);

// A reason followed by the file or folder it is about, "TEXT: PATH", so that a
// script's log says which of its files failed; the text alone when it already
// names the path.
QString namingPath(const QString &text, const QString &path);

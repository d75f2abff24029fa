#pragma once

class QDialog;

// Runs the dialog modally where and as large as a dialog of its class was last
// time, with its splitters where they were, and stores both again whatever the
// result ("WindowsGeometry/" + class name in plivek's settings). Returns the
// result of exec(). The dialog stays the caller's.
int execWithSavedGeometry(QDialog *dialog);

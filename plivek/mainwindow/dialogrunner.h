#pragma once

#include <QVariantMap>

class CnfController;
class QDialog;
class UiDataExchange;

// Runs the dialog modally where and as large as a dialog of its class was last
// time, with its splitters where they were, and stores both again whatever the
// result ("WindowsGeometry/" + class name in plivek's settings). The first
// time, with nothing stored, it opens large enough for its content
// (growToContent). Returns the result of exec(). The dialog stays the caller's.
int execWithSavedGeometry(QDialog *dialog);

// Runs a dialog whose widgets are named after top-level keys of the
// controller's native data: each key's value goes into its widget first (an
// absent key as not set); only when the dialog is accepted the widgets' values
// go back under their keys (not set removing the key). Runs with saved
// geometry; true when accepted. keys ends with a null pointer.
bool execWithNativeKeys(UiDataExchange *dialog, CnfController &controller, const char *const *keys);
// The two halves of it: each key's value into its widget (giving back what the
// widgets show then), each widget's value back under its key.
QVariantMap loadNativeKeys(UiDataExchange *dialog, const CnfController &controller,
                           const char *const *keys);
void storeNativeKeys(const UiDataExchange *dialog, CnfController &controller,
                     const char *const *keys);
// As storeNativeKeys, but a widget that still shows what it showed after
// loading (an absent key's default, a stored value brought into range) writes
// nothing, so that OK without a change keeps the file.
void storeChangedNativeKeys(const UiDataExchange *dialog, CnfController &controller,
                            const char *const *keys, const QVariantMap &shown);

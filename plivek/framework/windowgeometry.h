#pragma once

#include <QString>

class QWidget;

// The place and size of a window kept between runs in plivek's per-user
// settings, one value per key. Dialogs run modally by the main window keep
// their splitters in the same value and go through execWithSavedGeometry
// instead.
namespace WindowGeometry {

// Puts the window where and as large as it was when stored under key; false,
// and the window left as it is, when nothing is stored there.
bool restore(QWidget *window, const QString &key);
// Stores the window's place and size under key.
void store(const QWidget *window, const QString &key);

} // namespace WindowGeometry

#pragma once

#include <QString>

// The folder in which chart pictures were last saved, shared by every chart's "save"
// action: the setting "chart_save_dir" holds its path as UTF-8 bytes (a plain text, as
// older settings hold it, is read too).
namespace ChartSaveFolder {

// The stored folder when it still exists, otherwise the current folder.
QString folder();
// Stores the folder of the chosen file when it is not the folder the file dialog showed.
void remember(const QString &chosenFile, const QString &shownFolder);

} // namespace ChartSaveFolder

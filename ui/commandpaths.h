#pragma once

#include <QString>

// The path with ".suffix" appended when its file name has no suffix of its own, as a save
// dialog's default extension works.
QString withDefaultSuffix(const QString& path, const QString& suffix);

// Creates a new, empty file with a unique name ending ".xlsx" in the temporary folder, for a
// workbook that outlives the program; false with the reason in error when it cannot be made.
bool createTemporaryWorkbook(QString& path, QString& error);

#pragma once

#include <QString>

// Whether the desktop names an application for the type of the file at path. The desktop's own
// opener reports success even when nothing opens a type, so this asks its MIME database first
// (xdg-mime). True when the desktop cannot be asked: opening then tells.
bool desktopHasApplicationFor(const QString& path);

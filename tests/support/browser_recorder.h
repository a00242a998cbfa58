#pragma once
// A recording stand-in for the system browser: an xdg-open first in PATH
// that writes each address it is given to a log.

#include <QString>
#include <QStringList>

// Puts the stand-in into `folder` and first in PATH.
void InstallBrowserRecorder(const QString& folder);
// The addresses opened so far, oldest first.
QStringList OpenedAddresses();
void ClearOpenedAddresses();

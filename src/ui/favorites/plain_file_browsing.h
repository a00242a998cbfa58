#pragma once
// Browsing in Qt's own file dialog without opening a single file: icons and
// type names come from names alone. Sniffing contents, the dialog would hang
// on a kernel file such as /proc/kmsg and take the whole program with it.
// FIFOs, sockets and devices stay unlisted, as the dialog has them by default.

class QFileDialog;

void BrowseWithoutReading(QFileDialog* dialog);

#pragma once
#include <QIcon>

// The program's icon, drawn once: the tray, the windows and the about box use it.
QIcon AppIcon();

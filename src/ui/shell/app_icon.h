#pragma once
#include <QIcon>

// The program's icon at every size: the tray, the windows and the about box use it.
QIcon AppIcon();

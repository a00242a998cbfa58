#include "shell/TForm3.h"

TForm3::TForm3(QWidget* parent) : SkinnedWindow(QStringLiteral("关于Tavinor"), parent) {
    setObjectName("TForm3");
}

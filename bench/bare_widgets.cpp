// The second floor for bench/startup.sh and bench/memory.sh: a plain Qt
// Widgets window of the bare WebEngine window's size, with no web engine.
#include <QApplication>
#include <QWidget>

#include "platform/platform.h"

int main(int argc, char** argv) {
    platform::PrepareProcess();
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare Widgets");
    window.resize(942, 580);
    window.show();
    return app.exec();
}

// The second floor for bench/startup.sh and bench/memory.sh: a plain Qt
// Widgets window of the bare WebEngine window's size, linked to Qt Widgets only.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare Widgets");
    window.resize(942, 580);
    window.show();
    return app.exec();
}

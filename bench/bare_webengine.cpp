// The floor the program's start-up and memory are measured against: one
// QWebEngineView on about:blank (or the address given), with the process
// settings the engine needs and nothing of the program.
#include <QApplication>
#include <QWebEngineView>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QWebEngineView view;
    view.setWindowTitle("Bare WebEngine");
    view.resize(942, 580);
    view.load(QUrl(argc > 1 ? argv[1] : "about:blank"));
    view.show();
    return app.exec();
}

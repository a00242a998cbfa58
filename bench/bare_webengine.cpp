// The floor the program's start-up and memory are measured against: one
// QWebEngineView on about:blank, started with the same process settings.
#include <QApplication>
#include <QWebEngineView>

#include "platform/platform.h"

int main(int argc, char** argv) {
    platform::PrepareProcess();
    QApplication app(argc, argv);
    QWebEngineView view;
    view.setWindowTitle("Bare WebEngine");
    view.resize(942, 580);
    view.load(QUrl("about:blank"));
    view.show();
    return app.exec();
}

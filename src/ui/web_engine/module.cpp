// The module's entry point: the views of the panes, made on the engine's one
// profile, and the widget that gives the main window its drawing surface.
#include <QCoreApplication>
#include <QQuickWidget>
#include <QWebEngineProfile>

#include "ui/web_engine/engine_view.h"

namespace {

class Module : public WebEngineModule {
public:
    EngineView* CreateView(QWidget* pane, EngineViewEvents* events,
                           bool playbackWithoutGesture) override {
        return new PaneEngineView(Profile(), pane, events, playbackWithoutGesture);
    }
    // The views draw through a quick widget; an empty one asks for the same surface.
    QWidget* CreateSurfaceHolder(QWidget* window) override {
        auto* holder = new QQuickWidget(window);
        holder->hide();
        return holder;
    }

private:
    // Shared by all panes: nothing is kept on disk between runs.
    static QWebEngineProfile* Profile() {
        static QWebEngineProfile* profile = new QWebEngineProfile(QCoreApplication::instance());
        return profile;
    }
};

} // namespace

extern "C" Q_DECL_EXPORT WebEngineModule* tavinor_web_engine_module() {
    static Module module;
    return &module;
}

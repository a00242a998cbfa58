// The module's entry point: the views of the panes, made on the engine's one
// profile.
#include <QCoreApplication>
#include <QWebEngineProfile>

#include "ui/web_engine/engine_view.h"

namespace {

class Module : public WebEngineModule {
public:
    EngineView* CreateView(QWidget* pane, EngineViewEvents* events,
                           bool playbackWithoutGesture) override {
        return new PaneEngineView(Profile(), pane, events, playbackWithoutGesture);
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

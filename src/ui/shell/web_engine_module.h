#pragma once
// The web engine lives in a module of its own, loaded the first time the main
// window is shown, so that a run that stays in the tray never maps the
// engine's libraries. Only these interfaces cross between the program and the
// module: neither side links the other's symbols.

#include <QString>
#include <QUrl>
#include <functional>

class QVariant;
class QWebEnginePage;
class QWidget;

enum class LoadEnd { Succeeded, Failed, Stopped };

// What a pane's view tells its pane.
class EngineViewEvents {
public:
    virtual void LoadStarted(const QString& url) = 0;
    // errorCode is the failed load's.
    virtual void LoadEnded(const QString& url, LoadEnd end, int errorCode) = 0;
    virtual void LinkHovered(const QString& url) = 0;
    // False refuses the navigation of the main frame to url.
    virtual bool AcceptNavigation(const QString& url) = 0;
    // The page that takes a new window, or none to refuse it.
    virtual QWebEnginePage* NewWindowPage() = 0;

protected:
    ~EngineViewEvents() = default;
};

// One pane's engine view, a child widget of the pane.
class EngineView {
public:
    virtual ~EngineView() = default;
    virtual QWidget* Widget() = 0;
    virtual QWebEnginePage* Page() = 0;
    // revalidate: asks the site again for a page it let the cache keep, as a reload does.
    virtual void Load(const QUrl& url, bool revalidate) = 0;
    virtual void Stop() = 0;
    virtual QUrl Url() const = 0;
    virtual QString Title() const = 0;
    // Runs a script in the program's own world; done (if any) gets its value.
    virtual void RunScript(const QString& script, std::function<void(const QVariant&)> done) = 0;
};

class WebEngineModule {
public:
    virtual EngineView* CreateView(QWidget* pane, EngineViewEvents* events,
                                   bool playbackWithoutGesture) = 0;
    // A hidden child that makes window's native window with the surface the
    // views draw through; added before that window exists, it spares the
    // window being replaced when the first view joins it.
    virtual QWidget* CreateSurfaceHolder(QWidget* window) = 0;

protected:
    ~WebEngineModule() = default;
};

// The module's one entry point.
extern "C" {
using WebEngineModuleEntry = WebEngineModule* (*)();
}
inline constexpr char kWebEngineModuleEntry[] = "tavinor_web_engine_module";

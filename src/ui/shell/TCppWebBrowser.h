#pragma once
// An embedded browser pane: navigation, stop, busy, and the events the
// windows handle (status text, new window, before navigate, navigation
// error, document complete), plus scripting access to the loaded document.
// The web engine behind it is made on first need: until then the pane is
// plain white and a navigation waits for the engine. Where the engine's
// module cannot be loaded, the pane says so in its place.

#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>

#include "ui/shell/web_engine_module.h"

class QLabel;
class QWebEnginePage;

class TCppWebBrowser : public QWidget, private EngineViewEvents {
    Q_OBJECT
public:
    explicit TCppWebBrowser(QWidget* parent = nullptr);
    ~TCppWebBrowser() override;

    // An http address, an absolute local file path or "about:blank". Before
    // the engine is started the pane keeps the last one and loads it then.
    // revalidate: the site is asked again even for a page its cache may keep.
    void Navigate(const QString& address, bool revalidate = false);
    void Stop();
    bool Busy() const { return busy_; }
    // Gives back the memory of a page nobody can see: the pane is plain
    // white again, without a view, and loads the same address once shown.
    void Discard();
    // A page may play sound without a click in it (set before first use).
    void AllowPlaybackWithoutGesture() { playbackWithoutGesture_ = true; }

    // Asynchronous reads and writes of the loaded document.
    void ReadDocumentProperty(const QString& name, std::function<void(const QString&)> done);
    // element: "documentElement" or "body".
    void SetElementStyle(const QString& element, const QString& property, const QString& value);

    // The engine's page of this pane; asking for it starts the engine. None
    // where the engine's module cannot be loaded.
    QWebEnginePage* page();
    // Empty while the pane has no engine.
    QUrl url() const;
    QString title() const;
    bool HasEngine() const { return view_ != nullptr; }

    // Lets the engine start: every pane with a waiting navigation gets its
    // engine and loads. Nothing before this call starts a web engine process.
    static void StartEngine();
    static bool EngineStarted();

signals:
    void StatusTextChange(const QString& text);
    // A handler that sets *target hands the new window to that pane.
    void NewWindow2(TCppWebBrowser** target, bool* cancel);
    void BeforeNavigate2(const QString& url, bool* cancel);
    void NavigateError(const QString& url, int statusCode);
    void DocumentComplete(const QString& url);

protected:
    void showEvent(QShowEvent* event) override;

private:
    EngineView* View();
    void Load(const QUrl& url, bool revalidate);
    void RunScript(const QString& script, std::function<void(const QVariant&)> done = {});
    void LoadStarted(const QString& url) override;
    void LoadEnded(const QString& url, LoadEnd end, int errorCode) override;
    void LinkHovered(const QString& url) override;
    bool AcceptNavigation(const QString& url) override;
    QWebEnginePage* NewWindowPage() override;
    std::unique_ptr<EngineView> view_;
    QLabel* missingEngine_ = nullptr;
    QUrl waiting_;
    bool waitingRevalidates_ = false;
    // Where a discarded pane was.
    QUrl discarded_;
    bool busy_ = false;
    bool playbackWithoutGesture_ = false;
    // Gone once the pane starts going away: its page answers the reads still
    // waiting while it is destroyed, and nothing may touch the pane then.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

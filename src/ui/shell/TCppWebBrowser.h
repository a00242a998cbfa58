#pragma once
// An embedded browser pane: navigation, stop, busy, and the events the
// windows handle (status text, new window, before navigate, navigation
// error, document complete), plus scripting access to the loaded document.
// The web engine behind it is made on first need: until then the pane is
// plain white and a navigation waits for the engine.

#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>

class QWebEngineLoadingInfo;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

class TCppWebBrowser : public QWidget {
    Q_OBJECT
public:
    explicit TCppWebBrowser(QWidget* parent = nullptr);
    ~TCppWebBrowser() override;

    // An http address, an absolute local file path or "about:blank". Before
    // the engine is started the pane keeps the last one and loads it then.
    void Navigate(const QString& address);
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

    // The engine's page of this pane; asking for it starts the engine.
    QWebEnginePage* page();
    // Empty while the pane has no engine.
    QUrl url() const;
    QString title() const;
    bool HasEngine() const { return view_ != nullptr; }

    // Lets the engine start: every pane with a waiting navigation gets its
    // engine and loads. Nothing before this call starts a web engine process.
    static void StartEngine();
    static bool EngineStarted();
    // The profile all panes share: nothing is kept on disk between runs.
    static QWebEngineProfile* SharedProfile();

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
    QWebEngineView* View();
    void Load(const QUrl& url);
    void OnLoadingChanged(const QWebEngineLoadingInfo& info);
    QWebEngineView* view_ = nullptr;
    QUrl waiting_;
    // Where a discarded pane was.
    QUrl discarded_;
    bool busy_ = false;
    bool playbackWithoutGesture_ = false;
    // Gone once the pane starts going away: its page answers the reads still
    // waiting while it is destroyed, and nothing may touch the pane then.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

#pragma once
// An embedded browser pane: navigation, stop, busy, and the events the
// windows handle (status text, new window, before navigate, navigation
// error, document complete), plus scripting access to the loaded document.

#include <QWebEngineView>
#include <functional>

class QWebEngineLoadingInfo;
class QWebEngineProfile;

class TCppWebBrowser : public QWebEngineView {
    Q_OBJECT
public:
    explicit TCppWebBrowser(QWidget* parent = nullptr);

    // An http address, an absolute local file path or "about:blank".
    void Navigate(const QString& address);
    void Stop();
    bool Busy() const { return busy_; }
    // Gives back the memory of a page nobody can see; it loads again once
    // it is shown or navigated.
    void Discard();

    // Asynchronous reads and writes of the loaded document.
    void ReadDocumentProperty(const QString& name, std::function<void(const QString&)> done);
    // element: "documentElement" or "body".
    void SetElementStyle(const QString& element, const QString& property, const QString& value);

    // The profile all panes share: nothing is kept on disk between runs.
    static QWebEngineProfile* SharedProfile();

signals:
    void StatusTextChange(const QString& text);
    // A handler that sets *target hands the new window to that pane.
    void NewWindow2(TCppWebBrowser** target, bool* cancel);
    void BeforeNavigate2(const QString& url, bool* cancel);
    void NavigateError(const QString& url, int statusCode);
    void DocumentComplete(const QString& url);

private:
    void OnLoadingChanged(const QWebEngineLoadingInfo& info);
    bool busy_ = false;
};

#pragma once
// The page behind a browser pane: it turns the engine's navigation and
// new-window requests into the pane's events.

#include <QWebEnginePage>

class EngineViewEvents;

class TavinorWebPage : public QWebEnginePage {
    Q_OBJECT
public:
    TavinorWebPage(QWebEngineProfile* profile, EngineViewEvents* events, QObject* parent);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    EngineViewEvents* events_;
};

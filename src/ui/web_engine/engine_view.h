#pragma once
// A pane's view in the web engine module: a QWebEngineView with the pane's
// page, reporting to the pane.

#include "ui/shell/web_engine_module.h"

class QWebEngineProfile;
class QWebEngineView;

class PaneEngineView : public EngineView {
public:
    PaneEngineView(QWebEngineProfile* profile, QWidget* pane, EngineViewEvents* events,
                   bool playbackWithoutGesture);
    // The view goes before its page, and with them all the engine keeps for
    // them, down to the drawing surfaces.
    ~PaneEngineView() override;
    QWidget* Widget() override;
    QWebEnginePage* Page() override;
    void Load(const QUrl& url, bool revalidate) override;
    void Stop() override;
    QUrl Url() const override;
    QString Title() const override;
    void RunScript(const QString& script, std::function<void(const QVariant&)> done) override;

private:
    QWebEngineView* view_;
};

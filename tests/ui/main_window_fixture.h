#pragma once
// A main window started against the loopback test server, with the data file
// and the personal start page removed before each test.

#include <QString>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <utility>

#include "support/http_fixture.h"
#include "ui/shell/TForm1.h"

class QWidget;
class QMenu;
class TCppWebBrowser;

QString DataFile();
// The path of mine.htm; its folder exists.
QString MinePage();
// True once the pane has begun loading `address` (waits up to 10 s).
bool ShowsAddress(TCppWebBrowser* pane, const QString& address);
// The tray icon's own window, once it is embedded in a tray host.
QWidget* TrayIconWindow();
// The captions of a menu's visible entries, in order.
QStringList VisibleCaptions(const QMenu* menu);
// Clicks the element a CSS selector finds in the loaded page with a real mouse click, as a person
// would: pages only get new windows from a user's gesture.
void ClickElement(TCppWebBrowser& pane, const QString& selector);

class MainWindowFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // A default data file with some header bytes changed.
    void PrepareDataFile(std::initializer_list<std::pair<int, char>> patches);
    // Creates the window, runs FormCreate and shows it unless it went to the
    // tray; `beforeCreate` may set the window up between the two.
    void Start(const std::function<void(TForm1&)>& beforeCreate = {});
    QString StartPage() const { return server->Url("/"); }

    static HttpServer* server;
    std::unique_ptr<TForm1> form;
};

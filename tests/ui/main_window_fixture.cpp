#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QStandardPaths>
#include <QTest>
#include <QWebEnginePage>

#include "support/browser_recorder.h"
#include "support/dialogs.h"
#include "support/temp_dir.h"
#include "support/waits.h"
#include "ui/main_window_fixture.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/app_start.h"

HttpServer* MainWindowFixture::server = nullptr;

QString DataFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           "/tavinor/tvr.dat";
}

QString MinePage() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(folder);
    return folder + "/mine.htm";
}

bool ShowsAddress(TCppWebBrowser* pane, const QString& address) {
    return WaitFor([&] { return pane->url().toString() == address; }, 10000);
}

QWidget* TrayIconWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("QSystemTrayIconSys"))
            return widget;
    return nullptr;
}

void ClickElement(TCppWebBrowser& pane, const QString& selector) {
    const QVariantList xy =
        Evaluate(pane.page(),
                 QString("(function(){var r=document.querySelector('%1').getBoundingClientRect();"
                         "return [r.left+r.width/2, r.top+r.height/2];})()")
                     .arg(selector))
            .toList();
    ASSERT_EQ(xy.size(), 2) << selector.toStdString();
    // The surface that takes the clicks lies at the end of the focus proxies.
    QWidget* surface = &pane;
    while (surface->focusProxy() != nullptr)
        surface = surface->focusProxy();
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(xy[0].toInt(), xy[1].toInt()));
}

void MainWindowFixture::SetUpTestSuite() {
    server = new HttpServer(TAVINOR_TEST_WEB);
}

void MainWindowFixture::TearDownTestSuite() {
    delete server;
    server = nullptr;
}

void MainWindowFixture::SetUp() {
    ASSERT_TRUE(server->Started());
    qputenv("TAVINOR_SITE", server->Url("").toUtf8());
    QFile::remove(DataFile());
    QFile::remove(DataFile() + "_bak");
    QFile::remove(MinePage());
    ClearOpenedAddresses();
    ResetAnsweredDialogs();
}

void MainWindowFixture::TearDown() {
    StopAnsweringFileDialogs();
    if (form)
        form->close();
    form.reset();
    Form1 = nullptr;
}

void MainWindowFixture::PrepareDataFile(std::initializer_list<std::pair<int, char>> patches) {
    Start();
    form->close();
    form.reset();
    std::string bytes = ReadBytes(DataFile().toStdString());
    for (auto [offset, value] : patches)
        bytes[offset] = value;
    WriteBytes(DataFile().toStdString(), bytes);
}

void MainWindowFixture::Start(const std::function<void(TForm1&)>& beforeCreate) {
    form = std::make_unique<TForm1>();
    // The other windows reach the main window as the program's does.
    Form1 = form.get();
    if (beforeCreate)
        beforeCreate(*form);
    form->FormCreate();
    if (!form->HiddenInTray()) {
        form->show();
        ASSERT_TRUE(WaitExposed(form.get()));
    }
}

QStringList VisibleCaptions(const QMenu* menu) {
    QStringList captions;
    for (const QAction* action : menu->actions())
        if (action->isVisible())
            captions << action->text();
    return captions;
}

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <exception>
#include <functional>
#include <utility>
#include <vector>

#include "core/shell/command_line.h"
#include "platform/platform.h"
#include "ui/lock/Tlock_form.h"
#include "ui/lock/Tpwd_form.h"
#include "ui/music/Tsetting_form.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/TForm3.h"
#include "ui/shell/app_start.h"
#include "ui/shell/web_engine_loader.h"

TForm1* Form1 = nullptr;
TForm3* Form3 = nullptr;
Tlock_form* lock_form = nullptr;
Tpwd_form* pwd_form = nullptr;
Tsetting_form* setting_form = nullptr;

namespace {

void ShowException(const char* what) {
    QMessageBox::critical(nullptr, QApplication::applicationName(), QString::fromUtf8(what));
}

// An exception that escapes a handler is shown and the loop goes on.
class TavinorApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            ShowException(error.what());
        } catch (...) {
            ShowException("");
        }
        return false;
    }
};

// The windows the main window's first frame does not show are made right
// after that frame; what needs them meanwhile waits.
bool othersPending = false;
std::vector<std::function<void()>> waitingForOthers;

void MakeOtherWindows() {
    if (!othersPending)
        return;
    Form3 = new TForm3;
    lock_form = new Tlock_form;
    pwd_form = new Tpwd_form;
    setting_form = new Tsetting_form;
    othersPending = false;
    Form1->ApplySkin();
    for (const std::function<void()>& then : std::exchange(waitingForOthers, {}))
        then();
}

// A window's expose has been handled once its first frame is drawn.
class FirstFrameWatcher : public QObject {
public:
    FirstFrameWatcher(QWindow* window, std::function<void()> then)
        : QObject(window), then_(std::move(then)) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Expose && then_) {
            QTimer::singleShot(0, std::exchange(then_, {}));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> then_;
};

// Told apart from other watchers of the same window by its name: without a
// meta-object of its own, a cast to it would take any watcher for it.
constexpr const char* kEngineStarter = "EngineStarter";

// A window that starts minimised or hidden in the tray draws no first frame.
constexpr int kOtherWindowsAtLatestMs = 500;

} // namespace

void AfterFirstFrame(QWindow* window, std::function<void()> then) {
    new FirstFrameWatcher(window, std::move(then));
}

void StartEngineAfterFirstFrame(QWindow* window) {
    if (TCppWebBrowser::EngineStarted() ||
        window->findChild<QObject*>(kEngineStarter, Qt::FindDirectChildrenOnly))
        return;
    auto* starter =
        new FirstFrameWatcher(window, [] { AfterOtherWindows(TCppWebBrowser::StartEngine); });
    starter->setObjectName(kEngineStarter);
}

void AfterOtherWindows(std::function<void()> then) {
    if (othersPending)
        waitingForOthers.push_back(std::move(then));
    else
        then();
}

// Nothing brings the main window above an engaged lock; a lock request
// while locked is the lock's to refuse.
void RunStartAction(StartAction action) {
    if (Form1 == nullptr)
        return;
    const bool locked = lock_form && lock_form->Engaged();
    switch (action) {
    case StartAction::Restore:
        if (!locked)
            Form1->Restore();
        break;
    case StartAction::Favorites:
        if (!locked)
            Form1->N7Click();
        break;
    case StartAction::Lock:
        Form1->lock_btnClick();
        break;
    }
}

// Run from the event loop, since the request may open a modal dialog.
bool TakeStartRequest(StartAction action) {
    if (Form1 == nullptr || (action != StartAction::Lock && lock_form && lock_form->Engaged()))
        return false;
    QTimer::singleShot(0, Form1, [action] { RunStartAction(action); });
    return true;
}

namespace {

// A second start's one line when its request came to nothing.
const char* UnansweredLine(platform::InstanceAnswer answer) {
    switch (answer) {
    case platform::InstanceAnswer::Taken:
        return nullptr;
    case platform::InstanceAnswer::Refused:
        return "tavinor: the running program refused the request while its screen is locked\n";
    case platform::InstanceAnswer::NoAnswer:
        return "tavinor: the running program did not acknowledge the request\n";
    case platform::InstanceAnswer::Unreachable:
        break;
    }
    return "tavinor: the running program could not be reached\n";
}

} // namespace

int RunApplication(int argc, char** argv) {
    const CommandLine commandLine = ParseCommandLine({argv + 1, argv + argc});
    if (!commandLine.valid) {
        std::fputs(kUsageLine, stderr);
        return 2;
    }
    platform::PrepareProcess();
    const platform::InstanceLock lock = platform::AcquireInstanceLock();
    // A second start hands its request to the running one and ends, before any window exists.
    if (lock == platform::InstanceLock::AlreadyRunning) {
        if (const char* line = UnansweredLine(platform::AskRunningInstance(commandLine.action))) {
            std::fputs(line, stderr);
            return 1;
        }
        return 0;
    }
    platform::ReadFontConfigurationAhead();
    ChooseWebEngineDrawing();
    TavinorApplication app(argc, argv);
    app.setApplicationName("Tavinor");
    app.setQuitOnLastWindowClosed(false);
    if (lock == platform::InstanceLock::Failed) {
        QMessageBox box(QMessageBox::NoIcon, "NoPrev", "创建Mutex失败!", QMessageBox::Ok);
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
        box.exec();
        return 0;
    }
    // Listening before the windows exist keeps an early second start waiting, not lost.
    platform::OnInstanceRequest(TakeStartRequest);
    try {
        othersPending = true;
        Form1 = new TForm1;
        Form1->FormCreate();
        platform::OnTerminationRequest([] {
            if (lock_form)
                lock_form->ReleaseForExit();
            Form1->close();
        });
        if (!Form1->HiddenInTray()) {
            Form1->show();
            AfterFirstFrame(Form1->windowHandle(), MakeOtherWindows);
        }
        QTimer::singleShot(Form1->isVisible() && !Form1->isMinimized() ? kOtherWindowsAtLatestMs
                                                                       : 0,
                           MakeOtherWindows);
        // A first start asked to act does so once every window exists.
        if (commandLine.action != StartAction::Restore)
            AfterOtherWindows([action = commandLine.action] { RunStartAction(action); });
        app.exec();
    } catch (const std::exception& error) {
        ShowException(error.what());
    } catch (...) {
        ShowException("");
    }
    delete setting_form;
    delete pwd_form;
    delete lock_form;
    delete Form3;
    delete Form1;
    return 0;
}

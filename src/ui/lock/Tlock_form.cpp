#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "core/lock/lock_keys.h"
#include "core/lock/lock_password.h"
#include "core/lock/lock_request.h"
#include "core/lock/lock_texts.h"
#include "platform/platform.h"
#include "ui/lock/Tlock_form.h"
#include "ui/lock/Tpwd_form.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/app_start.h"
#include "ui/skin/suiImageButton.h"
#include "ui/text/caption_name.h"
#include "ui/text/gbk_codec.h"

namespace {

constexpr int kQuickRetries = 10; // about a second at kQuickRetryMs
constexpr int kQuickRetryMs = 100;
constexpr int kRetryMs = 1000;

QLabel* WhiteLabel(const QString& text, QWidget* parent, const char* name, QPoint place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setStyleSheet("color: white;");
    label->move(place);
    label->adjustSize();
    return label;
}

QPixmap UnlockPicture() {
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(70, 160, 240));
    painter.drawEllipse(1, 1, 20, 20);
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF({{8, 5}, {17, 11}, {8, 17}}));
    return pixmap;
}

// The Windows virtual-key code of the keys the swallow rules name; 0 for
// every other key.
int VirtualKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Super_L:
    case Qt::Key_Meta:
        return kVkLeftWin;
    case Qt::Key_Super_R:
        return kVkRightWin;
    case Qt::Key_Escape:
        return kVkEscape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return kVkTab;
    case Qt::Key_F4:
        return kVkF4;
    case Qt::Key_Space:
        return kVkSpace;
    default:
        return 0;
    }
}

} // namespace

Tlock_form::Tlock_form(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::X11BypassWindowManagerHint),
      primaryArea_(new QWidget(this)), holdTimer_(new QTimer(this)) {
    setObjectName("Tlock_form");
    setWindowTitle("lock_form");
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    // Only a compositor draws it see-through; without one it is plain black.
    setWindowOpacity(240.0 / 255.0);

    QWidget* area = primaryArea_;
    Label1 = WhiteLabel(kLockPromptText, area, "Label1", {655, 698});
    pwd = new QLineEdit(area);
    pwd->setObjectName("pwd");
    pwd->setGeometry(720, 694, 177, 19);
    pwd->setEchoMode(QLineEdit::Password);
    pwd->setStyleSheet("lineedit-password-character: 35;");
    // A context menu would take the grab for itself and hand it back to nobody.
    pwd->setContextMenuPolicy(Qt::NoContextMenu);
    NameAfterCaption(pwd, Label1);
    suiImageButton1 = new suiImageButton(area);
    suiImageButton1->setObjectName("suiImageButton1");
    suiImageButton1->setGeometry(904, 693, 26, 26);
    suiImageButton1->setPixmap(UnlockPicture());
    suiImageButton1->setToolTip(kLockUnlockHint);
    suiImageButton1->setCursor(Qt::PointingHandCursor);
    suiImageButton1->setFocusPolicy(Qt::NoFocus);
    connect(suiImageButton1, &QAbstractButton::clicked, this, &Tlock_form::suiImageButton1Click);
    // A link to the eye, a button to the keyboard and to screen readers: Tab
    // reaches it from the entry, and Space or Enter opens the change of password.
    Label2 = new QPushButton(kLockChangeLinkText, area);
    Label2->setObjectName("Label2");
    Label2->setFlat(true);
    Label2->setStyleSheet("QPushButton { color: white; text-decoration: underline; padding: 0;"
                          " border: 1px solid transparent; background: transparent; }"
                          " QPushButton:focus { border: 1px dotted white; }");
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->setFocusPolicy(Qt::TabFocus);
    Label2->setAutoDefault(true);
    Label2->move(932, 696);
    Label2->adjustSize();
    connect(Label2, &QPushButton::clicked, this, &Tlock_form::Label2Click);
    pwd_error = new QLabel(kLockWrongPasswordText, area);
    pwd_error->setObjectName("pwd_error");
    pwd_error->setStyleSheet("color: red;");
    pwd_error->move(721, 720);
    pwd_error->hide();
    grab_error = new QLabel("键盘和鼠标未能锁定，其他程序仍可使用它们。正在重试……", area);
    grab_error->setObjectName("grab_error");
    grab_error->setStyleSheet("color: red; font-size: 16px; font-weight: bold;");
    grab_error->adjustSize();
    grab_error->move(655, 650);
    grab_error->hide();

    connect(holdTimer_, &QTimer::timeout, this, &Tlock_form::HoldInput);
    // The window manager hands the focus on when one of its windows closes,
    // and a hot key may bring the main window up beneath the lock: while
    // engaged, the keyboard goes back to the lock's topmost window.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focus) {
        if (engaged_ && isVisible() && (focus == nullptr || focus != TopWindow()->windowHandle()))
            QTimer::singleShot(50, this, &Tlock_form::RefocusTop);
    });
    auto follow = [this](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, this, &Tlock_form::CoverScreens);
        connect(screen, &QScreen::virtualGeometryChanged, this, &Tlock_form::CoverScreens);
    };
    for (QScreen* screen : QGuiApplication::screens())
        follow(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, [this, follow](QScreen* screen) {
        follow(screen);
        CoverScreens();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, &Tlock_form::CoverScreens,
            Qt::QueuedConnection);
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, &Tlock_form::CoverScreens);
    CoverScreens();
}

Tlock_form::~Tlock_form() {
    if (engaged_)
        ReleaseLock();
}

void Tlock_form::CoverScreens() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr)
        return;
    const platform::DesktopRect area = platform::DesktopArea();
    const QRect desktop(area.x, area.y, area.width, area.height);
    setGeometry(desktop);
    primaryArea_->setGeometry(primary->geometry().translated(-desktop.topLeft()));
}

void Tlock_form::ReleaseForExit() {
    allowClose = true;
    if (engaged_)
        ReleaseLock();
    close();
}

unsigned Tlock_form::ReadTaskMgrPolicy() const {
    return platform::ReadUserPolicy(kTaskMgrPolicyKey, kTaskMgrPolicyName);
}

// The three holds of the lock, taken and given back in the same order, and
// the guard that keeps the screen locked should the program die meanwhile.
// Without the guard the lock works as before; a crash then ends it.
void Tlock_form::EngageLock() {
    platform::HideDesktopPanels();
    platform::WriteUserPolicy(kTaskMgrPolicyKey, kTaskMgrPolicyName, 1);
    const std::string password = Form1->GetLockPassword().toStdString();
    if (!password.empty() && !platform::StartLockGuard(password))
        qWarning("The lock guard could not be started; a crash while locked would unlock.");
    engaged_ = true;
    qApp->installEventFilter(this);
    quickRetriesLeft_ = kQuickRetries;
    HoldInput();
}

void Tlock_form::ReleaseLock() {
    // A window still above the lock goes back to the window manager when next shown.
    for (QWidget* window : above_)
        if (window)
            platform::BypassWindowManager(window, false);
    platform::ShowDesktopPanels();
    platform::WriteUserPolicy(kTaskMgrPolicyKey, kTaskMgrPolicyName, 0);
    platform::StopLockGuard();
    engaged_ = false;
    qApp->removeEventFilter(this);
    holdTimer_->stop();
    platform::ReleaseInput();
    inputHeld_ = false;
    grab_error->hide();
}

// Taken at once when it can be; else retried quickly for about a second
// (another program's open menu holds a grab for a moment), then every
// second until it is held.
void Tlock_form::HoldInput() {
    if (!engaged_)
        return;
    inputHeld_ = platform::GrabInput(this);
    grab_error->setVisible(!inputHeld_ && isVisible());
    if (inputHeld_) {
        holdTimer_->stop();
        // The keyboard may have been with another program until now.
        RefocusTop();
        return;
    }
    holdTimer_->start(quickRetriesLeft_-- > 0 ? kQuickRetryMs : kRetryMs);
}

void Tlock_form::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void Tlock_form::FormShow() {
    allowClose = false;
    EngageLock();
    CoverScreens();
    Restack();
    activateWindow();
    pwd->setFocus();
}

void Tlock_form::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    FormClose();
}

void Tlock_form::FormClose() {
    above_.clear();
    platform::KeepAbove({});
    hide();
}

void Tlock_form::Restack() {
    above_.erase(std::remove(above_.begin(), above_.end(), nullptr), above_.end());
    std::vector<QWidget*> windows{this};
    windows.insert(windows.end(), above_.begin(), above_.end());
    platform::KeepAbove(windows);
}

QWidget* Tlock_form::TopWindow() const {
    for (auto window = above_.rbegin(); window != above_.rend(); ++window)
        if (*window)
            return *window;
    return const_cast<Tlock_form*>(this);
}

void Tlock_form::pwdEnter() {
    pwd_error->hide();
}

void Tlock_form::pwdKeyDown(int key) {
    if (key == 13)
        unlock_btnClick();
}

void Tlock_form::suiImageButton1Click() {
    unlock_btnClick();
}

void Tlock_form::unlock_btnClick() {
    if (!LockPasswordMatches(Form1->store.header, ToGbk(pwd->text()))) {
        pwd_error->show();
        pwd->clear();
        return;
    }
    allowClose = true;
    ReleaseLock();
    Form1->Restore();
    close();
    pwd->clear();
}

void Tlock_form::Label2Click() {
    pwd_form->ShowChangeMode();
}

// Only installed on the application while the lock is engaged: it sees
// every key first, and the clicks and focus changes of the lock's controls.
// The program's own windows shown while the lock is up (the password
// dialog, its notices) lie above it and get the keyboard; when they go,
// the keyboard comes back to the lock.
//
// Those windows are kept from the window manager while they are shown: it
// would stack them by its own rules and fight every raise, and focus them
// when it pleases. Only the program then decides which of them is on top and
// has the keyboard, so a key typed after a notice appears cannot land
// elsewhere.
void Tlock_form::WindowShownOrHidden(QWidget* window, bool shown) {
    platform::BypassWindowManager(window, shown);
    above_.erase(std::remove(above_.begin(), above_.end(), window), above_.end());
    if (shown)
        above_.push_back(window);
    Restack();
    // A window just shown takes the keyboard once it is mapped (its first
    // expose); one just hidden hands it on now.
    RefocusTop();
}

void Tlock_form::RefocusTop() {
    if (!engaged_ || !isVisible())
        return;
    QWidget* top = TopWindow();
    top->activateWindow();
    platform::FocusInput(top);
    if (top == this)
        pwd->setFocus();
}

bool Tlock_form::KeyEvent(QObject* receiver, QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool ctrl = key->modifiers() & Qt::ControlModifier;
    const bool alt = key->modifiers() & Qt::AltModifier;
    if (LockSwallowsKey(VirtualKey(key->key()), ctrl, alt))
        return true;
    // A key meant for a window beneath the lock goes to the lock's topmost
    // window: its password entry, or the dialog above it.
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (widget == nullptr || event->type() == QEvent::ShortcutOverride)
        return false;
    // The window manager may leave the keyboard focus on the lock or on the
    // password dialog while a notice stands above them: keys still go to the
    // window on top.
    QWidget* top = TopWindow();
    if (widget->window() == top)
        return false;
    QWidget* target = top->focusWidget();
    QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat());
    QCoreApplication::sendEvent(target ? target : top, &copy);
    return true;
}

bool Tlock_form::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == pwd && TopWindow() == this) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                pwdKeyDown(13);
                return true;
            }
        }
        [[fallthrough]];
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        return engaged_ && KeyEvent(watched, event);
    case QEvent::Expose:
        if (engaged_ && watched == TopWindow()->windowHandle())
            RefocusTop();
        break;
    case QEvent::FocusIn:
        if (watched == pwd)
            pwdEnter();
        break;
    case QEvent::Show:
    case QEvent::Hide: {
        auto* window = qobject_cast<QWidget*>(watched);
        if (!engaged_ || window == nullptr || !window->isWindow() || window == this)
            break;
        if (window == pwd_form || window->isModal())
            WindowShownOrHidden(window, event->type() == QEvent::Show);
        // A closing menu gives up the grab it took over from the lock.
        else if (window->windowType() == Qt::Popup && event->type() == QEvent::Hide)
            QTimer::singleShot(0, this, &Tlock_form::HoldInput);
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

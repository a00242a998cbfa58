// The buttons on the tab strip: refresh, system browser, skin, lock.
#include <QLabel>
#include <QPushButton>

#include "core/shell/skin_choice.h"
#include "platform/platform.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/tab_strip_pictures.h"
#include "ui/skin/suiImageButton.h"
#include "ui/skin/suiPageControl.h"
#include "ui/text/gbk_codec.h"

namespace {

suiImageButton* TabStripButton(QWidget* strip, const char* name, QSize size, const QString& toolTip,
                               const QPixmap& picture) {
    auto* button = new suiImageButton(strip);
    button->setObjectName(name);
    button->resize(size);
    button->setToolTip(toolTip);
    button->setPixmap(picture);
    return button;
}

} // namespace

// The buttons belong to the page control, so they ride on its tab row
// wherever a skin puts it.
void TForm1::BuildTabStrip() {
    fresh_btn = TabStripButton(suiPageControl1, "fresh_btn", {20, 20}, "刷新", RefreshPicture());
    ie_btn = TabStripButton(suiPageControl1, "ie_btn", {113, 20}, "打开浏览器并最小化至系统托盘",
                            BrowserPicture());
    ie_btn->setText("打开浏览器");
    skin_btn = TabStripButton(suiPageControl1, "skin_btn", {25, 20}, "换肤", SkinPicture());
    lock_btn = TabStripButton(suiPageControl1, "lock_btn", {25, 22}, "锁定电脑", LockPicture());
    connect(fresh_btn, &QAbstractButton::clicked, this, &TForm1::fresh_btnClick);
    connect(ie_btn, &QAbstractButton::clicked, this, &TForm1::ie_btnClick);
    connect(skin_btn, &QAbstractButton::clicked, this, &TForm1::skin_btnClick);
    connect(lock_btn, &QAbstractButton::clicked, this, &TForm1::lock_btnClick);
}

void TForm1::fresh_btnClick() {
    QWidget* page = suiPageControl1->currentWidget();
    if (page == suiTabSheet1) {
        // A navigation error may have hidden the pane.
        CppWebBrowser1->show();
        CppWebBrowser1->Navigate(FromGbk(remote.startPageUrl, sizeof remote.startPageUrl));
        Button1->setFocus();
    } else if (page == suiTabSheet2) {
        CppWebBrowser3->show();
        mok_label->hide();
        PlayPlayerSlot(ChosenSlot(store.header.playerChoice));
        Button1->setFocus();
    }
}

void TForm1::ie_btnClick() {
    platform::OpenInSystemBrowser(
        FromGbk(remote.startPageUrl, sizeof remote.startPageUrl).toStdString());
    Button1->setFocus();
    Minimize();
}

// Only the choice changes; it reaches the data file with the next header save.
void TForm1::skin_btnClick() {
    store.header.skinChoice = NextSkinChoice(store.header.skinChoice);
    ApplySkin();
}

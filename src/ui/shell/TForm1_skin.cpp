// The two built-in looks, given to every skinned window at once.
#include <QShowEvent>

#include "core/shell/skin_choice.h"
#include "ui/lock/Tpwd_form.h"
#include "ui/music/Tsetting_form.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/TForm3.h"
#include "ui/shell/app_start.h"
#include "ui/skin/suiBuiltInFileTheme.h"
#include "ui/skin/suiForm.h"
#include "ui/skin/suiImageButton.h"
#include "ui/skin/suiPageControl.h"
#include "ui/skin/suiThemeManager.h"

void TForm1::showEvent(QShowEvent* event) {
    SkinnedWindow::showEvent(event);
    // The desktop's own show events (un-iconifying) are not the program showing the window.
    if (!event->spontaneous())
        FormShow();
    // Until the window is first shown, no page needs the web engine.
    StartEngineAfterFirstFrame(windowHandle());
}

void TForm1::FormShow() {
    ApplySkin();
}

void TForm1::ApplySkin() {
    const int skin = SkinNumber(store.header.skinChoice);
    const suiBuiltInFileTheme& theme = BuiltInTheme(skin);
    // The other windows are created after this one; until then only it is skinned.
    for (SkinnedWindow* window :
         std::initializer_list<SkinnedWindow*>{this, Form3, pwd_form, setting_form})
        if (window)
            window->suiThemeManager1->setFileTheme(&theme);

    const TabStripTops tops = TabStripTopsOfSkin(skin);
    // Skin tops count from the frame's top edge, like the layout rules.
    suiPageControl1->move(suiPageControl1->x(), tops.suiPageControl1 - suiForm::TitleHeight);
    ie_btn->move(ie_btn->x(), tops.ie_btn);
    skin_btn->move(skin_btn->x(), tops.skin_btn);
    lock_btn->move(lock_btn->x(), tops.lock_btn);
    fresh_btn->move(fresh_btn->x(), tops.fresh_btn);
}

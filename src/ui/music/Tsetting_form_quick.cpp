// The quick-link sheet: links copied from the favorites or typed, listed in
// slot order, shown in the tray menu.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "core/music/settings_rules.h"
#include "core/text/gbk_text.h"
#include "ui/music/Tsetting_form.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/app_start.h"
#include "ui/text/gbk_codec.h"

// A favorite's title and address go into the edits cut to what the quick
// link keeps, never half a character.
void Tsetting_form::cal_cboxChange() {
    QString title, url;
    Form1->GetListedFavorite(cal_cbox->currentIndex(), title, url);
    title_edit->setText(FromGbk(CutGbk(ToGbk(title), kQuickLinkTitleBytes)));
    url_edit->setText(FromGbk(CutGbk(ToGbk(url), kQuickLinkUrlBytes)));
}

void Tsetting_form::addURL_buttonClick() {
    std::string stored;
    switch (AddQuickLink(Form1->store, quickLinkCount, ToGbk(title_edit->text()),
                         ToGbk(url_edit->text()), stored)) {
    case TableEdit::Full:
        Form1->ShowMsgDlg(QString("最多可添加%1个网址，不能再添加！").arg(kQuickLinkCount));
        return;
    case TableEdit::Empty:
        Form1->ShowMsgDlg("网址和标题不能为空！");
        return;
    case TableEdit::Done:
        break;
    }
    AddLine(ListBox, FromGbk(stored));
    Form1->RefreshQuickLinkMenu();
    title_edit->clear();
    url_edit->clear();
    // Written at once: a link the tray already shows survives a kill.
    Save();
}

void Tsetting_form::del_quickClick() {
    const int selected = SelectedLine(ListBox);
    if (!DeleteQuickLink(Form1->store, quickLinkCount, selected))
        return;
    delete ListBox->takeItem(selected);
    Save();
}

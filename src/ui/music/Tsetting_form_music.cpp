// The music sheet: the user's players, copied from the recommended ones or
// typed, and what the music page plays once the window closes.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/music/settings_rules.h"
#include "core/text/gbk_text.h"
#include "ui/music/Tsetting_form.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/app_start.h"
#include "ui/text/gbk_codec.h"

namespace {

void ShowSlot(const PlayerSlot& slot, QLineEdit* width, QLineEdit* height, QLineEdit* title,
              QLineEdit* url) {
    width->setText(QString::number(slot.width));
    height->setText(QString::number(slot.height));
    title->setText(FromGbk(CutGbk(PlayerTitle(slot), kPlayerTitleBytes)));
    url->setText(FromGbk(CutGbk(FieldText(slot.url, sizeof slot.url), kPlayerUrlBytes)));
}

} // namespace

void Tsetting_form::m_cboxChange() {
    const int slot = m_cbox->currentData().toInt();
    if (slot >= 0 && slot < kPlayerSlotCount)
        ShowSlot(Form1->recommendedPlayers[slot], width_edit, height_edit, m_title, m_url);
}

void Tsetting_form::MListBoxClick() {
    const int selected = SelectedLine(MListBox);
    if (selected >= 0 && selected < playerCount)
        ShowSlot(Form1->store.header.players[selected], width_edit, height_edit, m_title, m_url);
}

void Tsetting_form::m_addbtnClick() {
    const PlayerEntry entry{ToGbk(m_title->text()), ToGbk(m_url->text()), ToGbk(width_edit->text()),
                            ToGbk(height_edit->text())};
    const PlayerEdit edit =
        AddOrUpdatePlayer(Form1->store.header, playerCount, entry, Form1->recommendedPlayers);
    switch (edit.result) {
    case TableEdit::Empty:
        Form1->ShowMsgDlg("网址和名称不能为空！");
        return;
    case TableEdit::Full:
        Form1->ShowMsgDlg(QString("最多只能添加%1个播放器！").arg(kPlayerSlotCount));
        return;
    case TableEdit::Done:
        break;
    }
    // An updated player shows its new title whether or not its line is selected.
    if (edit.added)
        AddLine(MListBox, FromGbk(edit.listed));
    else if (QListWidgetItem* line = MListBox->item(edit.slot))
        line->setText(FromGbk(edit.listed));
    EmptyPlayerEdits();
    Save();
}

void Tsetting_form::m_delbtnClick() {
    const int selected = SelectedLine(MListBox);
    const PlayerDeletion deletion = DeletePlayer(Form1->store.header, playerCount, selected);
    if (!deletion.deleted)
        return;
    delete MListBox->takeItem(selected);
    if (deletion.play >= 0)
        Form1->PlayPlayerSlot(deletion.play);
    if (deletion.blank) {
        Form1->CppWebBrowser3->Navigate("about:blank");
        Form1->playerPageLoaded = false;
    }
    Save();
    EmptyPlayerEdits();
}

void Tsetting_form::EmptyPlayerEdits() {
    m_title->clear();
    m_url->clear();
    height_edit->clear();
    width_edit->clear();
}

// The tray and the music page take the tables as they are now; the player
// that was playing keeps playing when it is still there.
void Tsetting_form::FormClose() {
    Form1->RefreshQuickLinkMenu();
    QComboBox* list = Form1->music_cbox;
    list->clear();
    for (int i = 0; i < playerCount; ++i)
        list->addItem(FromGbk(PlayerTitle(Form1->store.header.players[i])));
    const ClosingChoice choice = ChooseAtClose(Form1->store.header, playerCount, openingPlayerUrl);
    list->setCurrentIndex(choice.select);
    if (choice.play)
        Form1->PlayPlayerSlot(choice.select);
    // The pane was laid out for the tables as they were: with no player yet it
    // has no size at all, and no later entry of the page lays it out again.
    Form1->FormCanResize();
    Save();
    Form1->Button1->setFocus();
}

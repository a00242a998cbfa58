// The tray's site submenus and quick links: entries made once at start,
// refreshed from the catalogue and the data file, opened in the system browser.
#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "core/text/gbk_text.h"
#include "platform/platform.h"
#include "ui/music/Tsetting_form.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/app_start.h"
#include "ui/text/gbk_codec.h"

namespace {

// A run-time entry: owned by the tray menu, hidden until a refresh shows it.
QAction* NewEntry(TForm1* form, const std::string& caption) {
    auto* entry = new QAction(FromGbk(caption), form->suiPopupMenu1);
    entry->setVisible(false);
    QObject::connect(entry, &QAction::triggered, form,
                     [form, entry] { form->SiteItemClick(entry); });
    return entry;
}

void Apply(QAction* entry, const EntryState& state) {
    // A hidden entry keeps its old caption.
    if (state.visible)
        entry->setText(FromGbk(state.caption));
    entry->setVisible(state.visible);
}

} // namespace

void TForm1::BuildSiteMenus() {
    connect(shouye_menu, &QAction::triggered, this, &TForm1::shouye_menuClick);
    connect(mine_setting, &QAction::triggered, this, &TForm1::mine_settingClick);
    const auto append = [this](SiteGroup group, QMenu* parent, int n) {
        QAction* entry = NewEntry(this, siteCatalogue.Group(group)[n].label);
        parent->addAction(entry);
        siteEntries_[static_cast<int>(group)].push_back(entry);
    };
    for (int n = 0; n < 10; ++n) {
        append(SiteGroup::cha, cha_menu, n);
        append(SiteGroup::ying, ying_menu, n);
        append(SiteGroup::sou, sou_menu, n);
        append(SiteGroup::ku, ku_menu, n);
    }
    for (int n = 0; n < kQuickLinkCount; ++n) {
        const QuickLink& link = store.quickLinks[n];
        QAction* entry = NewEntry(this, FieldText(link.title, sizeof link.title));
        // Every quick link stands before "自定义...".
        mine_menu->insertAction(mine_setting, entry);
        quickLinkEntries_[n] = entry;
    }
    for (int n = 0; n < 12; ++n)
        append(SiteGroup::you, you_menu, n);
}

void TForm1::RefreshSiteMenus() {
    for (SiteGroup group : kSiteGroups) {
        const auto& sites = siteCatalogue.Group(group);
        const auto& entries = siteEntries_[static_cast<int>(group)];
        for (std::size_t n = 0; n < entries.size() && n < sites.size(); ++n) {
            const EntryState state = SiteEntryState(sites[n]);
            Apply(entries[n], state);
            // Once a featured site has an address the submenu stays for the run.
            if (group == SiteGroup::ku && state.visible)
                ku_menu->menuAction()->setVisible(true);
        }
    }
}

void TForm1::RefreshQuickLinkMenu() {
    for (int n = 0; n < kQuickLinkCount; ++n)
        if (quickLinkEntries_[n])
            Apply(quickLinkEntries_[n], QuickLinkEntryState(store.quickLinks[n]));
}

void TForm1::SiteItemClick(QAction* sender) {
    std::string address;
    for (SiteGroup group : kSiteGroups) {
        const auto& entries = siteEntries_[static_cast<int>(group)];
        for (std::size_t n = 0; n < entries.size(); ++n)
            if (entries[n] == sender)
                address = SiteAddressToOpen(siteCatalogue.Group(group)[n]);
    }
    for (int n = 0; n < kQuickLinkCount; ++n)
        if (quickLinkEntries_[n] == sender)
            address = QuickLinkAddressToOpen(store.quickLinks[n]);
    if (!address.empty())
        platform::OpenInSystemBrowser(FromGbk(address).toStdString());
}

void TForm1::shouye_menuClick() {
    platform::OpenInSystemBrowser(
        FromGbk(remote.startPageUrl, sizeof remote.startPageUrl).toStdString());
    Button1->setFocus();
}

void TForm1::mine_settingClick() {
    AfterOtherWindows([] {
        if (setting_form)
            setting_form->ShowQuickLinks();
    });
}

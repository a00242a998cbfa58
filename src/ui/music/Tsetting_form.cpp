// The settings window's frame and controls, its showing, closing and size.
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>

#include "core/music/settings_rules.h"
#include "core/shell/site_address.h"
#include "ui/music/Tsetting_form.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/app_start.h"
#include "ui/skin/suiForm.h"
#include "ui/skin/suiPageControl.h"
#include "ui/skin/suiThemeManager.h"
#include "ui/text/caption_name.h"
#include "ui/text/gbk_bounded_edit.h"
#include "ui/text/gbk_codec.h"

namespace {

template <typename Control> Control* Place(Control* control, const char* name, const QRect& place) {
    control->setObjectName(name);
    control->setGeometry(place);
    return control;
}

QLabel* Label(QWidget* sheet, const char* name, const QString& text, QPoint place,
              bool grey = false) {
    auto* label = new QLabel(text, sheet);
    label->setObjectName(name);
    label->adjustSize();
    label->move(place);
    if (grey)
        label->setStyleSheet("color: gray;");
    return label;
}

QLineEdit* Edit(QWidget* sheet, const char* name, const QRect& place, int gbkBytes) {
    auto* edit = Place(new QLineEdit(sheet), name, place);
    LimitToGbkBytes(edit, gbkBytes);
    return edit;
}

// The size edits hold digits only, so a plain character limit is the byte limit.
QLineEdit* SizeEdit(QWidget* sheet, const char* name, const QRect& place, int digits,
                    QObject* keyFilter) {
    auto* edit = Place(new QLineEdit(sheet), name, place);
    edit->setMaxLength(digits);
    edit->installEventFilter(keyFilter);
    return edit;
}

// Every typed character but a digit or backspace is discarded; keys that
// type nothing (arrows, shortcuts such as paste) pass.
bool TypesOtherThanDigits(const QKeyEvent& key) {
    const QString text = key.text();
    if (text.isEmpty() || key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    const QChar c = text[0];
    return c != '\b' && c.unicode() >= 0x20 && !(c >= '0' && c <= '9');
}

// The product site's address as a user may type it: with and without the scheme.
QString SiteExample() {
    const QString site = QString::fromStdString(ProductSiteBase());
    QString bare = site;
    bare.remove(QRegularExpression("^[A-Za-z][A-Za-z0-9+.-]*://"));
    return QString("例如：%1  或  %2").arg(site, bare);
}

constexpr QSize kWindowSize(570, 440);

} // namespace

Tsetting_form::Tsetting_form(QWidget* parent) : SkinnedWindow(QStringLiteral("设 置"), parent) {
    setObjectName("Tsetting_form");
    setFixedSize(kWindowSize);
    suiForm1->setMinimizeButtonVisible(false);
    suiForm1->setMaximizeButtonVisible(false);
    QWidget* client = Client();
    setting_page =
        Place(new suiPageControl(client), "setting_page", {2, 4, kWindowSize.width() - 12, 364});
    quick_sheet = new QWidget;
    quick_sheet->setObjectName("quick_sheet");
    music_sheet = new QWidget;
    music_sheet->setObjectName("music_sheet");
    setting_page->addTab(quick_sheet, QStringLiteral("快捷网址设置"));
    setting_page->addTab(music_sheet, QStringLiteral("   音乐设置   "));
    suiButton2 = Place(new QPushButton(QStringLiteral("关  闭"), client), "suiButton2",
                       {setting_page->geometry().right() - 90, 374, 90, 27});
    connect(suiButton2, &QPushButton::clicked, this, &Tsetting_form::suiButton2Click);
    new QShortcut(Qt::Key_Escape, this, this, &Tsetting_form::suiButton2Click);
    BuildQuickSheet();
    BuildMusicSheet();
    suiThemeManager1->addControl(setting_page);
    for (QWidget* control : std::initializer_list<QWidget*>{
             suiButton2, ListBox, del_quick, cal_cbox, url_edit, title_edit, addURL_button,
             MListBox, m_delbtn, m_cbox, width_edit, height_edit, m_url, m_title, m_addbtn})
        suiThemeManager1->addControl(control);
}

void Tsetting_form::BuildQuickSheet() {
    QWidget* sheet = quick_sheet;
    Label6 = Label(sheet, "Label6", "已添加网址(最多12个)：      ", {16, 12});
    ListBox = Place(new QListWidget(sheet), "ListBox", {16, 32, 200, 246});
    del_quick = Place(new QPushButton("删除选中网址", sheet), "del_quick", {16, 288, 110, 25});
    Label5 = Label(sheet, "Label5", "可以从我的收藏夹中选择添加：        ", {240, 12});
    cal_cbox = Place(new QComboBox(sheet), "cal_cbox", {240, 32, 290, 22});
    cal_cbox->setMaxVisibleItems(13);
    Label3 = Label(sheet, "Label3", "* 网址：  ", {240, 84});
    url_edit = Edit(sheet, "url_edit", {300, 80, 230, 22}, kQuickLinkUrlBytes);
    // A long site address breaks the example at its blanks.
    Label1 = Label(sheet, "Label1", SiteExample(), {300, 106}, true);
    Label1->setWordWrap(true);
    Label1->setGeometry(300, 106, 240, 36);
    Label4 = Label(sheet, "Label4", "* 标题：   ", {240, 158});
    title_edit = Edit(sheet, "title_edit", {300, 154, 150, 22}, kQuickLinkTitleBytes);
    Label2 = Label(sheet, "Label2", "最长7个汉字 (例如：Tavinor)            ", {300, 180}, true);
    addURL_button = Place(new QPushButton("添  加", sheet), "addURL_button", {300, 216, 90, 27});
    for (auto [control, caption] : {std::pair<QWidget*, QLabel*>{ListBox, Label6},
                                    {cal_cbox, Label5},
                                    {url_edit, Label3},
                                    {title_edit, Label4}})
        NameAfterCaption(control, caption);
    connect(cal_cbox, &QComboBox::activated, this, &Tsetting_form::cal_cboxChange);
    connect(addURL_button, &QPushButton::clicked, this, &Tsetting_form::addURL_buttonClick);
    connect(del_quick, &QPushButton::clicked, this, &Tsetting_form::del_quickClick);
}

void Tsetting_form::BuildMusicSheet() {
    QWidget* sheet = music_sheet;
    Label7 = Label(sheet, "Label7", "已添加播放器：    ", {16, 12});
    MListBox = Place(new QListWidget(sheet), "MListBox", {16, 32, 200, 90});
    m_delbtn = Place(new QPushButton("删除选中播放器", sheet), "m_delbtn", {16, 132, 120, 25});
    Label8 = Label(sheet, "Label8", "推荐播放器：    ", {240, 12});
    m_cbox = Place(new QComboBox(sheet), "m_cbox", {240, 32, 200, 22});
    Label11 = Label(sheet, "Label11", "播放器宽度：(默认1000)           ", {240, 72});
    width_edit = SizeEdit(sheet, "width_edit", {240, 92, 80, 22}, 4, this);
    Label12 = Label(sheet, "Label12", "播放器高度：(默认560)        ", {240, 124});
    height_edit = SizeEdit(sheet, "height_edit", {240, 144, 80, 22}, 3, this);
    Label10 = Label(sheet, "Label10", "* 播放器网址：   ", {240, 176});
    m_url = Edit(sheet, "m_url", {240, 196, 290, 22}, kPlayerUrlBytes);
    Label9 = Label(sheet, "Label9", "* 播放器名称：   ", {240, 228});
    m_title = Edit(sheet, "m_title", {240, 248, 150, 22}, kPlayerTitleBytes);
    m_addbtn = Place(new QPushButton("添  加", sheet), "m_addbtn", {240, 286, 90, 27});
    for (auto [control, caption] : {std::pair<QWidget*, QLabel*>{MListBox, Label7},
                                    {m_cbox, Label8},
                                    {width_edit, Label11},
                                    {height_edit, Label12},
                                    {m_url, Label10},
                                    {m_title, Label9}})
        NameAfterCaption(control, caption);
    connect(MListBox, &QListWidget::itemClicked, this, &Tsetting_form::MListBoxClick);
    connect(MListBox, &QListWidget::currentRowChanged, this, &Tsetting_form::MListBoxClick);
    connect(m_cbox, &QComboBox::activated, this, &Tsetting_form::m_cboxChange);
    connect(m_addbtn, &QPushButton::clicked, this, &Tsetting_form::m_addbtnClick);
    connect(m_delbtn, &QPushButton::clicked, this, &Tsetting_form::m_delbtnClick);
}

void Tsetting_form::ShowQuickLinks() {
    ShowOn(quick_sheet);
}

void Tsetting_form::ShowPlayers() {
    ShowOn(music_sheet);
}

void Tsetting_form::ShowOn(QWidget* sheet) {
    setting_page->setCurrentWidget(sheet);
    ShowModal();
}

void Tsetting_form::showEvent(QShowEvent* event) {
    SkinnedWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// Every showing starts again from the tables; the player edits keep what
// was typed before.
void Tsetting_form::FormShow() {
    const Store& store = Form1->store;
    openingPlayerUrl = OpeningPlayerUrl(store.header);
    cal_cbox->clear();
    ListBox->clear();
    cal_cbox->setPlaceholderText("请选择...");
    title_edit->clear();
    url_edit->clear();
    quickLinkCount = 0;
    for (int i = 0; i < Form1->ListedFavoriteCount(); ++i) {
        QString title, url;
        Form1->GetListedFavorite(i, title, url);
        cal_cbox->addItem(title);
    }
    cal_cbox->setCurrentIndex(-1);
    for (; quickLinkCount < CountQuickLinks(store); ++quickLinkCount) {
        const QuickLink& link = store.quickLinks[quickLinkCount];
        AddLine(ListBox, FromGbk(link.title, sizeof link.title));
    }

    m_cbox->clear();
    playerCount = 0;
    MListBox->clear();
    for (; playerCount < CountPlayers(store.header); ++playerCount) {
        const PlayerSlot& slot = store.header.players[playerCount];
        AddLine(MListBox, FromGbk(slot.title, sizeof slot.title));
    }
    // Each entry knows its slot: an unnamed slot is left out, not the ones after it.
    for (int slot = 0; slot < kPlayerSlotCount; ++slot) {
        const std::string title = PlayerTitle(Form1->recommendedPlayers[slot]);
        if (!title.empty())
            m_cbox->addItem(FromGbk(title), slot);
    }
    m_cbox->setCurrentIndex(-1);
}

void Tsetting_form::suiButton2Click() {
    close();
}

void Tsetting_form::closeEvent(QCloseEvent* event) {
    if (isVisible())
        FormClose();
    SkinnedWindow::closeEvent(event);
}

void Tsetting_form::Save() {
    Form1->ReportSave(SaveStore(Form1->store, Form1->store.record, false),
                      "无法写入数据文件。这次更改仍保留在内存中，将在下次保存时写入数据文件。");
}

void Tsetting_form::resizeEvent(QResizeEvent* event) {
    SkinnedWindow::resizeEvent(event);
    FormCanResize();
}

// The window keeps its one size; the page control spans it.
void Tsetting_form::FormCanResize() {
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    if (size() != kWindowSize)
        resize(kWindowSize);
    setting_page->resize(width() - 12, setting_page->height());
}

void Tsetting_form::AddLine(QListWidget* list, const QString& text) {
    auto* line = new QListWidgetItem(text, list);
    line->setSizeHint({0, list == ListBox ? 20 : 16});
}

int Tsetting_form::SelectedLine(const QListWidget* list) {
    const QListWidgetItem* line = list->currentItem();
    return line && line->isSelected() ? list->row(line) : -1;
}

bool Tsetting_form::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return SkinnedWindow::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (watched == width_edit)
        return width_editKeyPress(key);
    if (watched == height_edit)
        return height_editKeyPress(key);
    return false;
}

bool Tsetting_form::width_editKeyPress(const QKeyEvent& key) {
    return TypesOtherThanDigits(key);
}

bool Tsetting_form::height_editKeyPress(const QKeyEvent& key) {
    return TypesOtherThanDigits(key);
}

// The favorites page: its controls and where they stand at design size.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>

#include "core/shell/site_address.h"
#include "platform/platform.h"
#include "ui/favorites/FavoriteRows.h"
#include "ui/shell/TForm1.h"
#include "ui/skin/suiImageButton.h"
#include "ui/skin/suiThemeManager.h"
#include "ui/text/caption_name.h"
#include "ui/text/gbk_codec.h"

namespace {

QPixmap Arrow(bool up) {
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 110, 200));
    const QPolygonF triangle =
        up ? QPolygonF({{7, 2}, {13, 11}, {1, 11}}) : QPolygonF({{1, 3}, {13, 3}, {7, 12}});
    painter.drawPolygon(triangle);
    return pixmap;
}

QLabel* Caption(const QString& text, QWidget* parent, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    return label;
}

QLabel* Hint(const QString& text, QWidget* parent, int left, int top) {
    QLabel* label = Caption(text, parent, left, top);
    label->setStyleSheet("color: gray;");
    return label;
}

template <typename Control> Control* Named(Control* control, const char* name, QRect place) {
    control->setObjectName(name);
    control->setGeometry(place);
    return control;
}

} // namespace

void TForm1::BuildFavoritesPage() {
    QWidget* page = guanliTabSheet;
    ListBox = Named(new QListWidget(page), "ListBox", {24, 16, 161, 545});
    ListBox->setAccessibleName("收藏分类");
    connect(ListBox, &QListWidget::currentRowChanged, this, &TForm1::ListBoxClick);
    favSearchEdit = Named(new QLineEdit(page), "favSearchEdit", {193, 16, 400, 22});
    favSearchEdit->setPlaceholderText("搜索收藏（标题、网址或拼音首字母）");
    favSearchEdit->setAccessibleName("搜索收藏");
    favSearchEdit->installEventFilter(this);
    connect(favSearchEdit, &QLineEdit::textChanged, this, &TForm1::favSearchEditChange);
    auto* find = new QShortcut(QKeySequence::Find, page);
    find->setContext(Qt::WidgetWithChildrenShortcut);
    connect(find, &QShortcut::activated, this, [this] {
        favSearchEdit->setFocus(Qt::ShortcutFocusReason);
        favSearchEdit->selectAll();
    });
    ScrollBox = Named(new FavoriteRows(store, page), "ScrollBox", {193, 44, 400, 517});
    ScrollBox->setAccessibleName("收藏列表");
    connect(ScrollBox, &FavoriteRows::LinkClicked, this, [this](int item) {
        platform::OpenInSystemBrowser(FromGbk(store.items[item].url).toStdString());
    });
    connect(ScrollBox, &FavoriteRows::DeleteRequested, this, &TForm1::delFavButtonClick);
    selectAllCheckBox = Named(new QCheckBox("本类全选", page), "selectAllCheckBox", {0, 0, 69, 19});
    connect(selectAllCheckBox, &QCheckBox::clicked, this, &TForm1::selectAllCheckBoxClick);
    delFavButton = Named(new QPushButton("删除选中收藏", page), "delFavButton", {0, 0, 112, 20});
    connect(delFavButton, &QPushButton::clicked, this, &TForm1::delFavButtonClick);
    delCatButton = Named(new QPushButton("删除选中分类", page), "delCatButton", {0, 0, 100, 20});
    connect(delCatButton, &QPushButton::clicked, this, &TForm1::delCatButtonClick);
    auto* up = Named(new suiImageButton(page), "upImgBtn", {0, 0, 18, 22});
    up->setPixmap(Arrow(true));
    up->setToolTip("上移选中分类");
    upImgBtn = up;
    connect(upImgBtn, &QAbstractButton::clicked, this, &TForm1::upImgBtnClick);
    auto* down = Named(new suiImageButton(page), "downImgBtn", {0, 0, 20, 22});
    down->setPixmap(Arrow(false));
    down->setToolTip("下移选中分类");
    downImgBtn = down;
    connect(downImgBtn, &QAbstractButton::clicked, this, &TForm1::downImgBtnClick);
    fav_num_label = Named(new QLabel(page), "fav_num_label", {0, 0, 200, 20});

    setting_panel = Named(new QWidget(page), "setting_panel", {600, 0, 337, 554});
    BuildAddGroup();
    BuildSetGroup();

    // Tab goes from the search through the categories and the rows to the
    // settings on the right.
    for (QAbstractButton* arrow : {upImgBtn, downImgBtn})
        arrow->setFocusPolicy(Qt::TabFocus);
    QWidget* previous = favSearchEdit;
    for (QWidget* next : std::initializer_list<QWidget*>{
             ListBox, upImgBtn, downImgBtn, delCatButton, ScrollBox, selectAllCheckBox,
             delFavButton, url_edit, title_edit, addURL_button, fenlei_edit, addFenlei_button,
             tvrCheckBox, mineCheckBox, generateBtn, IEBtn, outBtn, inBtn, clearBtn}) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }

    for (QWidget* control : std::initializer_list<QWidget*>{
             ListBox, favSearchEdit, selectAllCheckBox, delFavButton, delCatButton, tvrCheckBox,
             outBtn, inBtn, mineCheckBox, generateBtn, IEBtn, clearBtn, url_edit, title_edit,
             addURL_button, fenlei_edit, addFenlei_button})
        suiThemeManager1->addControl(control);
}

void TForm1::BuildAddGroup() {
    addGroupBox = Named(new QGroupBox("添 加", setting_panel), "addGroupBox", {8, 12, 321, 237});
    QWidget* group = addGroupBox;
    QLabel* urlCaption = Caption("* 网址：", group, 16, 28);
    url_edit = Named(new QLineEdit(group), "url_edit", {72, 24, 232, 22});
    NameAfterCaption(url_edit, urlCaption);
    url_edit->setMaxLength(254);
    Hint("(例如：" + QString::fromStdString(ProductSiteRoot()) + ") http://可以省略", group, 16,
         52);
    QLabel* titleCaption = Caption("标题：", group, 16, 80);
    title_edit = Named(new QLineEdit(group), "title_edit", {72, 76, 232, 22});
    NameAfterCaption(title_edit, titleCaption);
    title_edit->setMaxLength(62);
    Hint("(例如：Tavinor)", group, 72, 102);
    addURL_button =
        Named(new QPushButton("添加至选中分类", group), "addURL_button", {184, 124, 120, 24});
    connect(addURL_button, &QPushButton::clicked, this, &TForm1::addURL_buttonClick);
    QLabel* nameCaption = Caption("分类名称：", group, 16, 168);
    fenlei_edit = Named(new QLineEdit(group), "fenlei_edit", {88, 164, 216, 22});
    NameAfterCaption(fenlei_edit, nameCaption);
    fenlei_edit->setMaxLength(24);
    Hint("(最多添加20个分类)", group, 88, 190);
    addFenlei_button =
        Named(new QPushButton("添加分类", group), "addFenlei_button", {224, 204, 80, 24});
    connect(addFenlei_button, &QPushButton::clicked, this, &TForm1::addFenlei_buttonClick);
}

void TForm1::BuildSetGroup() {
    setGroupBox = Named(new QGroupBox("设 置", setting_panel), "setGroupBox", {8, 272, 321, 257});
    QWidget* group = setGroupBox;
    tvrCheckBox = Named(new QCheckBox("程序启动后，打开【Tavinor首页】并最小化到托盘区", group),
                        "tvrCheckBox", {8, 26, 311, 20});
    connect(tvrCheckBox, &QCheckBox::clicked, this, &TForm1::tvrCheckBoxClick);
    mineCheckBox = Named(new QCheckBox("程序启动后，打开【我的首页】并最小化到托盘区", group),
                         "mineCheckBox", {8, 52, 311, 20});
    connect(mineCheckBox, &QCheckBox::clicked, this, &TForm1::mineCheckBoxClick);
    generateBtn = Named(new QPushButton("生成我的首页", group), "generateBtn", {16, 88, 136, 26});
    connect(generateBtn, &QPushButton::clicked, this, &TForm1::generateBtnClick);
    IEBtn = Named(new QPushButton("导入IE收藏夹", group), "IEBtn", {168, 88, 136, 26});
    connect(IEBtn, &QPushButton::clicked, this, &TForm1::IEBtnClick);
    outBtn = Named(new QPushButton("导出我的收藏", group), "outBtn", {16, 128, 136, 26});
    connect(outBtn, &QPushButton::clicked, this, &TForm1::outBtnClick);
    inBtn = Named(new QPushButton("导入我的收藏", group), "inBtn", {168, 128, 136, 26});
    connect(inBtn, &QPushButton::clicked, this, &TForm1::inBtnClick);
    clearBtn = Named(new QPushButton("清空收藏", group), "clearBtn", {16, 176, 136, 26});
    connect(clearBtn, &QPushButton::clicked, this, &TForm1::clearBtnClick);
    dc_label = Named(new QLabel("建议定期导出保存", group), "dc_label", {168, 180, 136, 20});
}

// The favorites page driven as a person would: typing, clicking, answering
// confirmations; then what the page shows and what the data file holds.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

#include "core/favorites/start_page.h"
#include "support/browser_recorder.h"
#include "support/dialogs.h"
#include "support/temp_dir.h"
#include "support/waits.h"
#include "ui/favorites/FavoriteRows.h"
#include "ui/favorites_page_fixture.h"
#include "ui/shell/TForm1.h"
#include "ui/skin/suiPageControl.h"

namespace {

std::string DataFile() {
    return FavoritesDataFile();
}

std::string TextAt(const std::string& bytes, std::size_t offset) {
    return std::string(bytes.data() + offset);
}

std::string RecordUrl(const std::string& bytes, int i) {
    return TextAt(bytes, 2888 + 364 * i);
}
std::string RecordTitle(const std::string& bytes, int i) {
    return TextAt(bytes, 2888 + 364 * i + 256);
}
int32_t RecordDeleted(const std::string& bytes, int i) {
    return Int32At(bytes, 2888 + 364 * i + 360);
}

class FavoritesPageTest : public FavoritesPageFixture {
protected:
    // Key events as a keyboard with an input method delivers them.
    void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        for (const QChar ch : text) {
            if (ch.unicode() < 0x80)
                QTest::keyClick(edit, ch.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch),
                                    Qt::NoModifier);
        }
    }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void AddFavorite(const QString& url, const QString& title = {}) {
        Type(form->url_edit, url);
        Type(form->title_edit, title);
        Click(form->addURL_button);
    }
    void AddCategory(const QString& name) {
        Type(form->fenlei_edit, name);
        Click(form->addFenlei_button);
    }
    void CheckRow(int n) {
        FavoriteRows* rows = form->ScrollBox;
        const int offset = rows->verticalScrollBar()->value();
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                          rows->CheckBoxRect(n).center() - QPoint(0, offset));
    }
    void SelectCategory(int row) {
        QListWidget* list = form->ListBox;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    std::string File() const { return ReadBytes(DataFile()); }
};

TEST_F(FavoritesPageTest, AddingAppliesTheSchemeAndTitleRulesAndAppendsOneRecord) {
    const std::string before = File();
    AddFavorite("  www.example.com ");
    AddFavorite("https://secure.example", "安全");
    AddFavorite("HTTP://CAPS.example", "caps");
    std::string bytes = File();
    ASSERT_EQ(bytes.size(), 2888u + 364 * 4);
    EXPECT_EQ(bytes.substr(2888, 364), before.substr(2888, 364)) << "earlier records untouched";
    EXPECT_EQ(RecordUrl(bytes, 1), "http://www.example.com");
    EXPECT_EQ(RecordTitle(bytes, 1), "www.example.com") << "title falls back to the typed address";
    EXPECT_EQ(RecordUrl(bytes, 2), "https://secure.example");
    EXPECT_EQ(RecordTitle(bytes, 2), "\xB0\xB2\xC8\xAB");
    EXPECT_EQ(RecordUrl(bytes, 3), "http://HTTP://CAPS.example");
    EXPECT_EQ(Int32At(bytes, 2888 + 364 * 3 + 356), 3);
    EXPECT_EQ(Int32At(bytes, 16), 4);
    EXPECT_EQ(Int32At(bytes, 20), 4);
    EXPECT_EQ(form->ScrollBox->RowCount(), 4);
    EXPECT_EQ(form->fav_num_label->text(), "收藏网址数：4     ");
    EXPECT_TRUE(form->url_edit->text().isEmpty());
    EXPECT_TRUE(form->title_edit->text().isEmpty());
    EXPECT_TRUE(form->addURL_button->isEnabled());
    EXPECT_EQ(form->focusWidget(), form->addURL_button) << "the focus stays on the button";

    // A long Chinese title is cut to 63 bytes without splitting a character.
    AddFavorite("a.example", QString(40, QChar(0x5B89)));
    bytes = File();
    EXPECT_EQ(RecordTitle(bytes, 4).size(), 62u);

    const SeenDialog* notice = AnswerNextDialog("OK");
    AddFavorite("   ", "标题");
    EXPECT_EQ(notice->text, "网址不能为空！");
    EXPECT_EQ(File().size(), bytes.size());
    EXPECT_TRUE(form->title_edit->text().isEmpty()) << "both edits are emptied";
}

TEST_F(FavoritesPageTest, CategoryLimitsAndTheUsedUpIds) {
    for (int i = 1; i < 20; ++i)
        AddCategory(QString("分类%1").arg(i));
    ASSERT_EQ(form->ListBox->count(), 20);
    const std::string twenty = File();
    EXPECT_EQ(Int32At(twenty, 24), 20);
    EXPECT_EQ(twenty[620 + 27 * 19 + 26], 19);

    const SeenDialog* full = AnswerNextDialog("OK");
    AddCategory("one more");
    EXPECT_EQ(full->text, "最多可添加20个分类，无法再添加！");
    EXPECT_EQ(File(), twenty);
    EXPECT_TRUE(form->fenlei_edit->text().isEmpty());

    // An id of 49 in use stops additions even below 20 categories.
    form->close();
    form.reset();
    std::string bytes = twenty;
    bytes[24] = 2;
    std::memset(bytes.data() + 620 + 27 * 2, 0, 27 * 18);
    bytes[620 + 27 + 26] = 49;
    WriteBytes(DataFile(), bytes);
    form = std::make_unique<TForm1>();
    form->FormCreate();
    const SeenDialog* used = AnswerNextDialog("OK");
    AddCategory("new");
    EXPECT_EQ(used->text, "请先执行导出/导入操作！");
    EXPECT_EQ(form->ListBox->count(), 2);
}

TEST_F(FavoritesPageTest, DeletingACategoryDeletesItsFavoritesAndClosesTheList) {
    AddCategory("second");
    AddCategory("third");
    SelectCategory(1);
    for (int i = 0; i < 3; ++i)
        AddFavorite(QString("s%1.example").arg(i));
    const std::string before = File();

    AnswerNextDialog("No");
    Click(form->delCatButton);
    EXPECT_EQ(File(), before) << "No changes nothing";

    const SeenDialog* question = AnswerNextDialog("Yes");
    Click(form->delCatButton);
    EXPECT_EQ(question->text, "删除此分类，将会同时删除此分类下的所有收藏，确定要删除吗？");
    const std::string bytes = File();
    EXPECT_EQ(Int32At(bytes, 20), 4) << "records stay in the file";
    EXPECT_EQ(Int32At(bytes, 16), 1);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(RecordDeleted(bytes, i), 1);
    EXPECT_EQ(Int32At(bytes, 24), 2);
    EXPECT_EQ(TextAt(bytes, 620 + 27), "third") << "the rows below move up";
    EXPECT_EQ(bytes[620 + 27 + 26], 2);
    EXPECT_EQ(bytes[620 + 27 * 2], 0);
    ASSERT_EQ(form->ListBox->count(), 2);
    EXPECT_EQ(form->ListBox->currentRow(), 0);
    EXPECT_EQ(form->fav_num_label->text(), "收藏网址数：1     ");

    form->ListBox->setCurrentRow(1);
    AnswerNextDialog("Yes");
    Click(form->delCatButton);
    ASSERT_EQ(form->ListBox->count(), 1);
    const SeenDialog* last = AnswerNextDialog("OK");
    Click(form->delCatButton);
    EXPECT_EQ(last->text, "至少要留一个分类！");
    EXPECT_EQ(form->ListBox->count(), 1);
}

TEST_F(FavoritesPageTest, DeletingCheckedFavoritesOnlyInTheShownCategory) {
    AddFavorite("a.example");
    AddFavorite("b.example");
    AddCategory("other");
    SelectCategory(1);
    AddFavorite("c.example");
    CheckRow(1);
    SelectCategory(0);
    const std::string before = File();
    Click(form->delFavButton);
    EXPECT_EQ(AnsweredDialogCount(), 0) << "nothing checked here: no question";
    EXPECT_EQ(File(), before);

    CheckRow(1);
    CheckRow(3);
    const SeenDialog* question = AnswerNextDialog("Yes");
    Click(form->delFavButton);
    EXPECT_EQ(question->text, "确定要删除选中收藏吗？");
    const std::string bytes = File();
    EXPECT_EQ(bytes.size(), before.size()) << "deletion patches records in place";
    EXPECT_EQ(RecordDeleted(bytes, 0), 1);
    EXPECT_EQ(RecordDeleted(bytes, 1), 0);
    EXPECT_EQ(RecordDeleted(bytes, 2), 1);
    EXPECT_EQ(RecordDeleted(bytes, 3), 0) << "the other category's checked favorite stays";
    ASSERT_EQ(form->ScrollBox->RowCount(), 1);
    EXPECT_EQ(form->ScrollBox->LinkRect(1).top(), 10) << "rows close up to the top";
    EXPECT_EQ(form->fav_num_label->text(), "收藏网址数：2     ");
}

TEST_F(FavoritesPageTest, SearchAcrossCategoriesThenRowKeysCheckAndDelete) {
    AddFavorite("mail.example", "Webmail");
    AddCategory("other");
    SelectCategory(1);
    AddFavorite("news.example", "Mail news");
    SelectCategory(0);
    QTest::keyClicks(form->favSearchEdit, "MAIL");
    ASSERT_EQ(form->ScrollBox->RowCount(), 2);
    EXPECT_EQ(form->ScrollBox->RowText(1), "Mail news（other）") << "the title's start first";
    // The best match stands selected: Space checks it, Delete takes it
    // though another category is selected.
    QTest::keyClick(form->ScrollBox, Qt::Key_Space);
    AnswerNextDialog("Yes");
    QTest::keyClick(form->ScrollBox, Qt::Key_Delete);
    EXPECT_EQ(RecordDeleted(File(), 2), 1);
    ASSERT_EQ(form->ScrollBox->RowCount(), 1) << "still searching";
    QTest::keyClick(form->favSearchEdit, Qt::Key_Escape);
    EXPECT_TRUE(form->favSearchEdit->text().isEmpty());
    ASSERT_EQ(form->ScrollBox->RowCount(), 2) << "the selected category again";

    QTest::keyClick(form->ScrollBox, Qt::Key_Down);
    QTest::keyClick(form->ScrollBox, Qt::Key_Down);
    EXPECT_EQ(form->ScrollBox->CurrentRow(), 2);
    QTest::keyClick(form->ScrollBox, Qt::Key_Space);
    EXPECT_TRUE(form->ScrollBox->Checked(2));
    form->ScrollBox->setFocus(Qt::TabFocusReason);
    const SeenDialog* question = AnswerNextDialog("Yes");
    QTest::keyClick(form->ScrollBox, Qt::Key_Delete);
    EXPECT_EQ(question->text, "确定要删除选中收藏吗？");
    EXPECT_EQ(RecordDeleted(File(), 1), 1);
    EXPECT_EQ(form->ScrollBox->RowCount(), 1);
    EXPECT_EQ(form->focusWidget(), form->ScrollBox) << "the rows keep the focus after the dialog";
}

TEST_F(FavoritesPageTest, MovingCategoriesAndTheEndsThatWriteNothing) {
    AddCategory("second");
    form->ListBox->setCurrentRow(0);
    const std::string before = File();
    Click(form->upImgBtn);
    EXPECT_EQ(File(), before);
    Click(form->downImgBtn);
    EXPECT_EQ(form->ListBox->currentRow(), 1);
    EXPECT_EQ(form->ListBox->item(0)->text(), "second");
    const std::string moved = File();
    EXPECT_EQ(TextAt(moved, 620), "second");
    EXPECT_EQ(moved[620 + 26], 1);
    EXPECT_EQ(form->ScrollBox->RowCount(), 1) << "the moved category keeps its favorite";
    Click(form->downImgBtn);
    EXPECT_EQ(File(), moved);
}

TEST_F(FavoritesPageTest, ClearingKeepsTheHeaderSettingsAndRemovesTheStartPage) {
    AddCategory("second");
    AddFavorite("a.example");
    Click(form->tvrCheckBox);
    std::strcpy(form->store.header.lockPassword, "secret");
    std::strcpy(form->store.quickLinks[0].url, "http://quick.example/");
    form->store.header.skinChoice = 1;
    const QString mine =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/mine.htm";
    QDir().mkpath(QFileInfo(mine).path());
    QFile(mine).open(QIODevice::WriteOnly);

    AnswerNextDialog("No");
    Click(form->clearBtn);
    EXPECT_EQ(form->ListBox->count(), 2);

    AnswerNextDialog("Yes");
    Click(form->clearBtn);
    const std::string bytes = File();
    ASSERT_EQ(bytes.size(), 3252u);
    EXPECT_EQ(bytes[28], 1);
    EXPECT_EQ(bytes[31], 1);
    EXPECT_EQ(TextAt(bytes, 96), "secret");
    EXPECT_EQ(TextAt(bytes, 1160 + 16), "http://quick.example/");
    EXPECT_EQ(RecordTitle(bytes, 0), "Tavinor");
    ASSERT_EQ(form->ListBox->count(), 1);
    EXPECT_EQ(form->ListBox->item(0)->text(), "默认分类");
    EXPECT_EQ(form->ScrollBox->RowCount(), 1);
    EXPECT_FALSE(QFile::exists(mine));
}

TEST_F(FavoritesPageTest, StartOptionsExcludeEachOtherAndLinksOpenInTheBrowser) {
    Click(form->tvrCheckBox);
    Click(form->mineCheckBox);
    EXPECT_FALSE(form->tvrCheckBox->isChecked());
    EXPECT_EQ(form->store.header.openMinePageOnStart, 1);
    EXPECT_EQ(form->store.header.openSitePageOnStart, 0);
    Click(form->tvrCheckBox);
    EXPECT_FALSE(form->mineCheckBox->isChecked());
    Click(form->tvrCheckBox);
    EXPECT_EQ(form->store.header.openSitePageOnStart, 0);
    EXPECT_EQ(form->store.header.openMinePageOnStart, 0);

    AddFavorite("https://open.example/");
    FavoriteRows* rows = form->ScrollBox;
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, rows->LinkRect(2).center());
    ASSERT_TRUE(WaitFor([] { return !OpenedAddresses().isEmpty(); }, 5000));
    EXPECT_EQ(OpenedAddresses(), QStringList{"https://open.example/"});
}

TEST_F(FavoritesPageTest, TheWheelScrollsThirtyPixelsAStep) {
    for (int i = 0; i < 40; ++i)
        AddFavorite(QString("w%1.example").arg(i));
    FavoriteRows* rows = form->ScrollBox;
    ASSERT_GT(rows->verticalScrollBar()->maximum(), 60);
    const QPoint centre = rows->viewport()->rect().center();
    QWheelEvent down(centre, rows->viewport()->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(rows->viewport(), &down);
    EXPECT_EQ(rows->verticalScrollBar()->value(), 30);
    QApplication::sendEvent(rows->viewport(), &down);
    EXPECT_EQ(rows->verticalScrollBar()->value(), 60);
    QWheelEvent up(centre, rows->viewport()->mapToGlobal(centre), {}, {0, 120}, Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(rows->viewport(), &up);
    EXPECT_EQ(rows->verticalScrollBar()->value(), 30);
}

TEST_F(FavoritesPageTest, GeneratingTheStartPageReportsSuccessOrFailure) {
    AddFavorite("gen.example", "<b>bold</b>");
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString mine = documents + "/mine.htm";
    const SeenDialog* done = AnswerNextDialog("OK");
    Click(form->generateBtn);
    EXPECT_EQ(done->text, "生成我的首页成功！");
    const std::string page = ReadBytes(mine.toStdString());
    EXPECT_EQ(page, BuildStartPage(form->store, false, "http://127.0.0.1:9/"));
    EXPECT_NE(page.find("&lt;b&gt;bold&lt;/b&gt;"), std::string::npos);

    // A documents "folder" that is a file: the page cannot be written.
    QDir(documents).removeRecursively();
    QFile blocker(documents);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const SeenDialog* failed = AnswerNextDialog("OK");
    Click(form->generateBtn);
    QFile::remove(documents);
    EXPECT_NE(failed->text, "生成我的首页成功！");
    EXPECT_TRUE(failed->text.contains("mine.htm"));
    EXPECT_TRUE(form->generateBtn->isEnabled());
}

} // namespace

// What the user is told when the data file cannot be written: once at start,
// and at every change that could not be saved.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>

#include "core/store/store_load.h"
#include "support/dialogs.h"
#include "support/temp_dir.h"
#include "support/waits.h"
#include "ui/favorites/FavoriteRows.h"
#include "ui/shell/TForm1.h"
#include "ui/skin/suiPageControl.h"

namespace {

const char kSaveFailed[] = "无法写入数据文件，这次更改没有保存。请检查数据文件夹是否可以写入。";

std::string DataFile() {
    return (QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            "/tavinor/tvr.dat")
        .toStdString();
}

// Writes fail past `bytes` for this process, as on a full quota; unlike
// permission bits this holds for root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

class DataFileFailuresTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("TAVINOR_SITE", "http://127.0.0.1:9");
        std::filesystem::remove_all(DataFile());
        ResetAnsweredDialogs();
        form = std::make_unique<TForm1>();
    }
    void TearDown() override {
        form->close();
        form.reset();
        std::filesystem::remove_all(DataFile());
    }
    void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        QTest::keyClicks(edit, text);
    }
    std::unique_ptr<TForm1> form;
};

TEST_F(DataFileFailuresTest, AFileThatCannotBeWrittenIsNoticedOnceAtStart) {
    {
        std::filesystem::create_directories(std::filesystem::path(DataFile()).parent_path());
        Store store;
        store.path = DataFile();
        LoadStoreFile(store, "http://127.0.0.1:9/", "2026/12/9 13:00:00");
    }
    const std::string before = ReadBytes(DataFile());
    const SeenDialog* notice = AnswerNextDialog("OK");
    {
        FileSizeLimit noWrites(1024);
        form->LoadStore();
    }
    EXPECT_EQ(notice->text, "无法写入数据文件，本次运行中的更改不会保存。");
    EXPECT_EQ(notice->caption, "Tavinor");
    EXPECT_EQ(AnsweredDialogCount(), 1);
    EXPECT_EQ(ReadBytes(DataFile()), before);
    EXPECT_EQ(form->ListBox->count(), 1) << "the file was read all the same";

    // The user was told: failed saves of this run are not reported again.
    std::filesystem::remove(DataFile());
    Type(form->url_edit, "a.example");
    QTest::mouseClick(form->addURL_button, Qt::LeftButton);
    Linger(300);
    EXPECT_EQ(AnsweredDialogCount(), 1);
}

TEST_F(DataFileFailuresTest, EveryChangeThatCannotBeSavedIsReported) {
    AnswerNextDialog("OK"); // no notice is expected at start
    form->FormCreate();
    form->show();
    ASSERT_TRUE(WaitExposed(form.get()));
    ASSERT_EQ(AnsweredDialogCount(), 0);
    ResetAnsweredDialogs();
    form->suiPageControl1->setCurrentWidget(form->guanliTabSheet);

    // The file is replaced behind the program's back by something no one,
    // root included, can write into.
    std::filesystem::remove(DataFile());
    std::filesystem::create_directory(DataFile());

    const SeenDialog* added = AnswerNextDialog("OK");
    Type(form->url_edit, "a.example");
    QTest::mouseClick(form->addURL_button, Qt::LeftButton);
    EXPECT_EQ(added->text, kSaveFailed);
    EXPECT_EQ(form->ScrollBox->RowCount(), 2) << "the favorite stays for this run";

    const SeenDialog* category = AnswerNextDialog("OK");
    Type(form->fenlei_edit, "second");
    QTest::mouseClick(form->addFenlei_button, Qt::LeftButton);
    EXPECT_EQ(category->text, kSaveFailed);

    const SeenDialog* moved = AnswerNextDialog("OK");
    form->ListBox->setCurrentRow(1);
    form->upImgBtnClick();
    EXPECT_EQ(moved->text, kSaveFailed);
    EXPECT_EQ(AnsweredDialogCount(), 3);

    const SeenDialog* atClose = AnswerNextDialog("OK");
    form->close();
    EXPECT_EQ(atClose->text, kSaveFailed);
    EXPECT_TRUE(std::filesystem::is_directory(DataFile()));
}

} // namespace

#pragma once
// The main window on its favorites page, started on a new data file with
// nothing answered or opened yet; the site address refuses every connection.

#include <QFile>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "support/browser_recorder.h"
#include "support/dialogs.h"
#include "support/waits.h"
#include "ui/shell/TForm1.h"
#include "ui/skin/suiPageControl.h"

inline std::string FavoritesDataFile() {
    return (QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            "/tavinor/tvr.dat")
        .toStdString();
}

class FavoritesPageFixture : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("TAVINOR_SITE", "http://127.0.0.1:9");
        QFile::remove(QString::fromStdString(FavoritesDataFile()));
        ClearOpenedAddresses();
        ResetAnsweredDialogs();
        form = std::make_unique<TForm1>();
        form->FormCreate();
        form->show();
        ASSERT_TRUE(WaitExposed(form.get()));
        form->suiPageControl1->setCurrentWidget(form->guanliTabSheet);
    }
    void TearDown() override {
        StopAnsweringFileDialogs();
        form->close();
        form.reset();
    }
    std::unique_ptr<TForm1> form;
};

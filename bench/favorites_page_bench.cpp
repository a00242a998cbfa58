// The favorites page with 100,000 favorites in 20 categories: start-up until
// the window shows the first category, switching categories, and deleting
// all 5,000 favorites of one category. Median of several runs, in ms.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench_home.h"
#include "large_store_file.h"
#include "support/dialogs.h"
#include "ui/favorites/FavoriteRows.h"
#include "ui/shell/TForm1.h"
#include "ui/skin/suiPageControl.h"

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double TimeMs(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

void Settle() {
    QApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    const BenchHome home;
    QApplication app(argc, argv);
    const std::string file = (home.DataFolder() + "/tvr.dat").toStdString();
    constexpr int kRuns = 5;

    std::vector<double> open, switching, deleting;
    for (int run = 0; run < kRuns; ++run) {
        WriteLargeStoreFile(file, 100000);
        TForm1* form = nullptr;
        open.push_back(TimeMs([&] {
            form = new TForm1;
            form->FormCreate();
            form->suiPageControl1->setCurrentWidget(form->guanliTabSheet);
            form->show();
            if (!QTest::qWaitForWindowExposed(form))
                std::printf("window not exposed\n");
            Settle();
        }));
        switching.push_back(TimeMs([&] {
                                for (int row = 1; row <= 10; ++row) {
                                    form->ListBox->setCurrentRow(row);
                                    form->ScrollBox->repaint();
                                }
                            }) /
                            10);
        form->ListBox->setCurrentRow(3);
        deleting.push_back(TimeMs([&] {
            form->selectAllCheckBox->click();
            AnswerNextDialog("Yes");
            form->delFavButtonClick();
            form->ScrollBox->repaint();
        }));
        std::printf("run %d: open %.1f ms, switch %.2f ms, delete 5000 %.1f ms (rows left %d)\n",
                    run + 1, open.back(), switching.back(), deleting.back(),
                    form->ScrollBox->RowCount());
        form->close();
        delete form;
    }
    std::printf("median: open until shown %.1f ms, switch category %.2f ms, "
                "delete a category's 5000 favorites %.1f ms\n",
                Median(open), Median(switching), Median(deleting));
    return 0;
}

// The floor for bench/favorites_search_bench: Qt's own filter-as-you-type
// (a QSortFilterProxyModel over the same 100,000 titles and addresses,
// case-insensitive), the same 200 keystrokes, each with the list's redraw.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QTest>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

#include "search_workload.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList lines;
    for (int i = 0; i < 100000; ++i)
        lines << QString::fromStdString(WorkloadTitle(i) + "   " + WorkloadUrl(i));
    QStringListModel model(lines);
    QSortFilterProxyModel filter;
    filter.setSourceModel(&model);
    filter.setFilterCaseSensitivity(Qt::CaseInsensitive);
    QWidget window;
    auto* edit = new QLineEdit(&window);
    auto* view = new QListView(&window);
    view->setUniformItemSizes(true);
    view->setModel(&filter);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(edit);
    layout->addWidget(view);
    QObject::connect(edit, &QLineEdit::textChanged, &filter,
                     &QSortFilterProxyModel::setFilterFixedString);
    window.resize(470, 570);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::printf("window not exposed\n");
    edit->setFocus();

    std::vector<double> times;
    std::vector<double> cpu;
    QElapsedTimer timer;
    for (const char key : WorkloadKeystrokes()) {
        timer.restart();
        const double cpuBefore = ThreadCpuMs();
        if (key == '\b')
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClick(edit, key);
        view->repaint();
        times.push_back(timer.nsecsElapsed() / 1e6);
        cpu.push_back(ThreadCpuMs() - cpuBefore);
        QTest::qWait(std::max(0, kKeyGapMs - static_cast<int>(timer.elapsed())));
    }
    const auto worst = std::max_element(times.begin(), times.end());
    std::printf("bare Qt: the worst keystroke took %.2f ms, %.2f ms of it on the processor\n",
                *worst, cpu[worst - times.begin()]);
    std::sort(times.begin(), times.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("bare Qt: processor time per keystroke, median %.2f ms, worst %.2f ms\n",
                cpu[cpu.size() / 2], cpu.back());
    std::printf("bare Qt: %zu keystrokes, median %.2f ms, worst %.2f ms\n", times.size(),
                times[times.size() / 2], times.back());
    return 0;
}

#pragma once
// The favorite rows: those of the selected category, or those matching the
// search field's text across all categories. A check box and a link per
// favorite; only the rows in view are drawn, so the page stays fast with any
// number of favorites. The keyboard moves a current row (arrows, Page
// Up/Down, Home, End), Space checks it, Enter opens it.

#include <QAbstractScrollArea>
#include <QTimer>
#include <string>
#include <vector>

#include "core/favorites/favorite_search.h"

struct Store;

class FavoriteRows : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit FavoriteRows(Store& store, QWidget* parent = nullptr);

    // Lists the favorites of the category with this id, in file order.
    void ShowCategory(int categoryId);
    // Back to the category shown before the search; the index stays for
    // the next one.
    void EndSearch();
    // Lists the favorites matching `query` (GBK), best first, each with its
    // category's name beside it.
    void ShowMatches(const std::string& query);
    bool Searching() const { return !query_.empty(); }
    // Whether the search still looks for matches beyond those listed.
    bool FindingMore() const { return findingMore_.isActive(); }
    // Builds the search index ahead of the first keystroke.
    void PrepareSearch();
    std::size_t IndexBytes() const { return index_.MemoryBytes(); }
    // Re-reads the store after favorites were added or removed.
    void Refresh();
    // The rows listed so far: while searching, the matches found in their
    // final order; the rest follow while the window is idle.
    int RowCount() const {
        return static_cast<int>(Searching() ? index_.Settled() : shown_.size());
    }
    // Index into store.items of the n-th (1-based) shown row.
    int ItemAt(int n) const { return Searching() ? index_.At(n - 1) : shown_[n - 1]; }
    // The current row (1-based), 0 when there is none.
    int CurrentRow() const { return current_; }
    void MoveCurrent(int steps);
    // Opens the current row's favorite, else the first row's, as a click on
    // its link does.
    void OpenCurrent();
    // The n-th row's caption, with its category's name while searching.
    QString RowText(int n) const;
    bool Checked(int n) const;
    void ToggleChecked(int n);

    // Places of the n-th (1-based) row's check box and link, in content
    // coordinates (before scrolling).
    QRect CheckBoxRect(int n) const;
    QRect LinkRect(int n) const;
    void ScrollToTop();

signals:
    void LinkClicked(int item);
    void DeleteRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    QString Caption(int n) const;
    QString CategoryName(int n) const;
    int RowAt(int contentY) const;
    void List();
    void SettleView();
    // Looks at up to this many more favorites for the search's other matches.
    void FindMore(std::size_t favorites);
    void SetCurrent(int n);
    void UpdateScrollRange();

    Store& store_;
    int categoryId_ = 0;
    std::string query_;
    FavoriteIndex index_;
    bool indexStale_ = true;
    std::vector<int> shown_;
    QTimer findingMore_;
    int current_ = 0;
};

#pragma once
// The favorite rows of the selected category: a check box and a link per
// favorite. Only the rows in view are drawn, so the page stays fast with any
// number of favorites.

#include <QAbstractScrollArea>
#include <vector>

struct Store;

class FavoriteRows : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit FavoriteRows(Store& store, QWidget* parent = nullptr);

    // Lists the favorites of the category with this id, in file order.
    void ShowCategory(int categoryId);
    // Re-reads the store after favorites were added or removed.
    void Refresh();
    int RowCount() const { return static_cast<int>(shown_.size()); }
    // Index into store.items of the n-th (1-based) shown row.
    int ItemAt(int n) const { return shown_[n - 1]; }

    // Places of the n-th (1-based) row's check box and link, in content
    // coordinates (before scrolling).
    QRect CheckBoxRect(int n) const;
    QRect LinkRect(int n) const;
    void ScrollToTop();

signals:
    void LinkClicked(int item);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString Caption(int n) const;
    int RowAt(int contentY) const;
    void UpdateScrollRange();

    Store& store_;
    int categoryId_ = 0;
    std::vector<int> shown_;
};

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionButton>

#include "core/favorites/favorite_ops.h"
#include "core/store/store.h"
#include "ui/favorites/FavoriteRows.h"
#include "ui/favorites/favorite_rows_accessible.h"
#include "ui/text/gbk_codec.h"

namespace {
constexpr int kCheckLeft = 16;
constexpr int kCheckSize = 16;
constexpr int kLinkLeft = 48;
constexpr int kRowHeight = 20;
constexpr int kWheelStep = 30;
constexpr int kBottomMargin = 10;
constexpr int kCategoryGap = 16;
// Favorites a search looks at per turn of the event loop once the rows in
// view are found: a fraction of a millisecond, so that a key pressed
// meanwhile waits for no more.
constexpr std::size_t kFavoritesPerTurn = 4096;
} // namespace

FavoriteRows::FavoriteRows(Store& store, QWidget* parent)
    : QAbstractScrollArea(parent), store_(store) {
    InstallFavoriteRowsAccessible();
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::WheelFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont linkFont = font();
    linkFont.setPointSize(10);
    linkFont.setUnderline(true);
    setFont(linkFont);
    connect(&findingMore_, &QTimer::timeout, this, [this] { FindMore(kFavoritesPerTurn); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &FavoriteRows::SettleView);
}

void FavoriteRows::ShowCategory(int categoryId) {
    categoryId_ = categoryId;
    query_.clear();
    Refresh();
}

void FavoriteRows::EndSearch() {
    query_.clear();
    List();
}

void FavoriteRows::ShowMatches(const std::string& query) {
    query_ = query;
    if (SearchKey(query_).empty())
        query_.clear();
    List();
    ScrollToTop();
}

void FavoriteRows::Refresh() {
    // Whatever changed the favorites, the index is built again when next
    // searched.
    indexStale_ = true;
    List();
}

void FavoriteRows::PrepareSearch() {
    if (indexStale_)
        index_.Build(store_.items);
    indexStale_ = false;
}

void FavoriteRows::List() {
    shown_.clear();
    if (Searching()) {
        PrepareSearch();
        index_.Search(query_);
        SettleView();
        if (index_.Complete())
            findingMore_.stop();
        else
            findingMore_.start(0);
    } else {
        findingMore_.stop();
        for (std::size_t i = 0; i < store_.items.size(); ++i)
            if (store_.items[i].categoryId == categoryId_)
                shown_.push_back(static_cast<int>(i));
    }
    // The best match stands selected, so that Enter opens it and Down goes
    // on to the next.
    current_ = Searching() && RowCount() > 0 ? 1 : 0;
    UpdateScrollRange();
    viewport()->update();
    FavoriteRowsChanged(this);
}

void FavoriteRows::SettleView() {
    if (!Searching())
        return;
    const int pitch = RowTop(2) - RowTop(1);
    const int last = (verticalScrollBar()->value() + viewport()->height()) / pitch + 2;
    const int before = RowCount();
    index_.Settle(static_cast<std::size_t>(last));
    if (RowCount() != before)
        UpdateScrollRange();
}

void FavoriteRows::FindMore(std::size_t favorites) {
    const int before = RowCount();
    const bool complete = !Searching() || index_.Continue(favorites);
    if (RowCount() != before)
        UpdateScrollRange();
    if (complete && findingMore_.isActive()) {
        findingMore_.stop();
        FavoriteRowsChanged(this);
    }
}

void FavoriteRows::SetCurrent(int n) {
    current_ = RowCount() == 0 ? 0 : qBound(1, n, RowCount());
    if (current_ != 0) {
        // Keep the current row in view.
        QScrollBar* bar = verticalScrollBar();
        const int top = RowTop(current_) - 4;
        const int bottom = RowTop(current_) + kRowHeight + kBottomMargin;
        if (top < bar->value())
            bar->setValue(top);
        else if (bottom > bar->value() + viewport()->height())
            bar->setValue(bottom - viewport()->height());
    }
    viewport()->update();
    FavoriteRowFocused(this, current_);
}

void FavoriteRows::MoveCurrent(int steps) {
    SetCurrent(current_ == 0 && steps > 0 ? steps : current_ + steps);
}

void FavoriteRows::OpenCurrent() {
    if (RowCount() > 0)
        emit LinkClicked(ItemAt(current_ == 0 ? 1 : current_));
}

void FavoriteRows::ToggleChecked(int n) {
    FavoriteItem& item = store_.items[ItemAt(n)];
    item.checked = !item.checked;
    viewport()->update();
    FavoriteRowFocused(this, n);
}

bool FavoriteRows::Checked(int n) const {
    return store_.items[ItemAt(n)].checked;
}

QString FavoriteRows::RowText(int n) const {
    const QString text = Caption(n).trimmed();
    return Searching() ? text + "（" + CategoryName(n) + "）" : text;
}

QString FavoriteRows::CategoryName(int n) const {
    const int id = store_.items[ItemAt(n)].categoryId;
    for (int row = 0; row < store_.header.categoryCount && row < kMaxCategories; ++row)
        if (store_.categories[row].id == id)
            return FromGbk(store_.categories[row].name, sizeof store_.categories[row].name);
    return {};
}

QRect FavoriteRows::CheckBoxRect(int n) const {
    return QRect(kCheckLeft, RowTop(n), kCheckSize, kRowHeight);
}

QRect FavoriteRows::LinkRect(int n) const {
    const int width = fontMetrics().horizontalAdvance(Caption(n));
    return QRect(kLinkLeft, RowTop(n), width, kRowHeight);
}

void FavoriteRows::ScrollToTop() {
    verticalScrollBar()->setValue(0);
}

QString FavoriteRows::Caption(int n) const {
    return FromGbk(LinkCaption(store_.items[ItemAt(n)].title));
}

int FavoriteRows::RowAt(int contentY) const {
    // Rows start at Top 10 and repeat every 28 pixels.
    const int n = (contentY - RowTop(1)) / (RowTop(2) - RowTop(1)) + 1;
    if (contentY < RowTop(1) || n < 1 || n > RowCount() || contentY >= RowTop(n) + kRowHeight)
        return 0;
    return n;
}

void FavoriteRows::UpdateScrollRange() {
    const int content = RowCount() == 0 ? 0 : RowTop(RowCount()) + kRowHeight + kBottomMargin;
    verticalScrollBar()->setRange(0, qMax(0, content - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(kWheelStep);
}

void FavoriteRows::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

void FavoriteRows::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const int offset = verticalScrollBar()->value();
    const int pitch = RowTop(2) - RowTop(1);
    const int first = qMax(1, (offset - RowTop(1)) / pitch);
    const int last = qMin(RowCount(), (offset + viewport()->height()) / pitch + 1);
    for (int n = first; n <= last; ++n) {
        if (n == current_) {
            const QRect row(0, RowTop(n) - offset - 3, viewport()->width(), kRowHeight + 6);
            painter.fillRect(
                row, palette().color(hasFocus() ? QPalette::Highlight : QPalette::Midlight));
            if (hasFocus())
                painter.setPen(palette().color(QPalette::HighlightedText));
        }
        if (n != current_ || !hasFocus())
            painter.setPen(QColor(0, 0, 204));
        QStyleOptionButton box;
        box.initFrom(this);
        box.rect = CheckBoxRect(n).translated(0, -offset);
        box.rect.setHeight(kCheckSize);
        box.rect.moveTop(box.rect.top() + (kRowHeight - kCheckSize) / 2);
        box.state |= store_.items[ItemAt(n)].checked ? QStyle::State_On : QStyle::State_Off;
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, &painter, this);
        const QRect link = LinkRect(n).translated(0, -offset);
        painter.drawText(link, Qt::AlignVCenter | Qt::TextSingleLine, Caption(n));
        if (Searching()) {
            painter.setPen(Qt::gray);
            painter.drawText(link.right() + kCategoryGap, link.top(), viewport()->width(),
                             link.height(), Qt::AlignVCenter | Qt::TextSingleLine, CategoryName(n));
        }
    }
}

void FavoriteRows::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    const QPoint at = event->position().toPoint() + QPoint(0, verticalScrollBar()->value());
    const int n = RowAt(at.y());
    if (n == 0)
        return;
    if (CheckBoxRect(n).adjusted(-2, 0, 8, 0).contains(at)) {
        ToggleChecked(n);
    } else if (LinkRect(n).contains(at)) {
        emit LinkClicked(ItemAt(n));
    }
}

void FavoriteRows::mouseMoveEvent(QMouseEvent* event) {
    // The wheel reaches the rows while the mouse is over them; the search
    // field keeps the focus while the user types there.
    if (!Searching())
        setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint() + QPoint(0, verticalScrollBar()->value());
    const int n = RowAt(at.y());
    viewport()->setCursor(n != 0 && LinkRect(n).contains(at) ? Qt::PointingHandCursor
                                                             : Qt::ArrowCursor);
}

void FavoriteRows::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0)
        return event->ignore();
    verticalScrollBar()->setValue(verticalScrollBar()->value() - notches * kWheelStep);
    event->accept();
}

void FavoriteRows::keyPressEvent(QKeyEvent* event) {
    const int page = qMax(1, viewport()->height() / (RowTop(2) - RowTop(1)));
    switch (event->key()) {
    case Qt::Key_Up:
        return MoveCurrent(-1);
    case Qt::Key_Down:
        return MoveCurrent(1);
    case Qt::Key_PageUp:
        return MoveCurrent(-page);
    case Qt::Key_PageDown:
        return MoveCurrent(page);
    case Qt::Key_Home:
        return SetCurrent(1);
    case Qt::Key_End:
        FindMore(store_.items.size());
        return SetCurrent(RowCount());
    case Qt::Key_Space:
        if (current_ != 0)
            ToggleChecked(current_);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return OpenCurrent();
    case Qt::Key_Delete:
        emit DeleteRequested();
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void FavoriteRows::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    // Tab into the rows lands on a row, so that the keys have one to act on.
    const bool keyboard =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (keyboard && current_ == 0 && RowCount() > 0)
        SetCurrent(1);
    viewport()->update();
}

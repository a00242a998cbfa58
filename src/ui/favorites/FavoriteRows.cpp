#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionButton>

#include "core/favorites/favorite_ops.h"
#include "core/store/store.h"
#include "ui/favorites/FavoriteRows.h"
#include "ui/text/gbk_codec.h"

namespace {
constexpr int kCheckLeft = 16;
constexpr int kCheckSize = 16;
constexpr int kLinkLeft = 48;
constexpr int kRowHeight = 20;
constexpr int kWheelStep = 30;
constexpr int kBottomMargin = 10;
} // namespace

FavoriteRows::FavoriteRows(Store& store, QWidget* parent)
    : QAbstractScrollArea(parent), store_(store) {
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::WheelFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont linkFont = font();
    linkFont.setPointSize(10);
    linkFont.setUnderline(true);
    setFont(linkFont);
}

void FavoriteRows::ShowCategory(int categoryId) {
    categoryId_ = categoryId;
    Refresh();
}

void FavoriteRows::Refresh() {
    shown_.clear();
    for (std::size_t i = 0; i < store_.items.size(); ++i)
        if (store_.items[i].categoryId == categoryId_)
            shown_.push_back(static_cast<int>(i));
    UpdateScrollRange();
    viewport()->update();
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
    painter.setPen(QColor(0, 0, 204));
    for (int n = first; n <= last; ++n) {
        QStyleOptionButton box;
        box.initFrom(this);
        box.rect = CheckBoxRect(n).translated(0, -offset);
        box.rect.setHeight(kCheckSize);
        box.rect.moveTop(box.rect.top() + (kRowHeight - kCheckSize) / 2);
        box.state |= store_.items[ItemAt(n)].checked ? QStyle::State_On : QStyle::State_Off;
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, &painter, this);
        painter.drawText(LinkRect(n).translated(0, -offset), Qt::AlignVCenter | Qt::TextSingleLine,
                         Caption(n));
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
        FavoriteItem& item = store_.items[ItemAt(n)];
        item.checked = !item.checked;
        viewport()->update();
    } else if (LinkRect(n).contains(at)) {
        emit LinkClicked(ItemAt(n));
    }
}

void FavoriteRows::mouseMoveEvent(QMouseEvent* event) {
    // The wheel reaches the rows while the mouse is over them.
    setFocus();
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

#include "ui/skin/suiFrameGeometry.h"

#include <QtGlobal>

Qt::Edges FrameEdgesAt(const QSize& size, const QPoint& pos, int grip, int cornerGrip) {
    const bool nearLeft = pos.x() < cornerGrip, nearRight = pos.x() >= size.width() - cornerGrip;
    const bool nearTop = pos.y() < cornerGrip, nearBottom = pos.y() >= size.height() - cornerGrip;
    const bool onLeft = pos.x() < grip, onRight = pos.x() >= size.width() - grip;
    const bool onTop = pos.y() < grip, onBottom = pos.y() >= size.height() - grip;
    Qt::Edges edges;
    if (onLeft || (nearLeft && (onTop || onBottom)))
        edges |= Qt::LeftEdge;
    if (onRight || (nearRight && (onTop || onBottom)))
        edges |= Qt::RightEdge;
    if (onTop || (nearTop && (onLeft || onRight)))
        edges |= Qt::TopEdge;
    if (onBottom || (nearBottom && (onLeft || onRight)))
        edges |= Qt::BottomEdge;
    return edges;
}

namespace {

// Moves the dragged end of [low, high) and clamps the length, keeping the other end.
void ResizeSpan(int& low, int& high, bool dragLow, bool dragHigh, int delta, int minLength,
                int maxLength) {
    if (!dragLow && !dragHigh)
        return;
    if (dragLow)
        low += delta;
    if (dragHigh)
        high += delta;
    const int length = qBound(minLength, high - low, qMax(minLength, maxLength));
    if (dragLow)
        low = high - length;
    else
        high = low + length;
}

} // namespace

QRect ResizedGeometry(const QRect& start, Qt::Edges edges, const QPoint& delta,
                      const QSize& minSize, const QSize& maxSize) {
    int left = start.x(), right = start.x() + start.width();
    int top = start.y(), bottom = start.y() + start.height();
    ResizeSpan(left, right, edges & Qt::LeftEdge, edges & Qt::RightEdge, delta.x(), minSize.width(),
               maxSize.width());
    ResizeSpan(top, bottom, edges & Qt::TopEdge, edges & Qt::BottomEdge, delta.y(),
               minSize.height(), maxSize.height());
    return QRect(left, top, right - left, bottom - top);
}

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The edges of a frame of `size` that `pos` grabs: within `grip` pixels of an
// edge, or within `cornerGrip` pixels along it near a corner, so corners are easy to hit.
Qt::Edges FrameEdgesAt(const QSize& size, const QPoint& pos, int grip, int cornerGrip);

// `start` after dragging its `edges` by `delta`; the size stays within
// `minSize`..`maxSize` and the edges that are not dragged stay where they are.
QRect ResizedGeometry(const QRect& start, Qt::Edges edges, const QPoint& delta,
                      const QSize& minSize, const QSize& maxSize);

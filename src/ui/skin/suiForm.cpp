#include "ui/skin/suiForm.h"

#include "ui/skin/suiBuiltInFileTheme.h"
#include "ui/skin/suiFrameGeometry.h"
#include "ui/skin/suiTitleButton.h"

#include <QEvent>
#include <QLinearGradient>
#include <QMenu>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kCornerGrip = 12;
constexpr int kButtonTop = 4;
constexpr int kButtonGap = 2;
constexpr int kCaptionLeft = 28;

Qt::CursorShape CursorFor(Qt::Edges edges) {
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
        return Qt::SizeFDiagCursor;
    if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
        return Qt::SizeBDiagCursor;
    if (edges & (Qt::LeftEdge | Qt::RightEdge))
        return Qt::SizeHorCursor;
    if (edges & (Qt::TopEdge | Qt::BottomEdge))
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

} // namespace

suiForm::suiForm(QWidget* window)
    : QWidget(window), theme_(&BuiltInTheme(1)), client_(new QWidget(this)),
      controlBox_(new suiTitleButton(suiTitleButton::Glyph::ControlBox, this)),
      minimize_(new suiTitleButton(suiTitleButton::Glyph::Minimize, this)),
      maximize_(new suiTitleButton(suiTitleButton::Glyph::Maximize, this)),
      close_(new suiTitleButton(suiTitleButton::Glyph::Close, this)),
      controlMenu_(new QMenu(this)) {
    setObjectName("suiForm");
    setMouseTracking(true);
    client_->setObjectName("clientArea");
    client_->setAutoFillBackground(true);
    controlBox_->setObjectName("controlBoxButton");
    minimize_->setObjectName("minimizeButton");
    maximize_->setObjectName("maximizeButton");
    close_->setObjectName("closeButton");
    minimize_->setToolTip(QStringLiteral("最小化"));
    maximize_->setToolTip(QStringLiteral("最大化"));
    close_->setToolTip(QStringLiteral("关闭"));
    controlMenu_->setObjectName("controlBoxMenu");

    connect(controlBox_, &QAbstractButton::clicked, this, &suiForm::showControlMenu);
    connect(minimize_, &QAbstractButton::clicked, this, &suiForm::requestMinimize);
    connect(maximize_, &QAbstractButton::clicked, this, &suiForm::toggleMaximized);
    connect(close_, &QAbstractButton::clicked, this, &suiForm::requestClose);

    if (window) {
        window->installEventFilter(this);
        controlBox_->setIcon(window->windowIcon());
        setGeometry(window->rect());
    }
    applyFrameColors();
}

void suiForm::setCaption(const QString& caption) {
    caption_ = caption;
    if (window() != this)
        window()->setWindowTitle(caption);
    update();
}

void suiForm::setMinimizeButtonVisible(bool visible) {
    minimize_->setVisible(visible);
    placeChildren();
}

bool suiForm::isMinimizeButtonVisible() const {
    return !minimize_->isHidden();
}

void suiForm::setMaximizeButtonVisible(bool visible) {
    maximize_->setVisible(visible);
    placeChildren();
}

bool suiForm::isMaximizeButtonVisible() const {
    return !maximize_->isHidden();
}

void suiForm::setTheme(const suiBuiltInFileTheme* theme) {
    if (!theme)
        return;
    theme_ = theme;
    applyFrameColors();
}

void suiForm::applyFrameColors() {
    const auto& colors = theme_->frame();
    for (suiTitleButton* button : {controlBox_, minimize_, maximize_})
        button->setColors(colors.titleText, colors.buttonHover);
    close_->setColors(colors.titleText, colors.closeHover);
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, colors.clientBackground);
    client_->setPalette(palette);
    controlMenu_->setStyleSheet(theme_->styleSheet());
    update();
}

bool suiForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget()) {
        switch (event->type()) {
        case QEvent::Resize:
            setGeometry(parentWidget()->rect());
            break;
        case QEvent::WindowStateChange:
            maximize_->setGlyph(window()->isMaximized() ? suiTitleButton::Glyph::Restore
                                                        : suiTitleButton::Glyph::Maximize);
            maximize_->setToolTip(window()->isMaximized() ? QStringLiteral("还原")
                                                          : QStringLiteral("最大化"));
            break;
        case QEvent::WindowIconChange:
            controlBox_->setIcon(window()->windowIcon());
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void suiForm::resizeEvent(QResizeEvent* event) {
    placeChildren();
    QWidget::resizeEvent(event);
}

void suiForm::placeChildren() {
    client_->setGeometry(BorderWidth, TitleHeight, qMax(0, width() - 2 * BorderWidth),
                         qMax(0, height() - TitleHeight - BorderWidth));
    controlBox_->move(BorderWidth + 2, kButtonTop);
    int right = width() - BorderWidth - 2;
    for (suiTitleButton* button : {close_, maximize_, minimize_}) {
        if (button->isHidden())
            continue;
        right -= button->width();
        button->move(right, kButtonTop);
        right -= kButtonGap;
    }
    update();
}

void suiForm::paintEvent(QPaintEvent*) {
    const auto& colors = theme_->frame();
    QPainter painter(this);
    painter.fillRect(rect(), colors.border);
    QLinearGradient gradient(0, 0, 0, TitleHeight);
    gradient.setColorAt(0, colors.titleTop);
    gradient.setColorAt(1, colors.titleBottom);
    painter.fillRect(QRect(0, 0, width(), TitleHeight), gradient);
    // A light line along the top and a dark outline give the frame some depth.
    painter.setPen(colors.titleTop.lighter(125));
    painter.drawLine(1, 1, width() - 2, 1);
    painter.setPen(colors.border.darker(140));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    int captionRight = width() - BorderWidth - 4;
    for (suiTitleButton* button : {minimize_, maximize_, close_}) {
        if (!button->isHidden())
            captionRight = qMin(captionRight, button->x() - 4);
    }
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    const QRect captionRect(kCaptionLeft, 0, qMax(0, captionRight - kCaptionLeft), TitleHeight);
    const QString text =
        painter.fontMetrics().elidedText(caption_, Qt::ElideRight, captionRect.width());
    painter.setPen(colors.titleText);
    painter.drawText(captionRect, Qt::AlignLeft | Qt::AlignVCenter, text);
}

bool suiForm::isResizable() const {
    return window() != this && !window()->isMaximized() &&
           window()->minimumSize() != window()->maximumSize();
}

Qt::Edges suiForm::edgesAt(const QPoint& pos) const {
    if (!isResizable())
        return {};
    return FrameEdgesAt(size(), pos, BorderWidth, kCornerGrip);
}

void suiForm::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || window() == this) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressGlobal_ = event->globalPosition().toPoint();
    pressGeometry_ = window()->geometry();
    dragEdges_ = edgesAt(event->position().toPoint());
    if (dragEdges_)
        drag_ = Drag::Resize;
    else if (event->position().y() < TitleHeight && !window()->isMaximized())
        drag_ = Drag::Move;
    event->accept();
}

void suiForm::mouseMoveEvent(QMouseEvent* event) {
    const QPoint delta = event->globalPosition().toPoint() - pressGlobal_;
    switch (drag_) {
    case Drag::Move:
        window()->move(pressGeometry_.topLeft() + delta);
        break;
    case Drag::Resize: {
        const QSize minSize =
            window()->minimumSize().expandedTo(QSize(120, TitleHeight + BorderWidth));
        window()->setGeometry(
            ResizedGeometry(pressGeometry_, dragEdges_, delta, minSize, window()->maximumSize()));
        break;
    }
    case Drag::None:
        setCursor(CursorFor(edgesAt(event->position().toPoint())));
        break;
    }
    event->accept();
}

void suiForm::mouseReleaseEvent(QMouseEvent* event) {
    drag_ = Drag::None;
    setCursor(CursorFor(edgesAt(event->position().toPoint())));
    event->accept();
}

void suiForm::mouseDoubleClickEvent(QMouseEvent* event) {
    const bool onTitle =
        event->position().y() < TitleHeight && !edgesAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && onTitle && isMaximizeButtonVisible())
        toggleMaximized();
    event->accept();
}

void suiForm::requestMinimize() {
    if (isSignalConnected(QMetaMethod::fromSignal(&suiForm::minimizeRequested)))
        emit minimizeRequested();
    else if (window() != this)
        window()->showMinimized();
}

void suiForm::requestClose() {
    if (isSignalConnected(QMetaMethod::fromSignal(&suiForm::closeRequested)))
        emit closeRequested();
    else
        window()->close();
}

void suiForm::toggleMaximized() {
    if (window() == this)
        return;
    drag_ = Drag::None;
    if (window()->isMaximized())
        window()->showNormal();
    else
        window()->showMaximized();
    emit maximizeRequested();
}

void suiForm::showControlMenu() {
    const bool maximized = window()->isMaximized();
    controlMenu_->clear();
    controlMenu_->addAction(QStringLiteral("还原"), this, &suiForm::toggleMaximized)
        ->setEnabled(maximized);
    controlMenu_->addAction(QStringLiteral("最小化"), this, &suiForm::requestMinimize)
        ->setEnabled(isMinimizeButtonVisible());
    controlMenu_->addAction(QStringLiteral("最大化"), this, &suiForm::toggleMaximized)
        ->setEnabled(isMaximizeButtonVisible() && !maximized);
    controlMenu_->addSeparator();
    controlMenu_->addAction(QStringLiteral("关闭"), this, &suiForm::requestClose);
    controlMenu_->popup(controlBox_->mapToGlobal(QPoint(0, controlBox_->height() + 2)));
}

#pragma once

#include <QAbstractButton>
#include <QColor>

// A title bar button of the skinned frame; it paints its glyph itself so the
// skins only have to supply colours.
class suiTitleButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Glyph { ControlBox, Minimize, Maximize, Restore, Close };

    suiTitleButton(Glyph glyph, QWidget* parent);

    void setGlyph(Glyph glyph);
    Glyph glyph() const { return glyph_; }
    // Glyph colour and the background shown under the mouse.
    void setColors(const QColor& glyph, const QColor& hover);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    static QString AccessibleName(Glyph glyph);
    void drawGlyph(QPainter& painter, const QRectF& box) const;

    Glyph glyph_;
    QColor glyphColor_ = Qt::white;
    QColor hoverColor_ = QColor(255, 255, 255, 70);
    bool hovered_ = false;
};

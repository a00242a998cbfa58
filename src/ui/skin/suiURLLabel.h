#pragma once

#include <QLabel>

// A link label: blue and underlined, red under the mouse; a left click reports
// the address and leaves opening it to the owner.
class suiURLLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString url READ url WRITE setUrl)
public:
    explicit suiURLLabel(QWidget* parent = nullptr);

    QString url() const { return url_; }
    void setUrl(const QString& url) { url_ = url; }

signals:
    void clicked(const QString& url);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setLinkColor(const QColor& color);

    QString url_;
};

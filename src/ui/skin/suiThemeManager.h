#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;
class suiBuiltInFileTheme;
class suiMessageDialog;

// Skins the controls one window lists, all at once: each window owns one
// manager and registers its own skinned controls and message components.
class suiThemeManager : public QObject {
    Q_OBJECT
public:
    explicit suiThemeManager(QObject* parent = nullptr);

    // Registered items get the current skin at once, or, for a control nobody
    // can see yet (on a page not shown), when it is first shown; destroyed
    // ones are forgotten.
    void addControl(QWidget* control);
    void addComponent(suiMessageDialog* component);
    // A null skin is ignored.
    void setFileTheme(const suiBuiltInFileTheme* theme);
    const suiBuiltInFileTheme* fileTheme() const { return theme_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyTo(QWidget* control) const;
    void applyOrWait(QWidget* control);

    QList<QPointer<QWidget>> controls_;
    QList<QPointer<suiMessageDialog>> components_;
    const suiBuiltInFileTheme* theme_ = nullptr;
};

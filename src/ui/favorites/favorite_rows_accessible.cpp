#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QScrollBar>

#include "ui/favorites/FavoriteRows.h"
#include "ui/favorites/favorite_rows_accessible.h"

namespace {

class RowAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    RowAccessible(FavoriteRows* rows, int n) : rows_(rows), n_(n) {}

    bool isValid() const override { return rows_ && n_ <= rows_->RowCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return rows_ ? rows_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(rows_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && isValid() ? rows_->RowText(n_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect row = rows_->CheckBoxRect(n_).united(rows_->LinkRect(n_));
        const QPoint top = rows_->viewport()->mapToGlobal(
            QPoint(0, row.top() - rows_->verticalScrollBar()->value()));
        return QRect(top, QSize(rows_->viewport()->width(), row.height()));
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.checkable = true;
        state.selectable = true;
        state.focusable = true;
        if (isValid()) {
            state.checked = rows_->Checked(n_);
            state.selected = rows_->CurrentRow() == n_;
            state.focused = state.selected && rows_->hasFocus();
        }
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return {toggleAction(), pressAction()}; }
    void doAction(const QString& name) override {
        if (!isValid())
            return;
        if (name == toggleAction())
            rows_->ToggleChecked(n_);
        else if (name == pressAction())
            emit rows_->LinkClicked(rows_->ItemAt(n_));
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<FavoriteRows> rows_;
    int n_;
};

class RowsAccessible : public QAccessibleWidget {
public:
    // The rows' items stay in the framework's cache, which deletes them at
    // exit; a new list of rows deletes them before that (Forget).
    explicit RowsAccessible(FavoriteRows* rows) : QAccessibleWidget(rows, QAccessible::List) {}

    int childCount() const override { return Rows()->RowCount(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (!children_.contains(index))
            children_.insert(index, QAccessible::registerAccessibleInterface(
                                        new RowAccessible(Rows(), index + 1)));
        return QAccessible::accessibleInterface(children_.value(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (auto at = children_.cbegin(); at != children_.cend(); ++at)
            if (QAccessible::accessibleInterface(at.value()) == child)
                return at.key();
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        return Rows()->CurrentRow() > 0 ? child(Rows()->CurrentRow() - 1) : nullptr;
    }
    void Forget() {
        for (const QAccessible::Id id : std::as_const(children_))
            QAccessible::deleteAccessibleInterface(id);
        children_.clear();
    }

private:
    FavoriteRows* Rows() const { return static_cast<FavoriteRows*>(widget()); }
    mutable QHash<int, QAccessible::Id> children_;
};

QAccessibleInterface* Factory(const QString& key, QObject* object) {
    if (key == QLatin1String("FavoriteRows") && object && object->isWidgetType())
        return new RowsAccessible(static_cast<FavoriteRows*>(object));
    return nullptr;
}

} // namespace

void InstallFavoriteRowsAccessible() {
    static const bool installed = (QAccessible::installFactory(Factory), true);
    (void)installed;
}

void FavoriteRowsChanged(FavoriteRows* rows) {
    if (!QAccessible::isActive())
        return;
    if (auto* face = dynamic_cast<RowsAccessible*>(QAccessible::queryAccessibleInterface(rows)))
        face->Forget();
    QAccessibleEvent event(rows, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&event);
}

void FavoriteRowFocused(FavoriteRows* rows, int n) {
    if (!QAccessible::isActive() || n <= 0)
        return;
    QAccessibleEvent focus(rows, QAccessible::Focus);
    focus.setChild(n - 1);
    QAccessible::updateAccessibility(&focus);
    QAccessible::State changed;
    changed.checked = true;
    changed.selected = true;
    QAccessibleStateChangeEvent state(rows, changed);
    state.setChild(n - 1);
    QAccessible::updateAccessibility(&state);
}

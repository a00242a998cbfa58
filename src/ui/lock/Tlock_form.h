#pragma once
// The full-screen lock; it has no skin.

#include <QWidget>

class Tlock_form : public QWidget {
    Q_OBJECT
public:
    explicit Tlock_form(QWidget* parent = nullptr);
};

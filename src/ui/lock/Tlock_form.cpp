#include "ui/lock/Tlock_form.h"

Tlock_form::Tlock_form(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName("Tlock_form");
    setWindowTitle("lock_form");
}

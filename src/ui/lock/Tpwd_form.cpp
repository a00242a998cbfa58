#include "ui/lock/Tpwd_form.h"

Tpwd_form::Tpwd_form(QWidget* parent) : SkinnedWindow(QStringLiteral("设定密码"), parent) {
    setObjectName("Tpwd_form");
}

#include "core/lock/lock_texts.h"

const char* PasswordEntryNotice(PasswordEntry entry) {
    switch (entry) {
    case PasswordEntry::NoCurrent:
        return "请输入原密码！";
    case PasswordEntry::NoNew:
        return "请设定密码！";
    case PasswordEntry::NoRepeat:
        return "请再次输入密码！";
    case PasswordEntry::WrongCurrent:
        return "原密码错误！";
    case PasswordEntry::Mismatch:
        return "两次输入的密码不一致！";
    case PasswordEntry::Accepted:
        break;
    }
    return "";
}

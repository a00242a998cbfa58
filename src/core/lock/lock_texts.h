#pragma once
// The lock's own words, UTF-8: the lock window, the password dialog and the
// Wayland lock client say the same.

#include "core/lock/lock_password.h"

inline constexpr char kLockPromptText[] = "输入密码： ";
inline constexpr char kLockChangeLinkText[] = " 更改密码    ";
inline constexpr char kLockWrongPasswordText[] = "密码错误！     ";
inline constexpr char kLockUnlockHint[] = "解锁";
inline constexpr char kLockCapsLockHint[] = "大写锁定已打开";
inline constexpr char kPasswordDialogCaption[] = "设定密码";
inline constexpr char kCurrentPasswordLabel[] = "输入原密码：  ";
inline constexpr char kNewPasswordLabel[] = "新密码：  ";
inline constexpr char kRepeatPasswordLabel[] = "再次输入密码：   ";
inline constexpr char kPasswordOkText[] = "确定";
inline constexpr char kPasswordCancelText[] = "取消";
// The Wayland lock's change of password while the program, which keeps the
// password in its data file, is gone.
inline constexpr char kLockChangeNotSavedText[] = "程序已退出，新密码无法保存，密码未更改。";

// What the password dialog answers to a refused entry; empty for Accepted.
const char* PasswordEntryNotice(PasswordEntry entry);

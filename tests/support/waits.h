#pragma once
// The window tests' waits: for a condition, with a limit a loaded machine
// still meets, stretched by the time factor. Nothing a wait leaves behind
// (a late script answer, a pending timer) refers to the waiting caller.

#include <QString>
#include <QTest>
#include <QVariant>
#include <utility>

#include "support/time_factor.h"

class QWebEnginePage;
class QWidget;

// The limits the tests name are what a quiet machine needs. A wait allows
// four times as long, as a two-core machine shared with other work may take,
// stretched further by the time factor; only a failing wait lasts that long.
int Limit(int ms);

template <typename Condition> [[nodiscard]] bool WaitFor(Condition condition, int ms = 5000) {
    return QTest::qWaitFor(std::move(condition), Limit(ms));
}
[[nodiscard]] bool WaitExposed(QWidget* window);
[[nodiscard]] bool WaitActive(QWidget* window);
// Lets events run for a while; for checks that something does NOT happen.
void Linger(int ms);

// The page's answer to `script`; a test failure and an invalid value when
// none comes in time.
QVariant Evaluate(QWebEnginePage* page, const QString& script, int ms = 5000);

#include <QWebEnginePage>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

#include "support/waits.h"

int Limit(int ms) {
    return Stretched(4 * ms);
}

bool WaitExposed(QWidget* window) {
    return QTest::qWaitForWindowExposed(window, Limit(5000));
}

bool WaitActive(QWidget* window) {
    return QTest::qWaitForWindowActive(window, Limit(5000));
}

void Linger(int ms) {
    QTest::qWait(Stretched(ms));
}

QVariant Evaluate(QWebEnginePage* page, const QString& script, int ms) {
    struct Answer {
        QVariant value;
        bool done = false;
    };
    // The page keeps the callback after a timeout and calls it when the
    // answer comes or the page goes: the answer outlives this call.
    auto answer = std::make_shared<Answer>();
    page->runJavaScript(script, [answer](const QVariant& value) {
        answer->value = value;
        answer->done = true;
    });
    if (!WaitFor([&] { return answer->done; }, ms)) {
        ADD_FAILURE() << "no answer to " << script.toStdString();
        return {};
    }
    return answer->value;
}

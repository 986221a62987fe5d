#pragma once

#include "platform/ns/appkit/WebView.h"

#include <QTest>
#include <QVariant>

#include <gtest/gtest.h>

namespace appkit_test
{

// Runs the script in the view's page and waits for its answer (null when it fails).
inline QVariant evaluate(ns::WebView& view, const QString& script)
{
    QVariant answer;
    bool answered = false;
    view.evaluateJavaScript(script, [&](const QVariant& value) {
        answer = value;
        answered = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, 20000));
    return answer;
}

} // namespace appkit_test

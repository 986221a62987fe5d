#pragma once

#include "platform/ns/appkit/Window.h"

#include <QStringList>
#include <QTimer>

namespace appkit_test
{

// The texts and buttons of an alert that was answered.
struct AlertSeen {
    QStringList texts;
    QStringList buttons;
    bool shown = false;
};

// Answers the next alert that runs with the button of that title, noting what it showed.
void answerNextAlert(const QString& button, AlertSeen* seen);

// Answers every alert that runs while it lives with the button of that
// title (also alerts that come later from the device's replies), noting the
// texts of each.
class AlertAnswerer
{
public:
    explicit AlertAnswerer(const QString& button = QStringLiteral("OK"));
    // The texts of each alert answered, in order.
    QList<QStringList> alerts;
    // Whether an answered alert showed the text.
    bool showed(const QString& text) const
    {
        for (const QStringList& texts : alerts)
            if (texts.contains(text))
                return true;
        return false;
    }

private:
    QTimer timer_;
    ns::Window* answering_ = nullptr;
};

} // namespace appkit_test

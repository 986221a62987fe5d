#pragma once

#include "tests/config/ConfigTestSupport.h"

#include "app/config/ConfigManager.h"
#include "app/config/ConfigService.h"
#include "device/InitService.h"

#include <QStringList>

#include <string>

// An operator-file service over settings of its own. The IMSI is shared by
// every service, so each one starts without it.
struct ServiceUnderTest {
    explicit ServiceUnderTest(const ns::Dictionary& settings = ns::Dictionary()) : app(settings)
    {
        service.setImsi(QString());
    }

    TemporaryAppBundle app;
    ConfigManager store;
    ConfigService switches{store};
    InitService service{store, switches};
};

// Collects the warnings logged while it lives.
class LogCapture
{
public:
    LogCapture()
    {
        lines().clear();
        previous_ = qInstallMessageHandler(collect);
    }
    ~LogCapture() { qInstallMessageHandler(previous_); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // The lines logged so far, one a line.
    static std::string text() { return lines().join(u'\n').toStdString(); }

private:
    static QStringList& lines()
    {
        static QStringList collected;
        return collected;
    }

    static void collect(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type == QtWarningMsg)
            lines() << message;
    }

    QtMessageHandler previous_;
};

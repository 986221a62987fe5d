#pragma once

#include "tests/config/ConfigTestSupport.h"

#include "app/config/ConfigManager.h"
#include "app/config/ConfigService.h"
#include "connection/DialServiceTransplant.h"

// A profile named by its provider, as the operator tables and the file hold them.
inline ns::Dictionary profileNamed(const QString& provider)
{
    return ns::Dictionary{{QStringLiteral("provider"), provider},
                          {QStringLiteral("apnName"), provider + ".apn"}};
}

// The providers of a profile array, in order.
inline QStringList providersOf(const ns::Array& profiles)
{
    QStringList providers;
    for (const ns::Value& profile : profiles)
        providers << profile.toDictionary().value(QStringLiteral("provider")).toString();
    return providers;
}

// The matching service over settings of its own.
struct TransplantUnderTest {
    explicit TransplantUnderTest(const ns::Dictionary& settings = ns::Dictionary()) : app(settings) {}

    QString dialConfigPath() const { return app.dataFolder() + "/dialConfig.plist"; }
    ns::Array dialConfigOnDisk() const
    {
        return ns::PropertyList::readArray(dialConfigPath()).value_or(ns::Array());
    }

    TemporaryAppBundle app;
    ConfigManager store;
    ConfigService switches{store};
    DialServiceTransplant service{store, switches};
};

#pragma once

#include "platform/ae/AppleEvent.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QTemporaryDir>

#include <optional>

namespace aetest
{

// The application object that listening and QProcess need, made once.
inline void ensureApplication()
{
    static int argc = 1;
    static char name[] = "ae_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

// Sets an environment variable for the lifetime of the object (unsets it for
// a null value) and puts back what was there before.
class EnvironmentOverride
{
public:
    EnvironmentOverride(const char* name, const QByteArray& value) : name_(name)
    {
        if (qEnvironmentVariableIsSet(name))
            old_ = qgetenv(name);
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvironmentOverride()
    {
        if (old_)
            qputenv(name_, *old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    std::optional<QByteArray> old_;
};

// A private runtime folder for the lifetime of the object.
class PrivateRuntimeDirectory
{
public:
    PrivateRuntimeDirectory() : override_("TRELVAN_RUNTIME_DIR", dir_.path().toLocal8Bit()) {}
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    EnvironmentOverride override_;
};

inline ae::Descriptor text(const QString& value)
{
    return {ae::typeUTF8Text, value.toUtf8()};
}

inline QString text(const ae::AppleEvent& event, ae::OSType keyword)
{
    return QString::fromUtf8(event.paramDescriptor(keyword).value_or(ae::Descriptor()).data);
}

} // namespace aetest

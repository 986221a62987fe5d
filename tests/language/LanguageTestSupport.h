#pragma once

#include "TextPrinting.h"
#include "tests/config/ConfigTestSupport.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <map>
#include <optional>

// A private application bundle with the given settings and language folders.
// Every token list, the root one included, holds "Which" = the name of its
// language ("root" for the root list), so a lookup of "Which" tells which one
// the framework has loaded.
class LanguageBundle : public TemporaryAppBundle
{
public:
    LanguageBundle(const ns::Dictionary& settings, const QStringList& languageFolders)
        : TemporaryAppBundle(settings)
    {
        writeTokenList(resourcesPath() + "/LanguageTokenList.txt", "root");
        for (const QString& name : languageFolders) {
            QDir().mkpath(resourcesPath() + '/' + name + ".lproj");
            writeTokenList(resourcesPath() + '/' + name + ".lproj/LanguageTokenList.txt", name);
        }
    }

    QString resourcesPath() const { return appPath() + "/Contents/Resources"; }

private:
    static void writeTokenList(const QString& path, const QString& which)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(QStringLiteral("\"Which\" = \"%1\";\n").arg(which).toUtf8());
    }
};

// The desktop's locale settings for the length of a test: LANGUAGE as given,
// LC_ALL, LC_MESSAGES and LANG unset.
class ScopedLocaleEnvironment
{
public:
    explicit ScopedLocaleEnvironment(const QString& languageList)
    {
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            saved_[name] = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
            qunsetenv(name);
        }
        qputenv("LANGUAGE", languageList.toUtf8());
    }
    ~ScopedLocaleEnvironment()
    {
        for (const auto& [name, value] : saved_) {
            if (value)
                qputenv(name, *value);
            else
                qunsetenv(name);
        }
    }

private:
    std::map<const char*, std::optional<QByteArray>> saved_;
};

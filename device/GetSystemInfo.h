#pragma once

#include <QProcessEnvironment>
#include <QString>

// Three facts about the computer for the diagnostics and the operator update
// link: the operating system's version, the user's first preferred language
// and the machine's model. Each getter computes its value afresh and keeps it.
class GetSystemInfo
{
public:
    // The report is read back up to this many bytes; a longer one is cut.
    static constexpr qint64 kReportCap = 524288;

    // Where the facts come from; tests point them elsewhere.
    struct Sources {
        QString osRelease = QStringLiteral("/etc/os-release");
        QString osReleaseFallback = QStringLiteral("/usr/lib/os-release");
        QString dmiFolder = QStringLiteral("/sys/class/dmi/id");
        QString reportFile; // the hardware report "SystemInfomation.xml"
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    };

    static GetSystemInfo& sharedGetSystemInfo();
    explicit GetSystemInfo(Sources sources);

    // The system's own name of its version ("Debian GNU/Linux 12 (bookworm)"),
    // from os-release; null when it cannot be read.
    QString getOSVersion();
    // The language code the user prefers most ("en", "pt-PT").
    QString getOSLanguage();
    // The machine's model from the firmware's DMI tables, passed through the
    // hardware report file: written as a property list, read back (at most
    // kReportCap bytes) and searched. Null when any step fails.
    QString getPCModel();

    QString osVersion() const { return osVersion_; }
    QString osLanguage() const { return osLanguage_; }
    QString PCModel() const { return PCModel_; }

    // The first "machine_name" of the report's sections' "_items", or null
    // when the file cannot be read within the cap, is no property-list array
    // or names no machine.
    static QString machineNameInReport(const QString& reportFile);

private:
    Sources sources_;
    QString osVersion_;
    QString osLanguage_;
    QString PCModel_;
};

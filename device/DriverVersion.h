#pragma once

#include <QString>

// The version of the modem's driver for the diagnostics: the main bundle's
// Info.plist "DriverVersion" when it has one, else getDataCardDriverVersion.
QString getDriverVersion(int platform, const QString& moduleFolder = QStringLiteral("/sys/module"));

// The version (as modinfo shows it) of the kernel module that drives the
// modem, read from the module folder of sysfs. On platform 1 the CDC ACM
// driver's, up to its first comma; on the others the first of the USB serial
// driver for vendors' modems, the CDC ACM driver and the network drivers that
// has one. Empty when none has.
QString getDataCardDriverVersion(int platform, const QString& moduleFolder = QStringLiteral("/sys/module"));

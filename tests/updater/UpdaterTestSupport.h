#pragma once

#include "platform/ns/Value.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace updater_test
{

// The Varnock.app of the build, whose resources the tests read.
inline const QString kVarnockBundle =
    QStringLiteral(TRELVAN_BUILD_DIR "/Trelvan.app/Contents/Resources/Varnock.app");

QString fixture(const QString& name);
QByteArray readFile(const QString& path);
bool writeFile(const QString& path, const QByteArray& bytes);
// The hexadecimal SHA-256 digest of a file's bytes (empty when it cannot be read).
QByteArray sha256Of(const QString& path);
// The dictionary's XML property-list form, for readable comparisons.
QString plistText(const ns::Dictionary& dictionary);

// Collects the messages the program logs while it lives.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;
    bool contains(const QString& part) const;
};

} // namespace updater_test

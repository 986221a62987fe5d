#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The texts the update link writes into the update information files: the
// numeric forms of the application's and the firmware's versions, and the
// one-line rewrites of the update agent's settings file UpdateCfg.ini.
namespace update_file_text
{

// The numeric application version: the text after the last "V" with its
// first "B" made a "." ("...V1.0.0B05" gives "1.0.0.05"). Empty when there is
// no "V", nothing follows it, or no "B" follows it.
QString uiVersionNumber(const QString& version);
// The same for the firmware, except that a text after "V" without "B" is kept
// as it is ("V1.2" gives "1.2").
QString firmwareVersionNumber(const QString& version);

// Whether the value may stand after a key of the settings file: it holds no
// line break nor any other control character, so it stays on its line.
bool isSafeLineValue(const QString& value);

// The settings file's bytes with every line that holds the key ("ServiceURL="
// ...) cut after the key's first occurrence and the value appended. Empty
// lines and lines of a lone "\r" are dropped, and each line is followed by
// "\n\n"; every other line is kept byte for byte. nullopt, with the reason in
// error, when the bytes are not UTF-8 text or the value is not a safe line value.
std::optional<QByteArray> rewriteLine(QByteArrayView fileBytes, QByteArrayView key, const QString& value,
                                      QString* error);

} // namespace update_file_text

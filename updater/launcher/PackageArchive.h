#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The steps with which the engine launcher takes a downloaded package into
// its own hands before anything in it runs as administrator. Each answers
// false with the reason in *error.
namespace launcher
{

// Copies the archive, without following a link, to a new file in the folder
// (which only the launcher may write), and checks that the copy has the size
// and the SHA-256 digest (32 bytes) given.
bool copyVerified(const QString& archive, const QString& folder, qint64 size, const QByteArray& sha256,
                  QString* copy, QString* error);

// An archive holds one top-level folder named like it ("CMUpdatePackage.zip"
// holds "CMUpdatePackage/"): an entry name is taken when it lies in that
// folder, is relative and has no ".." among its parts.
bool isEntryInside(const QString& entry, const QString& topFolder);

// Lists the archive's entries (unzip -Z1) and unpacks it into the folder
// (unzip -q -n -d), both by argument vector; every entry must lie inside.
bool unpack(const QString& archive, const QString& folder, QString* error);

// The folder an archive's contents lie in: its name without ".zip".
QString topFolderOf(const QString& archive);

} // namespace launcher

#pragma once

#include <QString>

#include <sys/types.h>

namespace ns
{

// The per-user folder where the Trelvan-family processes meet: the variable
// TRELVAN_RUNTIME_DIR when set, else $XDG_RUNTIME_DIR/trelvan, else
// /tmp/trelvan-<uid>. It is created owner-only (0700); an existing one that is
// a link, not ours or open to others is refused (empty result, logged). A
// root process that pkexec started for a user (PKEXEC_UID) also takes that
// user's folder, so that it can reach the user's processes.
QString runtimeDirectory();
// The folder a process of the user finds without TRELVAN_RUNTIME_DIR: in the
// user's session folder /run/user/<uid> when it has one, else /tmp/trelvan-<uid>.
QString runtimeDirectoryOfUser(uid_t uid);
// A private sub-folder of it, created owner-only; empty on failure.
QString runtimeSubdirectory(const QString& name);
// Creates path owner-only or checks an existing one the same way.
bool ensurePrivateDirectory(const QString& path);

} // namespace ns

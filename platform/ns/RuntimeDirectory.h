#pragma once

#include <QString>

namespace ns
{

// The per-user folder where the Trelvan-family processes meet: the variable
// TRELVAN_RUNTIME_DIR when set, else $XDG_RUNTIME_DIR/trelvan, else
// /tmp/trelvan-<uid>. It is created owner-only (0700); an existing one that is
// a link, not ours or open to others is refused (empty result, logged).
QString runtimeDirectory();
// A private sub-folder of it, created owner-only; empty on failure.
QString runtimeSubdirectory(const QString& name);
// Creates path owner-only or checks an existing one the same way.
bool ensurePrivateDirectory(const QString& path);

} // namespace ns

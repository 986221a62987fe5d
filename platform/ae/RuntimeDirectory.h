#pragma once

#include <QString>

namespace ae
{

// The per-user folder that holds the sockets of listening processes:
// $TRELVAN_RUNTIME_DIR when set, else $XDG_RUNTIME_DIR/trelvan, else
// /tmp/trelvan-<uid>. It is created with mode 0700 when missing. An existing
// one that is a symbolic link, not a folder, owned by another user or open to
// others is refused: the reason is logged and the result is empty.
QString runtimeDirectory();

// The socket of the process listening under a bundle identifier: the
// identifier, percent-encoded to a safe file name, plus ".sock" inside the
// runtime folder. Empty when the folder is refused or the path is too long
// for a socket address.
QString socketPath(const QString& bundleIdentifier);

} // namespace ae

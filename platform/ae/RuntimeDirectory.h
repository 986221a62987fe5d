#pragma once

#include <QString>

namespace ae
{

// The socket of the process listening under a bundle identifier: the
// identifier, percent-encoded to a safe file name, plus ".sock" inside the
// per-user runtime folder (ns::runtimeDirectory). Empty when the folder is refused or the path is too long
// for a socket address.
QString socketPath(const QString& bundleIdentifier);

} // namespace ae

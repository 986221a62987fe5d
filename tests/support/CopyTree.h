#pragma once

#include <QString>

// Copies the folder with everything in it (hidden files too) to a new place;
// false when a file cannot be copied. Tests run a private copy of a bundle.
bool copyTree(const QString& from, const QString& to);

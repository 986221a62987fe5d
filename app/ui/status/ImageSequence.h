#pragma once

#include "platform/ns/appkit/Image.h"

#include <QString>

// Image sequences are named by a path whose last character is the frame
// number: frame n is named by the path with that character replaced by the
// decimal n, so a path ending in 1 names the first frame itself.
QString imageSequenceFrameName(const QString& path, int frame);
// The application image of a frame's name followed by ".PNG"; null when the
// name is empty or there is no such image.
ns::Image imageSequenceImage(const QString& frameName);

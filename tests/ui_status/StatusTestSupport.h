#pragma once

#include "tests/support/SteppedFramePacer.h"

#include <QColor>
#include <QSize>
#include <QTemporaryDir>

namespace status_test
{

using appkit_test::SteppedFramePacer;

// A main bundle of its own, in a temporary folder, holding generated images.
class ImageBundle
{
public:
    ImageBundle();
    ~ImageBundle();
    // A solid image of the size and colour, saved under the resource name.
    void addImage(const QString& fileName, QSize size, const QColor& colour);

private:
    QTemporaryDir dir_;
};

// Runs what the animation threads have handed over to the GUI thread.
void applyPendingFrames();
bool onGuiThread();

} // namespace status_test

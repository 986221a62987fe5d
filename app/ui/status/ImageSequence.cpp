#include "app/ui/status/ImageSequence.h"

QString imageSequenceFrameName(const QString& path, int frame)
{
    return path.left(path.size() - 1) + QString::number(frame);
}

ns::Image imageSequenceImage(const QString& frameName)
{
    if (frameName.isEmpty())
        return ns::Image();
    return ns::Image::imageNamed(frameName + QStringLiteral(".PNG"));
}

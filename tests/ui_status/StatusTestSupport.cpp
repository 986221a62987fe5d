#include "StatusTestSupport.h"

#include "platform/ns/Bundle.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QThread>

namespace status_test
{

ImageBundle::ImageBundle()
{
    QDir(dir_.path()).mkpath(QStringLiteral("Test.app/Contents/Resources"));
    ns::Bundle::setMainBundlePath(dir_.filePath(QStringLiteral("Test.app")));
}

ImageBundle::~ImageBundle()
{
    ns::Bundle::setMainBundlePath(QString());
}

void ImageBundle::addImage(const QString& fileName, QSize size, const QColor& colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(dir_.filePath(QStringLiteral("Test.app/Contents/Resources/") + fileName)));
}

void applyPendingFrames()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

bool onGuiThread()
{
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

} // namespace status_test

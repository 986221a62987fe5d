#include "app/utils/Node.h"

#include "platform/ns/Bundle.h"

namespace
{

// The image of that name among the application's resources: the name as given,
// else the name with one of the image types the program ships.
QImage applicationImageNamed(const QString& name)
{
    static const char* const kImageTypes[] = {"", "png", "tiff", "tif", "icns", "jpg", "gif", "bmp"};
    const ns::Bundle& bundle = ns::Bundle::mainBundle();
    for (const char* type : kImageTypes) {
        const QString path = bundle.pathForResource(name, QString::fromLatin1(type));
        if (path.isEmpty())
            continue;
        QImage image(path);
        if (!image.isNull())
            return image;
    }
    return QImage();
}

} // namespace

void Node::addChild(const Ptr& node)
{
    if (node)
        children_.append(node);
}

void Node::addChildWithName(const QString& name, const QString& value)
{
    if (name.isNull() || value.isNull())
        return;
    auto child = std::make_shared<Node>(name);
    child->setValue(value);
    children_.append(child);
}

void Node::addChildWithNameAndImage(const QString& name, const QString& imageName)
{
    if (name.isNull() || imageName.isNull())
        return;
    auto child = std::make_shared<Node>(name);
    child->setImage(applicationImageNamed(imageName));
    child->parentNode_ = weak_from_this();
    children_.append(child);
}

#include "updater/XMLParse.h"

#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Beep.h"

#include <QFile>
#include <QHash>
#include <QtDebug>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>
#include <memory>

namespace
{

std::unique_ptr<XMLParse>& gXMLParse()
{
    static std::unique_ptr<XMLParse> instance;
    return instance;
}

QString& gXMLFilePath()
{
    static QString path;
    return path;
}

struct FreeDocument {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using Document = std::unique_ptr<xmlDoc, FreeDocument>;

const xmlChar* xml(const char* text)
{
    return reinterpret_cast<const xmlChar*>(text);
}

QString text(const xmlChar* utf8)
{
    return utf8 ? QString::fromUtf8(reinterpret_cast<const char*>(utf8)) : QString();
}

// Element and attribute names as keys. The parser keeps each name once, so a
// document's thousands of entries share a handful of names, converted once.
class NameKeys
{
public:
    const QString& operator()(const xmlChar* name)
    {
        auto it = keys_.find(name);
        if (it == keys_.end())
            it = keys_.insert(name, text(name));
        return it.value();
    }

private:
    QHash<const xmlChar*, QString> keys_;
};

// Reads the bytes as a document, then, if they are not well-formed, in
// recovery mode. No network, no DTD, no entity substitution; blanks kept.
Document readDocument(const QByteArray& bytes)
{
    if (bytes.size() > INT_MAX)
        return nullptr;
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_COMPACT;
    Document document(xmlReadMemory(bytes.constData(), int(bytes.size()), nullptr, nullptr, options));
    if (!document)
        document.reset(xmlReadMemory(bytes.constData(), int(bytes.size()), nullptr, nullptr,
                                     options | XML_PARSE_RECOVER));
    return document;
}

// The text of the nodes from first on and of their descendants, in document
// order; an entity reference stays as written.
void appendText(const xmlNode* first, QByteArray& out)
{
    for (const xmlNode* node = first; node; node = node->next) {
        switch (node->type) {
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
            out += reinterpret_cast<const char*>(node->content);
            break;
        case XML_ENTITY_REF_NODE:
            out += '&' + QByteArray(reinterpret_cast<const char*>(node->name)) + ';';
            break;
        case XML_ELEMENT_NODE:
            appendText(node->children, out);
            break;
        default:
            break;
        }
    }
}

// The text of the nodes, most often a single text node taken as it is.
QString textOfChildren(const xmlNode* first)
{
    if (first && !first->next && first->type == XML_TEXT_NODE)
        return text(first->content);
    QByteArray out;
    appendText(first, out);
    return QString::fromUtf8(out);
}

QString stringValue(const xmlNode* node)
{
    return textOfChildren(node->children);
}

QString attributeValue(const xmlAttr* attribute)
{
    return textOfChildren(attribute->children);
}

// The elements of that name in document order, the root included ("//Name").
QList<const xmlNode*> elementsNamed(const xmlDoc* document, const char* name)
{
    QList<const xmlNode*> found;
    const xmlNode* node = xmlDocGetRootElement(document);
    while (node) {
        if (node->type == XML_ELEMENT_NODE && xmlStrEqual(node->name, xml(name)))
            found.append(node);
        // Pre-order walk without recursion: down, else along, else up and along.
        if (node->type == XML_ELEMENT_NODE && node->children) {
            node = node->children;
            continue;
        }
        while (node && !node->next)
            node = node->parent && node->parent->type == XML_ELEMENT_NODE ? node->parent : nullptr;
        if (node)
            node = node->next;
    }
    return found;
}

void readPackageDescriptions(const xmlDoc* document, ns::Dictionary& info, NameKeys& keys)
{
    for (const xmlNode* package : elementsNamed(document, "PackageDescription")) {
        if (!xmlFirstElementChild(const_cast<xmlNode*>(package))) {
            qWarning("A PackageDescription without children; the rest are not read");
            return;
        }
        for (const xmlNode* child = package->children; child; child = child->next)
            if (child->type == XML_ELEMENT_NODE)
                info.setValue(keys(child->name), stringValue(child));
    }
}

ns::Array readUpdateFiles(const xmlDoc* document, NameKeys& keys)
{
    ns::Array files;
    for (const xmlNode* element : elementsNamed(document, "UpdateFile")) {
        ns::Dictionary entry{{QStringLiteral("UpdateFile"), stringValue(element)}};
        for (const xmlAttr* attribute = element->properties; attribute; attribute = attribute->next)
            entry.setValue(keys(attribute->name), attributeValue(attribute));
        files.append(entry);
    }
    return files;
}

ns::Array readServers(const xmlDoc* document, NameKeys& keys)
{
    ns::Array servers;
    for (const xmlNode* element : elementsNamed(document, "Server")) {
        ns::Dictionary server;
        for (const xmlNode* child = element->children; child; child = child->next)
            if (child->type == XML_ELEMENT_NODE)
                server.setValue(keys(child->name), stringValue(child));
        servers.append(server);
    }
    return servers;
}

// A key can be written as an element or attribute name only when it is a valid XML name.
bool isXMLName(const QString& key)
{
    return !key.isEmpty() && xmlValidateName(xml(key.toUtf8().constData()), 0) == 0;
}

} // namespace

XMLParse* XMLParse::initWithFilePath(const QString& path)
{
    if (path.isEmpty())
        return nullptr;
    gXMLFilePath() = path;
    return &sharedXMLParse();
}

XMLParse& XMLParse::sharedXMLParse()
{
    if (!gXMLParse())
        gXMLParse().reset(new XMLParse);
    return *gXMLParse();
}

void XMLParse::cleanupXMLParse()
{
    gXMLParse().reset();
}

bool XMLParse::getUpdateInfo(ns::Dictionary& info)
{
    if (gXMLFilePath().isEmpty()) {
        qWarning("No update description path is set");
        return false;
    }
    QFile file(gXMLFilePath());
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Cannot read the update description %s", qPrintable(gXMLFilePath()));
        return false;
    }
    if (!updateInfoFromData(file.readAll(), info)) {
        qWarning("The update description %s is not XML", qPrintable(gXMLFilePath()));
        return false;
    }
    return true;
}

bool XMLParse::updateInfoFromData(const QByteArray& bytes, ns::Dictionary& info)
{
    const Document document = readDocument(bytes);
    if (!document)
        return false;
    const QList<const xmlNode*> flags = elementsNamed(document.get(), "Flag");
    if (!flags.isEmpty()) {
        info.setValue(QStringLiteral("Flag"), ns::Value(stringValue(flags.first())).intValue());
        const QList<const xmlNode*> messages = elementsNamed(document.get(), "ErrMsg");
        if (!messages.isEmpty())
            info.setValue(QStringLiteral("ErrMsg"), stringValue(messages.first()));
        return true;
    }
    if (elementsNamed(document.get(), "PackageDescription").isEmpty()) {
        info.setValue(QStringLiteral("Flag"), 0);
        return true;
    }
    NameKeys keys;
    readPackageDescriptions(document.get(), info, keys);
    info.setValue(QStringLiteral("UpdateFile"), readUpdateFiles(document.get(), keys));
    info.setValue(QStringLiteral("Server"), readServers(document.get(), keys));
    return true;
}

bool XMLParse::createResult(const QString& path, const ns::Dictionary& selection)
{
    Document document(xmlNewDoc(xml("1.0")));
    xmlNode* root = xmlNewDocNode(document.get(), nullptr, xml("UpdateConfig"), nullptr);
    xmlDocSetRootElement(document.get(), root);

    xmlNode* files = xmlNewChild(root, nullptr, xml("UpdateFiles"), nullptr);
    for (const ns::Value& value : selection.value(QStringLiteral("UpdateFile")).toArray()) {
        const ns::Dictionary entry = value.toDictionary();
        const QByteArray content = entry.value(QStringLiteral("UpdateFile")).stringValue().toUtf8();
        xmlNode* file = xmlNewTextChild(files, nullptr, xml("UpdateFile"), xml(content.constData()));
        for (const auto& [key, attribute] : entry) {
            if (key == u"UpdateFile" || !isXMLName(key))
                continue;
            xmlNewProp(file, xml(key.toUtf8().constData()),
                       xml(attribute.stringValue().toUtf8().constData()));
        }
    }

    xmlNode* ftp = xmlNewChild(root, nullptr, xml("Ftp"), nullptr);
    for (const ns::Value& value : selection.value(QStringLiteral("Server")).toArray()) {
        xmlNode* server = xmlNewChild(ftp, nullptr, xml("Server"), nullptr);
        for (const auto& [key, item] : value.toDictionary())
            if (isXMLName(key))
                xmlNewTextChild(server, nullptr, xml(key.toUtf8().constData()),
                                xml(item.stringValue().toUtf8().constData()));
    }
    return writeToFile(document.get(), path);
}

bool XMLParse::writeToFile(_xmlDoc* document, const QString& path)
{
    xmlChar* dump = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(document, &dump, &size, "UTF-8", 1);
    const QByteArray bytes(reinterpret_cast<const char*>(dump), dump ? size : 0);
    xmlFree(dump);
    if (bytes.isEmpty() || !ns::writeFileAtomically(path, bytes)) {
        qWarning("Could not write document out...");
        ns::beep();
        return false;
    }
    return true;
}

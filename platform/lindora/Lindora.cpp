#include "platform/lindora/Lindora.h"

#include "platform/ns/StringsFile.h"

#include <QFileInfo>
#include <QtDebug>

#include <mutex>

namespace
{

struct WordingTable {
    std::mutex mutex;
    QString path;
    ns::Dictionary items;
};

WordingTable& current()
{
    static WordingTable table;
    return table;
}

QString numberedItemKey(int index)
{
    return u'@' + QString::number(index);
}

} // namespace

bool Lindora_Init(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        qWarning("Lindora: no token list at \"%s\"; the current table stays", qPrintable(path));
        return false;
    }
    std::optional<ns::Dictionary> items = ns::StringsFile::readFile(path);
    if (!items) {
        qWarning("Lindora: %s is not a token list; the current table stays", qPrintable(path));
        return false;
    }
    WordingTable& table = current();
    std::lock_guard lock(table.mutex);
    table.path = path;
    table.items = *items;
    return true;
}

void Lindora_Dump()
{
    WordingTable& table = current();
    std::lock_guard lock(table.mutex);
    if (table.path.isEmpty()) {
        qInfo("Lindora: no token list loaded");
        return;
    }
    int numbered = 0;
    for (const ns::Dictionary::Entry& item : table.items)
        numbered += item.first.startsWith(u'@') ? 1 : 0;
    qInfo("Lindora: %s, %d wording keys and %d numbered items", qPrintable(table.path),
          table.items.count() - numbered, numbered);
}

QString Map_Name_Item_of_IndexString(const QString& key)
{
    if (key.isEmpty())
        return QString();
    WordingTable& table = current();
    std::lock_guard lock(table.mutex);
    const ns::Value& text = table.items.value(key);
    return text.isString() ? text.toString() : key;
}

QString Map_Name_Item_of_Index(int index)
{
    WordingTable& table = current();
    std::lock_guard lock(table.mutex);
    return table.items.value(numberedItemKey(index)).toString();
}

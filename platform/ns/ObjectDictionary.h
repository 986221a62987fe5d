#pragma once

#include "platform/ns/Object.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace ns
{

// Objects by key, in the order they were set. Property-list values travel in a
// Dictionary; live objects (windows, views, services) that are handed on by
// key travel in one of these. It refers to the objects without owning them:
// whoever fills it keeps them alive while it is used.
class ObjectDictionary
{
public:
    ObjectDictionary() = default;
    ObjectDictionary(std::initializer_list<std::pair<QString, Object*>> entries)
    {
        for (const auto& [key, object] : entries)
            setObject(key, object);
    }

    int count() const { return int(entries_.size()); }
    bool isEmpty() const { return entries_.isEmpty(); }
    bool contains(const QString& key) const { return indexOf(key) >= 0; }
    QStringList keys() const
    {
        QStringList keys;
        for (const auto& entry : entries_)
            keys.append(entry.first);
        return keys;
    }

    // The object for key, or null when absent.
    Object* object(const QString& key) const
    {
        const int index = indexOf(key);
        return index < 0 ? nullptr : entries_.at(index).second;
    }
    // The object for key when it is of class T, else null.
    template <class T> T* object(const QString& key) const { return dynamic_cast<T*>(object(key)); }

    // Adds the key at the end or replaces its object in place; a null object removes the key.
    void setObject(const QString& key, Object* object)
    {
        const int index = indexOf(key);
        if (!object) {
            if (index >= 0)
                entries_.removeAt(index);
        } else if (index >= 0) {
            entries_[index].second = object;
        } else {
            entries_.append({key, object});
        }
    }
    void remove(const QString& key) { setObject(key, nullptr); }

private:
    int indexOf(const QString& key) const
    {
        for (int i = 0; i < entries_.size(); ++i)
            if (entries_.at(i).first == key)
                return i;
        return -1;
    }

    QList<std::pair<QString, Object*>> entries_;
};

} // namespace ns

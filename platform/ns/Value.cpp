#include "platform/ns/Value.h"

#include <QHash>

#include <algorithm>

#include <cmath>
#include <limits>

namespace ns
{

struct ArrayData {
    std::vector<Value> items;
};

struct DictionaryData {
    // Small dictionaries (most records of the data files) are searched in
    // order; larger ones keep a hash index beside the ordered entries.
    static constexpr int kIndexThreshold = 16;

    std::vector<Dictionary::Entry> entries;
    QHash<QString, int> index; // empty while entries are few

    int find(const QString& key) const
    {
        if (!index.isEmpty())
            return index.value(key, -1);
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].first == key)
                return int(i);
        return -1;
    }

    void append(const QString& key, const Value& value)
    {
        entries.emplace_back(key, value);
        if (!index.isEmpty())
            index.insert(key, int(entries.size()) - 1);
        else if (int(entries.size()) > kIndexThreshold)
            rebuildIndex();
    }

    void removeAt(int position)
    {
        entries.erase(entries.begin() + position);
        if (!index.isEmpty())
            rebuildIndex();
    }

    void rebuildIndex()
    {
        index.clear();
        if (int(entries.size()) <= kIndexThreshold)
            return;
        index.reserve(qsizetype(entries.size()));
        for (size_t i = 0; i < entries.size(); ++i)
            index.insert(entries[i].first, int(i));
    }
};

namespace
{

const Value& nullValue()
{
    static const Value null;
    return null;
}

// Leading "[whitespace][sign]digits" of a string, as Cocoa's scanners read it.
int skipSpace(const QString& s, int i)
{
    while (i < s.size() && s.at(i).isSpace())
        ++i;
    return i;
}

qint64 leadingInteger(const QString& s)
{
    int i = skipSpace(s, 0);
    bool negative = false;
    if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
        negative = s.at(i++) == u'-';
    qint64 value = 0;
    const qint64 most = std::numeric_limits<qint64>::max();
    for (; i < s.size() && s.at(i) >= u'0' && s.at(i) <= u'9'; ++i) {
        const int digit = s.at(i).unicode() - u'0';
        if (value > (most - digit) / 10)
            return negative ? std::numeric_limits<qint64>::min() : most;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

double leadingReal(const QString& s)
{
    int start = skipSpace(s, 0);
    int i = start;
    auto digits = [&] {
        int from = i;
        while (i < s.size() && s.at(i) >= u'0' && s.at(i) <= u'9')
            ++i;
        return i - from;
    };
    if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
        ++i;
    int mantissa = digits();
    if (i < s.size() && s.at(i) == u'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return 0.0;
    if (i < s.size() && (s.at(i) == u'e' || s.at(i) == u'E')) {
        int mark = i++;
        if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
            ++i;
        if (digits() == 0)
            i = mark;
    }
    return s.mid(start, i - start).toDouble();
}

bool stringBool(const QString& s)
{
    int i = skipSpace(s, 0);
    if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
        ++i;
    while (i < s.size() && s.at(i) == u'0')
        ++i;
    if (i >= s.size())
        return false;
    const QChar c = s.at(i);
    return c == u'Y' || c == u'y' || c == u'T' || c == u't' || (c >= u'1' && c <= u'9');
}

} // namespace

// ---- Array ----

Array::Array() : d_(std::make_shared<ArrayData>()) {}
Array::Array(std::initializer_list<Value> values) : Array()
{
    d_->items.assign(values);
}
int Array::count() const
{
    return int(d_->items.size());
}
const Value& Array::at(int index) const
{
    return index >= 0 && index < count() ? d_->items[size_t(index)] : nullValue();
}
Value& Array::operator[](int index)
{
    return d_->items.at(size_t(index));
}
void Array::append(const Value& value)
{
    d_->items.push_back(value);
}
void Array::append(Value&& value)
{
    d_->items.push_back(std::move(value));
}
void Array::reserve(int count)
{
    d_->items.reserve(size_t(std::max(count, 0)));
}
void Array::insert(int index, const Value& value)
{
    d_->items.insert(d_->items.begin() + std::clamp(index, 0, count()), value);
}
void Array::replace(int index, const Value& value)
{
    if (index >= 0 && index < count())
        d_->items[size_t(index)] = value;
}
void Array::removeAt(int index)
{
    if (index >= 0 && index < count())
        d_->items.erase(d_->items.begin() + index);
}
void Array::removeAll()
{
    d_->items.clear();
}
bool Array::contains(const Value& value) const
{
    return indexOf(value) >= 0;
}
int Array::indexOf(const Value& value) const
{
    for (int i = 0; i < count(); ++i)
        if (d_->items[size_t(i)] == value)
            return i;
    return -1;
}
std::vector<Value>::const_iterator Array::begin() const
{
    return d_->items.cbegin();
}
std::vector<Value>::const_iterator Array::end() const
{
    return d_->items.cend();
}
Array Array::copy() const
{
    Array result;
    result.d_->items = d_->items;
    return result;
}
Array Array::deepCopy() const
{
    Array result;
    result.d_->items.reserve(d_->items.size());
    for (const Value& v : d_->items)
        result.d_->items.push_back(v.deepCopy());
    return result;
}
bool Array::operator==(const Array& other) const
{
    return d_ == other.d_ || d_->items == other.d_->items;
}

// ---- Dictionary ----

Dictionary::Dictionary() : d_(std::make_shared<DictionaryData>()) {}
Dictionary::Dictionary(std::initializer_list<Entry> entries) : Dictionary()
{
    for (const Entry& e : entries)
        setValue(e.first, e.second);
}
int Dictionary::count() const
{
    return int(d_->entries.size());
}
bool Dictionary::contains(const QString& key) const
{
    return d_->find(key) >= 0;
}
const Value& Dictionary::value(const QString& key) const
{
    const int position = d_->find(key);
    return position < 0 ? nullValue() : d_->entries[size_t(position)].second;
}
void Dictionary::setValue(const QString& key, const Value& value)
{
    const int position = d_->find(key);
    if (position >= 0)
        d_->entries[size_t(position)].second = value;
    else
        d_->append(key, value);
}
void Dictionary::reserve(int count)
{
    d_->entries.reserve(size_t(std::max(count, 0)));
}
void Dictionary::remove(const QString& key)
{
    const int position = d_->find(key);
    if (position >= 0)
        d_->removeAt(position);
}
void Dictionary::removeAll()
{
    d_->entries.clear();
    d_->index.clear();
}
QStringList Dictionary::keys() const
{
    QStringList result;
    result.reserve(count());
    for (const Entry& e : d_->entries)
        result.append(e.first);
    return result;
}
std::vector<Dictionary::Entry>::const_iterator Dictionary::begin() const
{
    return d_->entries.cbegin();
}
std::vector<Dictionary::Entry>::const_iterator Dictionary::end() const
{
    return d_->entries.cend();
}
Dictionary Dictionary::copy() const
{
    Dictionary result;
    *result.d_ = *d_;
    return result;
}
Dictionary Dictionary::deepCopy() const
{
    Dictionary result;
    result.d_->entries.reserve(d_->entries.size());
    for (const Entry& e : d_->entries)
        result.d_->entries.emplace_back(e.first, e.second.deepCopy());
    result.d_->index = d_->index;
    return result;
}
void Dictionary::setDictionary(const Dictionary& other)
{
    if (d_ == other.d_)
        return;
    DictionaryData replacement = *other.d_;
    *d_ = std::move(replacement);
}
bool Dictionary::operator==(const Dictionary& other) const
{
    if (d_ == other.d_)
        return true;
    if (count() != other.count())
        return false;
    for (const Entry& e : d_->entries)
        if (!other.contains(e.first) || !(other.value(e.first) == e.second))
            return false;
    return true;
}

// ---- Value ----

bool Value::boolValue() const
{
    switch (type()) {
    case Type::Boolean:
        return std::get<bool>(v_);
    case Type::Integer:
        return std::get<qint64>(v_) != 0;
    case Type::Real:
        return std::get<double>(v_) != 0.0;
    case Type::String:
        return stringBool(std::get<QString>(v_));
    default:
        return false;
    }
}

qint64 Value::longLongValue() const
{
    switch (type()) {
    case Type::Boolean:
        return std::get<bool>(v_) ? 1 : 0;
    case Type::Integer:
        return std::get<qint64>(v_);
    case Type::Real: {
        const double r = std::get<double>(v_);
        if (std::isnan(r))
            return 0;
        if (r >= 9.2e18)
            return std::numeric_limits<qint64>::max();
        if (r <= -9.2e18)
            return std::numeric_limits<qint64>::min();
        return qint64(r);
    }
    case Type::String:
        return leadingInteger(std::get<QString>(v_));
    default:
        return 0;
    }
}

int Value::intValue() const
{
    const qint64 v = longLongValue();
    if (type() == Type::String) // string scanners saturate
        return int(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    return int(v);
}

double Value::doubleValue() const
{
    switch (type()) {
    case Type::Boolean:
    case Type::Integer:
        return double(longLongValue());
    case Type::Real:
        return std::get<double>(v_);
    case Type::String:
        return leadingReal(std::get<QString>(v_));
    default:
        return 0.0;
    }
}

QString Value::stringValue() const
{
    switch (type()) {
    case Type::String:
        return std::get<QString>(v_);
    case Type::Boolean:
    case Type::Integer:
        return QString::number(longLongValue());
    case Type::Real:
        return QString::number(std::get<double>(v_), 'g', 17);
    default:
        return QString();
    }
}

Value Value::deepCopy() const
{
    if (isArray())
        return Value(std::get<Array>(v_).deepCopy());
    if (isDictionary())
        return Value(std::get<Dictionary>(v_).deepCopy());
    return *this;
}

bool Value::operator==(const Value& other) const
{
    if (isNumber() && other.isNumber()) {
        if (type() == Type::Real || other.type() == Type::Real)
            return doubleValue() == other.doubleValue();
        return longLongValue() == other.longLongValue();
    }
    return v_ == other.v_;
}

} // namespace ns

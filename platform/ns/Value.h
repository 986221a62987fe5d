#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>
#include <variant>
#include <vector>

namespace ns
{

class Value;
struct ArrayData;
struct DictionaryData;

// A mutable array with shared identity: copies of an Array handle refer to the
// same storage, so a change made through one holder is seen by every holder.
class Array
{
public:
    Array();
    Array(std::initializer_list<Value> values);

    int count() const;
    bool isEmpty() const { return count() == 0; }
    const Value& at(int index) const;
    Value& operator[](int index);
    void append(const Value& value);
    void append(Value&& value);
    void reserve(int count);
    void insert(int index, const Value& value);
    void replace(int index, const Value& value);
    void removeAt(int index);
    void removeAll();
    bool contains(const Value& value) const;
    int indexOf(const Value& value) const; // -1 when absent

    std::vector<Value>::const_iterator begin() const;
    std::vector<Value>::const_iterator end() const;

    bool isSameObject(const Array& other) const { return d_ == other.d_; }
    Array copy() const;     // a new array holding the same elements
    Array deepCopy() const; // a new array with every nested container copied too
    bool operator==(const Array& other) const;

private:
    std::shared_ptr<ArrayData> d_;
};

// A mutable dictionary with shared identity that keeps its keys in insertion
// order (file order matters to several readers).
class Dictionary
{
public:
    using Entry = std::pair<QString, Value>;

    Dictionary();
    Dictionary(std::initializer_list<Entry> entries);

    int count() const;
    bool isEmpty() const { return count() == 0; }
    bool contains(const QString& key) const;
    // The value for key, or a null value when absent.
    const Value& value(const QString& key) const;
    // Adds the key at the end, or replaces its value in place.
    void setValue(const QString& key, const Value& value);
    void reserve(int count);
    void remove(const QString& key);
    void removeAll();
    QStringList keys() const;

    std::vector<Entry>::const_iterator begin() const;
    std::vector<Entry>::const_iterator end() const;

    bool isSameObject(const Dictionary& other) const { return d_ == other.d_; }
    Dictionary copy() const;
    Dictionary deepCopy() const;
    // Replaces the contents of this dictionary (its identity stays).
    void setDictionary(const Dictionary& other);
    bool operator==(const Dictionary& other) const;

private:
    std::shared_ptr<DictionaryData> d_;
};

// A keyed archive's object reference (a UID in a binary property list,
// <dict><key>CF$UID</key><integer>N</integer></dict> in XML). Kept as read so
// that a file holding one is written back unchanged.
struct Uid {
    quint32 value = 0;
    bool operator==(const Uid& other) const = default;
};

// One property-list value: null, boolean, integer, real, string, date, data,
// array, dictionary or UID.
class Value
{
public:
    enum class Type { Null, Boolean, Integer, Real, String, Date, Data, Array, Dictionary, Uid };

    Value() = default;
    Value(bool b) : v_(b) {}
    Value(int i) : v_(qint64(i)) {}
    Value(unsigned i) : v_(qint64(i)) {}
    Value(long i) : v_(qint64(i)) {}
    Value(long long i) : v_(qint64(i)) {}
    Value(double r) : v_(r) {}
    Value(float r) : v_(double(r)) {}
    Value(const QString& s) : v_(s) {}
    Value(const char* s) : v_(QString::fromUtf8(s)) {}
    Value(const QDateTime& d) : v_(d) {}
    Value(const QByteArray& d) : v_(d) {}
    Value(const Array& a) : v_(a) {}
    Value(const Dictionary& d) : v_(d) {}
    Value(Uid u) : v_(u) {}

    Type type() const { return Type(v_.index()); }
    bool isNull() const { return type() == Type::Null; }
    // Booleans, integers and reals are numbers, as in Cocoa.
    bool isNumber() const
    {
        return type() == Type::Boolean || type() == Type::Integer || type() == Type::Real;
    }
    bool isBool() const { return type() == Type::Boolean; }
    bool isString() const { return type() == Type::String; }
    bool isDate() const { return type() == Type::Date; }
    bool isData() const { return type() == Type::Data; }
    bool isArray() const { return type() == Type::Array; }
    bool isDictionary() const { return type() == Type::Dictionary; }
    bool isUid() const { return type() == Type::Uid; }

    // Cocoa coercions of numbers and strings; anything else gives NO / 0.
    bool boolValue() const;
    int intValue() const;
    qint64 longLongValue() const;
    float floatValue() const { return float(doubleValue()); }
    double doubleValue() const;

    // The string itself; for a number its decimal text; otherwise empty.
    QString stringValue() const;
    QString toString() const { return isString() ? std::get<QString>(v_) : QString(); }
    QDateTime toDate() const { return isDate() ? std::get<QDateTime>(v_) : QDateTime(); }
    QByteArray toData() const { return isData() ? std::get<QByteArray>(v_) : QByteArray(); }
    // The held container (shared), or a new empty one when the value is not one.
    Array toArray() const { return isArray() ? std::get<Array>(v_) : Array(); }
    Dictionary toDictionary() const { return isDictionary() ? std::get<Dictionary>(v_) : Dictionary(); }
    Uid toUid() const { return isUid() ? std::get<Uid>(v_) : Uid(); }

    Value deepCopy() const;
    // Equality as isEqual: numbers compare by value, containers by contents.
    bool operator==(const Value& other) const;

private:
    std::variant<std::monostate, bool, qint64, double, QString, QDateTime, QByteArray, Array, Dictionary, Uid>
        v_;
};

} // namespace ns

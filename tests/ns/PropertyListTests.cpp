#include "platform/ns/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

using namespace ns;

namespace
{

QDateTime utc(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}

} // namespace

TEST(PropertyList, EveryValueTypeSurvivesAWriteAndARead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("all.plist");
    Dictionary root{
        {"zeta", "Grüße, 日本語 & <xml>"},
        {"alpha", true},
        {"no", false},
        {"count", -42},
        {"big", 1LL << 40},
        {"ratio", 0.25},
        {"when", utc(2009, 3, 14, 15, 9, 26)},
        {"old", utc(1990, 1, 1, 0, 0, 0)},
        {"bytes", QByteArray("\x00\x01\xff", 3)},
        {"list", Array{"a", Dictionary{{"inner", Array{1, 2.5}}}, Array{}}},
        {"empty", Dictionary{}},
    };
    ASSERT_TRUE(PropertyList::writeFile(path, root));

    std::optional<Dictionary> back = PropertyList::readDictionary(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, root);
    EXPECT_EQ(back->keys(), root.keys());
    EXPECT_EQ(back->value("when").toDate(), utc(2009, 3, 14, 15, 9, 26));
    EXPECT_TRUE(back->value("alpha").isBool());
    EXPECT_EQ(back->value("count").type(), Value::Type::Integer);
}

TEST(PropertyList, ReadsTheMacOwnXmlFormat)
{
    std::optional<Dictionary> d = PropertyList::readDictionary(TRELVAN_FIXTURES_DIR "/ns/mac-format.plist");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->keys(),
              (QStringList{"IsLogOn", "CurrentLanguage", "Main", "SupportLanguages", "Stamp", "Blob"}));
    EXPECT_TRUE(d->value("IsLogOn").boolValue());
    EXPECT_EQ(d->value("CurrentLanguage").toString(), QString::fromUtf8("Français"));
    EXPECT_EQ(d->value("Main").toDictionary().value("Main_UIModel").intValue(), 2);
    EXPECT_DOUBLE_EQ(d->value("Main").toDictionary().value("Scale").doubleValue(), 1.5);
    EXPECT_EQ(d->value("SupportLanguages").toArray().count(), 2);
    EXPECT_EQ(d->value("Stamp").toDate(), utc(2010, 6, 1, 12, 30, 0));
    EXPECT_EQ(d->value("Blob").toData(), QByteArray("hello"));
}

TEST(PropertyList, GarbageAndTruncatedFilesAreNotPropertyLists)
{
    QTemporaryDir dir;
    QFile good(TRELVAN_FIXTURES_DIR "/ns/mac-format.plist");
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray xml = good.readAll();
    const QByteArray inputs[] = {xml.left(xml.size() / 2), QByteArray("not a plist at all"),
                                 QByteArray("bplist00\x01\x02", 10), QByteArray()};
    for (const QByteArray& bytes : inputs)
        EXPECT_FALSE(PropertyList::fromData(bytes)) << bytes.left(20).toStdString();
    EXPECT_FALSE(PropertyList::readFile(dir.filePath("missing.plist")));
}

TEST(PropertyList, AValueHoldingNullIsRefusedAndTheOldFileKept)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.plist");
    ASSERT_TRUE(PropertyList::writeFile(path, Dictionary{{"k", 1}}));
    EXPECT_FALSE(PropertyList::writeFile(path, Dictionary{{"k", Value()}}));
    EXPECT_EQ(PropertyList::readDictionary(path)->value("k").intValue(), 1);
    EXPECT_FALSE(PropertyList::writeFile(dir.filePath("no/such/folder/x.plist"), Dictionary{}));
}

namespace
{

QByteArray fixture(const char* name)
{
    QFile file(QString::fromUtf8(TRELVAN_FIXTURES_DIR "/") + QString::fromUtf8(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A binary property list of the given objects (object 0 on top), its
// offsets one or two bytes wide; the trailer fields can be overridden to make
// broken files.
struct BinaryPlist {
    std::vector<QByteArray> objects;
    int refSize = 1;
    std::optional<quint64> objectCount = std::nullopt;
    quint64 top = 0;
    std::optional<quint64> tableOffset = std::nullopt;
    int offsetShift = 0; // added to every offset

    QByteArray bytes() const
    {
        QByteArray out("bplist00");
        std::vector<int> offsets;
        for (const QByteArray& o : objects) {
            offsets.push_back(int(out.size()) + offsetShift);
            out.append(o);
        }
        const int offsetSize = out.size() < 256 ? 1 : 2;
        const quint64 table = tableOffset.value_or(quint64(out.size()));
        for (const int offset : offsets) {
            if (offsetSize == 2)
                out.append(char(offset >> 8));
            out.append(char(offset));
        }
        out.append(6, '\0');
        out.append(char(offsetSize)).append(char(refSize));
        for (const quint64 n : {objectCount.value_or(objects.size()), top, table})
            for (int shift = 56; shift >= 0; shift -= 8)
                out.append(char(n >> shift));
        return out;
    }
};

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (const int v : values)
        out.append(char(v));
    return out;
}

// depth arrays, each the only element of the one around it.
QByteArray nestedXml(int depth)
{
    return QByteArray("<array>").repeated(depth) + QByteArray("</array>").repeated(depth);
}

QByteArray nestedBinary(int depth)
{
    BinaryPlist plist{.objects = {}, .refSize = 2};
    for (int i = 0; i + 1 < depth; ++i)
        plist.objects.push_back(bytes({0xA1, (i + 1) >> 8, (i + 1) & 0xff}));
    plist.objects.push_back(bytes({0xA0}));
    return plist.bytes();
}

Value nestedValue(int depth)
{
    Value v = Array{};
    for (int i = 1; i < depth; ++i)
        v = Array{v};
    return v;
}

} // namespace

// libplist 2.2 aborted on this 53-byte file: {"A\0": 1}, its key in UTF-16 (objects D1 01 02,
// 62 00 41 00 00, 10 01; one-byte offsets and references).
TEST(PropertyList, ABinaryKeyHoldingANulCharacterIsRead)
{
    const QByteArray file = fixture("fuzz/plist_binary/utf16-key-with-nul.bplist");
    ASSERT_EQ(file.size(), 53);
    std::optional<Value> read = PropertyList::fromData(file);
    ASSERT_TRUE(read);
    const QString key(QStringLiteral("A") + QChar(0));
    EXPECT_EQ(read->toDictionary().keys(), QStringList{key});
    EXPECT_EQ(read->toDictionary().value(key).intValue(), 1);
    // Written in XML as a character reference, it reads back the same.
    EXPECT_TRUE(PropertyList::toXml(*read).contains("<key>A&#0;</key>"));
    EXPECT_EQ(PropertyList::fromData(PropertyList::toXml(*read)), read);
}

// The fixtures were written by Python's plistlib (3.11), sorted keys:
//   d = {"d0001": datetime(1, 1, 1), "d1930": datetime(1930, 5, 17, 12, 34, 56, 789000),
//        "d2070": datetime(2070, 1, 1), "d9999": datetime(9999, 12, 31, 23, 59, 59)}
//   plistlib.dump(d, f, fmt=FMT_XML) into dates.xml.plist, fmt=FMT_BINARY into dates.binary.plist
// The XML form keeps whole seconds, the binary one milliseconds too.
TEST(PropertyList, DatesOfTheYears1To9999MatchWhatPlistlibWrites)
{
    const QByteArray xml = fixture("ns/dates.xml.plist");
    const QByteArray binary = fixture("ns/dates.binary.plist");
    std::optional<Value> fromXml = PropertyList::fromData(xml);
    std::optional<Value> fromBinary = PropertyList::fromData(binary);
    ASSERT_TRUE(fromXml && fromBinary);

    const QDateTime expected[] = {utc(1, 1, 1, 0, 0, 0), utc(1930, 5, 17, 12, 34, 56).addMSecs(789),
                                  utc(2070, 1, 1, 0, 0, 0), utc(9999, 12, 31, 23, 59, 59)};
    const QStringList keys{"d0001", "d1930", "d2070", "d9999"};
    ASSERT_EQ(fromBinary->toDictionary().keys(), keys);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(keys[i].toStdString());
        EXPECT_EQ(fromBinary->toDictionary().value(keys[i]).toDate(), expected[i]);
        const QDateTime wholeSeconds = expected[i].addMSecs(-expected[i].time().msec());
        EXPECT_EQ(fromXml->toDictionary().value(keys[i]).toDate(), wholeSeconds);
    }
    EXPECT_EQ(PropertyList::toXml(*fromXml), xml);
    EXPECT_EQ(PropertyList::toBinary(*fromBinary), binary);
    EXPECT_EQ(PropertyList::toXml(*fromBinary), xml);

    // Dates beyond what either form can spell are not written.
    for (const QDateTime& beyond :
         {utc(10000, 1, 1, 0, 0, 0), QDateTime(QDate(-1, 12, 31), QTime(), QTimeZone::utc()), QDateTime()}) {
        EXPECT_TRUE(PropertyList::toXml(Dictionary{{"d", beyond}}).isEmpty());
        EXPECT_TRUE(PropertyList::toBinary(Dictionary{{"d", beyond}}).isEmpty());
    }
}

TEST(PropertyList, TheXmlDialectOfOtherWriters)
{
    const char* head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                       "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n";
    struct Case {
        const char* name;
        QByteArray xml;
        Value expected;
    };
    const Case cases[] = {
        {"byte-order mark",
         QByteArray("\xEF\xBB\xBF") + head + "<plist version=\"1.0\"><string>x</string></plist>", "x"},
        {"no declaration, no plist element", "<array><integer>-7</integer><true></true><false/></array>",
         Array{-7, true, false}},
        {"entities, references, CDATA, comments",
         "<plist><string>&lt;a&gt; &amp; &quot;&apos; &#233;&#x4E2D;<![CDATA[<b>&amp;]]><!-- c "
         "-->!</string></plist>",
         QString::fromUtf8("<a> & \"' é中<b>&amp;!")},
        {"white space and comments between elements",
         "<!-- top --><plist>\r\n <dict> <!-- k --> <key>k</key>\n\t<real> 2.5 </real> </dict>\n</plist>\n",
         Dictionary{{"k", 2.5}}},
        {"numbers",
         "<array><integer>0x1F</integer><integer>+5</integer><integer>-9223372036854775808</integer>"
         "<real>1e3</real><real>-infinity</real></array>",
         Array{31, 5, qint64(std::numeric_limits<qint64>::min()), 1000.0,
               -std::numeric_limits<double>::infinity()}},
        {"data with white space", "<data>\n\taGVs\n\tbG8=\n</data>", QByteArray("hello")},
        {"empty elements", "<dict><key/><string/><key>d</key><data></data></dict>",
         Dictionary{{"", ""}, {"d", QByteArray()}}},
        {"a string that starts with U+FEFF", "<string>\xEF\xBB\xBFx</string>", QString(QChar(0xFEFF)) + u'x'},
        {"a UID as written in XML", "<dict><key>CF$UID</key><integer>7</integer></dict>", ns::Uid{7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<Value> read = PropertyList::fromData(c.xml);
        ASSERT_TRUE(read);
        EXPECT_EQ(*read, c.expected);
        EXPECT_EQ(read->type(), c.expected.type());
    }
}

TEST(PropertyList, BrokenFilesAreRefusedWithoutReadingPastThem)
{
    const std::pair<const char*, QByteArray> cases[] = {
        {"invalid UTF-8", "<string>\xC3\x28</string>"},
        {"an encoded surrogate", "<string>\xED\xA0\x80</string>"},
        {"another encoding", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><string>x</string>"},
        {"an unknown entity", "<string>&nbsp;</string>"},
        {"a surrogate reference", "<string>&#xD800;</string>"},
        {"mismatched tags", "<array><string>x</array></string>"},
        {"a key without a value", "<dict><key>k</key></dict>"},
        {"text outside elements", "<array>x<true/></array>"},
        {"content after the value", "<plist><true/></plist><true/>"},
        {"an integer beyond 64 bits", "<integer>9223372036854775808</integer>"},
        {"an impossible date", "<date>2023-02-29T00:00:00Z</date>"},
        {"year 0", "<date>0000-12-31T00:00:00Z</date>"},
        {"bad base64", "<data>aGV*bG8=</data>"},
        {"an unknown element", "<plist><set/></plist>"},
        {"a processing instruction closed by its own opening", "<?><true/>"},
        {"a comment closed by its own opening", "<!--><true/>"},
        {"binary: a container holding itself", BinaryPlist{{bytes({0xA1, 1}), bytes({0xA1, 0})}}.bytes()},
        {"binary: a reference past the objects", BinaryPlist{{bytes({0xA1, 5})}}.bytes()},
        {"binary: an offset past the objects",
         BinaryPlist{.objects = {bytes({0x09})}, .offsetShift = 1}.bytes()},
        {"binary: an offset into the header",
         BinaryPlist{.objects = {bytes({0x09})}, .offsetShift = -1}.bytes()},
        {"binary: a top object past the objects", BinaryPlist{.objects = {bytes({0x09})}, .top = 3}.bytes()},
        {"binary: an offset table past the file",
         BinaryPlist{.objects = {bytes({0x09})}, .tableOffset = 1000}.bytes()},
        {"binary: more objects than offsets",
         BinaryPlist{.objects = {bytes({0x09})}, .objectCount = quint64(1) << 60}.bytes()},
        {"binary: a string longer than the file",
         BinaryPlist{{bytes({0x5F, 0x13, 0x7F, 0, 0, 0, 0, 0, 0, 1})}}.bytes()},
        {"binary: an unpaired surrogate", BinaryPlist{{bytes({0x61, 0xD8, 0x00})}}.bytes()},
        {"binary: a non-string key", BinaryPlist{{bytes({0xD1, 1, 1}), bytes({0x10, 1})}}.bytes()},
        {"binary: a date beyond 9999",
         BinaryPlist{{bytes({0x33, 0x42, 0x4D, 0x62, 0xD2, 0x3C, 0x80, 0, 0})}}.bytes()},
        {"binary: a date that is not a number",
         BinaryPlist{{bytes({0x33, 0x7F, 0xF8, 0, 0, 0, 0, 0, 0})}}.bytes()},
        {"binary: a 16-byte integer beyond 64 bits",
         BinaryPlist{{bytes({0x14, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0})}}.bytes()},
        {"binary: only a null", BinaryPlist{{bytes({0x00})}}.bytes()},
        {"binary: a zero reference size", BinaryPlist{.objects = {bytes({0x09})}, .refSize = 0}.bytes()},
        {"binary: cut short", fixture("ns/dates.binary.plist").chopped(40)},
    };
    for (const auto& [name, input] : cases) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(PropertyList::fromData(input));
    }
    // The doubling of a chain of arrays each referring twice to the next is
    // refused before it expands into 2^40 values.
    std::vector<QByteArray> chain;
    for (int i = 0; i < 40; ++i)
        chain.push_back(bytes({0xA2, i + 1, i + 1}));
    chain.push_back(bytes({0x09}));
    EXPECT_FALSE(PropertyList::fromData(BinaryPlist{chain}.bytes()));
}

TEST(PropertyList, NestingIsLimitedTo512Containers)
{
    EXPECT_TRUE(PropertyList::fromData(nestedXml(512)));
    EXPECT_TRUE(PropertyList::fromData(nestedBinary(512)));
    EXPECT_FALSE(PropertyList::toXml(nestedValue(512)).isEmpty());
    EXPECT_FALSE(PropertyList::toBinary(nestedValue(512)).isEmpty());

    EXPECT_FALSE(PropertyList::fromData(nestedXml(513)));
    EXPECT_FALSE(PropertyList::fromData(nestedBinary(513)));
    EXPECT_TRUE(PropertyList::toXml(nestedValue(513)).isEmpty());
    EXPECT_TRUE(PropertyList::toBinary(nestedValue(513)).isEmpty());
}

TEST(PropertyList, AUidAndANullInABinaryFileCanBeWrittenBack)
{
    // {"$top": UID 5, "list": [null, true]}
    std::optional<Value> read = PropertyList::fromData(fixture("ns/uid-and-null.bplist"));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, (Dictionary{{"$top", ns::Uid{5}}, {"list", Array{true}}})); // the null left out
    const QByteArray xml = PropertyList::toXml(*read);
    EXPECT_TRUE(xml.contains("<dict>\n\t\t<key>CF$UID</key>\n\t\t<integer>5</integer>\n\t</dict>"));
    EXPECT_EQ(PropertyList::fromData(xml), read);
    EXPECT_EQ(PropertyList::fromData(PropertyList::toBinary(*read)), read);
}

TEST(PropertyList, ALargeListSurvivesBothFormsUnchanged)
{
    Array records;
    for (int i = 0; i < 20000; ++i)
        records.append(Dictionary{
            {"Index", i},
            {"Name", QStringLiteral("Zoë 张伟 %1 <&>").arg(i)},
            {"Date", utc(2024, 3, 5, 7, 8, 9).addSecs(qint64(i) * 86400 * 9)},
            {"Ratio", i / 7.0},
            {"Read", i % 3 == 0},
            {"Blob", QByteArray(i % 90, char(i))},
            {"Tags", Array{"a", i % 2 == 0 ? Value(Dictionary{}) : Value(Array{})}},
        });
    QTemporaryDir dir;
    const QString path = dir.filePath("large.plist");
    ASSERT_TRUE(PropertyList::writeFile(path, records));
    EXPECT_EQ(PropertyList::readArray(path), records);
    EXPECT_EQ(PropertyList::fromData(PropertyList::toBinary(records)), Value(records));
}

TEST(PropertyList, AContainerHoldingItselfIsNotWritten)
{
    Array loop{1};
    loop.append(loop);
    EXPECT_TRUE(PropertyList::toXml(loop).isEmpty());
    EXPECT_TRUE(PropertyList::toBinary(loop).isEmpty());
    loop.removeAt(1); // breaks the cycle, so that the array can be freed
}

TEST(AtomicFile, StaleTemporariesOfKilledWritersAreRemovedAndNothingElse)
{
    QTemporaryDir dir;
    const QDateTime old = QDateTime::currentDateTimeUtc().addSecs(-120);
    auto touch = [&](const QString& name, const QDateTime& time) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("left over");
        file.flush();
        EXPECT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
    };
    const QString stale[] = {"settings.plist.trelvan-Ab3xYz", "dialConfig.plist.trelvan-000000"};
    const QString kept[] = {
        "settings.plist.trelvan-fresh1",  // younger than a minute: a write going on
        "settings.plist.trelvan-Ab3xY",   // not the pattern: five characters
        "settings.plist.trelvan-Ab3xYz1", // seven
        "settings.plist.trelvan-Ab3_Yz",  // not a letter or digit
        ".trelvan-Ab3xYz",                // no file name before it
        "settings.plist.backup",
        "settings.plist.Ab3xYz",
        "notes.txt",
    };
    for (const QString& name : stale)
        touch(name, old);
    for (const QString& name : kept)
        touch(name, name.contains("fresh") ? QDateTime::currentDateTimeUtc() : old);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.trelvan-Ab3xYz"));
    ASSERT_TRUE(QFile::link(dir.filePath("notes.txt"), dir.filePath("link.trelvan-Ab3xYz")));
    const timespec oldTimes[2] = {{old.toSecsSinceEpoch(), 0}, {old.toSecsSinceEpoch(), 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(dir.filePath("link.trelvan-Ab3xYz")).constData(),
                        oldTimes, AT_SYMLINK_NOFOLLOW),
              0);

    ASSERT_TRUE(PropertyList::writeFile(dir.filePath("settings.plist"), Dictionary{{"k", 1}}));
    QStringList expected(std::begin(kept), std::end(kept));
    expected << "settings.plist"
             << "folder.trelvan-Ab3xYz"
             << "link.trelvan-Ab3xYz";
    expected.sort();
    QStringList left =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    left.sort();
    EXPECT_EQ(left, expected);
}

TEST(AtomicFile, AReplacedFileKeepsItsPermissionsAndALinkStaysALink)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("real.plist");
    const QString link = dir.filePath("link.plist");
    ASSERT_TRUE(PropertyList::writeFile(target, Dictionary{{"k", 1}}));
    ASSERT_TRUE(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup));
    ASSERT_TRUE(QFile::link(target, link));

    ASSERT_TRUE(PropertyList::writeFile(link, Dictionary{{"k", 2}}));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(PropertyList::readDictionary(target)->value("k").intValue(), 2);
    struct stat st {
    };
    ASSERT_EQ(stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
}

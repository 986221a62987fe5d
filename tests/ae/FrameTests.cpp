#include "platform/ae/Frame.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>

using namespace ae;

namespace
{

AppleEvent sampleEvent()
{
    AppleEvent event(fourCharCode("GURL"), fourCharCode("GURL"),
                     Descriptor::fromBundleIdentifier("com.trelvan.Halvex"), 1234, -7);
    event.setParamDescriptor(fourCharCode("jMsg"), {typeData, QByteArray("\x01\x00\xff\x00", 4)});
    event.setParamDescriptor(fourCharCode("empt"), {typeData, {}});
    event.setParamDescriptor(fourCharCode("list"), Descriptor::fromPropertyList(
                                                       ns::Dictionary{{"Progress", 42}, {"Name", "Grüße"}}));
    return event;
}

void putLE32(QByteArray& bytes, qsizetype offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

} // namespace

TEST(AeFrame, EventsAndRepliesSurviveEncodingAndDecoding)
{
    const Frame event{Frame::Kind::Event, true, noErr, sampleEvent()};
    Frame reply{Frame::Kind::Reply, false, errAEEventNotHandled,
                AppleEvent(kCoreEventClass, kAEAnswer, {}, 9, 0)};
    reply.event.setParamDescriptor(fourCharCode("text"), {typeUTF8Text, "ok"});

    for (const Frame& frame : {event, reply}) {
        const QByteArray bytes = frame.encoded();
        ASSERT_FALSE(bytes.isEmpty());
        EXPECT_EQ(Frame::declaredLength(bytes.first(Frame::kHeaderSize)), bytes.size());
        QString error;
        const std::optional<Frame> back = Frame::decode(bytes, &error);
        ASSERT_TRUE(back) << qPrintable(error);
        EXPECT_EQ(*back, frame);
    }
    const std::optional<Frame> back = Frame::decode(event.encoded());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->event.paramDescriptor(fourCharCode("list"))->propertyList()->toDictionary().value("Name"),
              ns::Value("Grüße"));
}

TEST(AeFrame, TheSizeLimitHoldsExactly)
{
    AppleEvent event(fourCharCode("test"), fourCharCode("big "), Descriptor::fromBundleIdentifier("x"));
    event.setParamDescriptor(fourCharCode("data"), {typeData, {}});
    const auto encoded = [&event] { return Frame{Frame::Kind::Event, false, noErr, event}.encoded(); };
    const qsizetype overhead = encoded().size();

    event.setParamDescriptor(fourCharCode("data"), {typeData, QByteArray(Frame::kMaxSize - overhead, 'x')});
    const QByteArray largest = encoded();
    EXPECT_EQ(largest.size(), Frame::kMaxSize);
    EXPECT_TRUE(Frame::decode(largest));

    event.setParamDescriptor(fourCharCode("data"),
                             {typeData, QByteArray(Frame::kMaxSize - overhead + 1, 'x')});
    EXPECT_TRUE(encoded().isEmpty());
}

TEST(AeFrame, MalformedFramesAreRefused)
{
    // Offsets in the sample: target length at 36, then the 18-byte target,
    // the parameter count at 58 and the first parameter's keyword at 62.
    const QByteArray valid = Frame{Frame::Kind::Event, true, noErr, sampleEvent()}.encoded();
    const qsizetype size = valid.size();
    const qsizetype firstParameter = 62;
    const qsizetype secondParameter = firstParameter + 12 + 4;
    ASSERT_EQ(qFromLittleEndian<quint32>(valid.constData() + 36), 18u);
    ASSERT_EQ(qFromLittleEndian<quint32>(valid.constData() + 58), 3u);
    ASSERT_EQ(qFromLittleEndian<quint32>(valid.constData() + firstParameter), fourCharCode("jMsg"));
    ASSERT_EQ(qFromLittleEndian<quint32>(valid.constData() + secondParameter), fourCharCode("empt"));

    struct Case {
        const char* name;
        std::function<void(QByteArray&)> spoil;
        bool headerRefused; // declaredLength already refuses it
    };
    const Case cases[] = {
        {"empty", [](QByteArray& b) { b.clear(); }, true},
        {"header cut short", [](QByteArray& b) { b.truncate(10); }, true},
        {"bad magic", [](QByteArray& b) { b[0] = 'X'; }, true},
        {"unknown version", [](QByteArray& b) { b[4] = 2; }, true},
        {"unknown kind", [](QByteArray& b) { b[6] = 3; }, true},
        {"declared past the maximum", [](QByteArray& b) { putLE32(b, 8, Frame::kMaxSize + 1); }, true},
        {"declared shorter than the fixed fields", [](QByteArray& b) { putLE32(b, 8, 20); }, true},
        {"declared longer than the bytes", [](QByteArray& b) { b.chop(1); }, false},
        {"declared shorter than the bytes", [](QByteArray& b) { b.append('\0'); }, false},
        {"bytes left after the last parameter",
         [size](QByteArray& b) {
             b.append('\0');
             putLE32(b, 8, size + 1);
         },
         false},
        {"target runs past the end", [](QByteArray& b) { putLE32(b, 36, 0xffffffff); }, false},
        {"more parameters counted than present", [](QByteArray& b) { putLE32(b, 58, 4); }, false},
        {"huge parameter count", [](QByteArray& b) { putLE32(b, 58, 0x7fffffff); }, false},
        {"parameter runs past the end", [](QByteArray& b) { putLE32(b, firstParameter + 8, 0xfffffff0); },
         false},
        {"keyword repeated", [](QByteArray& b) { putLE32(b, secondParameter, fourCharCode("jMsg")); }, false},
    };
    for (const Case& c : cases) {
        QByteArray bytes = valid;
        c.spoil(bytes);
        QString error;
        EXPECT_FALSE(Frame::decode(bytes, &error)) << c.name;
        EXPECT_FALSE(error.isEmpty()) << c.name;
        EXPECT_EQ(!Frame::declaredLength(bytes.first(qMin<qsizetype>(bytes.size(), Frame::kHeaderSize))),
                  c.headerRefused)
            << c.name;
    }
}

TEST(AeAppleEvent, ASetParameterReplacesTheOldOneInItsPlace)
{
    AppleEvent event;
    event.setParamDescriptor(fourCharCode("aaaa"), {typeData, "1"});
    event.setParamDescriptor(fourCharCode("bbbb"), {typeData, "2"});
    event.setParamDescriptor(fourCharCode("aaaa"), {typeUTF8Text, "3"});
    ASSERT_EQ(event.parameters().size(), 2u);
    EXPECT_EQ(event.parameters()[0].first, fourCharCode("aaaa"));
    EXPECT_EQ(event.paramDescriptor(fourCharCode("aaaa")), (Descriptor{typeUTF8Text, "3"}));
    EXPECT_FALSE(event.paramDescriptor(fourCharCode("cccc")));
}

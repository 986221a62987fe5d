#include "jCommon/ConnectionMessages.h"
#include "jCommon/DialParams.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace
{

using namespace DialParamsLayout;

DialParams everyField()
{
    DialParams p;
    p.apn = "apn.example";
    p.telNumber = "*99#";
    p.userName = "user";
    p.password = "pass";
    p.pdpAddress = "10.0.0.9";
    p.connectType = 1;
    p.authentication = 1;
    p.pdpType = 2;
    p.pdpAddressMode = 1;
    p.disableAlertWindow = 1;
    p.mtuSize = 1400;
    p.ipv6Apn = "v6.example";
    p.preferredDns = "8.8.8.8";
    p.alternateDns = "8.8.4.4";
    p.ipv6PreferredDns = "2001:4860::8888";
    p.ipv6AlternateDns = "2001:4860::8844";
    return p;
}

QByteArray textAt(const QByteArray& bytes, int offset)
{
    return QByteArray(bytes.constData() + offset);
}

int32_t intAt(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<int32_t>(bytes.constData() + offset);
}

_UI_MSG recordOf(const QByteArray& bytes)
{
    const MessageID id = msg::connection::kSetDialParams;
    return makeUIMsg(kModuleDialUp, id.majorID, id.minorID, kTypeRequest, kResultSuccess, bytes);
}

} // namespace

TEST(DialParams, EveryFieldLiesAtItsOffset)
{
    const QByteArray bytes = dialParamsBytes(everyField());
    ASSERT_EQ(bytes.size(), 920);
    const struct {
        int offset;
        const char* text;
    } texts[] = {
        {0, "apn.example"},
        {128, "*99#"},
        {256, "user"},
        {384, "pass"},
        {512, "10.0.0.9"},
        {600, "v6.example"},
        {728, "8.8.8.8"},
        {760, "8.8.4.4"},
        {792, "2001:4860::8888"},
        {856, "2001:4860::8844"},
    };
    for (const auto& t : texts)
        EXPECT_EQ(textAt(bytes, t.offset), t.text) << t.offset;
    const struct {
        int offset;
        int32_t value;
    } numbers[] = {{576, 1}, {580, 1}, {584, 2}, {588, 1}, {592, 1}, {596, 1400}};
    for (const auto& n : numbers)
        EXPECT_EQ(intAt(bytes, n.offset), n.value) << n.offset;
    EXPECT_EQ(dialParamsFromRecord(recordOf(bytes)), everyField());
}

TEST(DialParams, TextsAreCutToTheFieldLessItsNulAtACharacterBoundary)
{
    DialParams p;
    p.apn = QString(200, u'a');
    // 31 bytes of ASCII, then a two-byte character that would end at byte 33 of a 32-byte field.
    p.preferredDns = QString(31, u'1') + QChar(0x00E9);
    // Three-byte characters: 42 of them fill 126 bytes, the 43rd would cross 127.
    p.userName = QString(50, QChar(0x20AC));
    const QByteArray bytes = dialParamsBytes(p);

    EXPECT_EQ(textAt(bytes, kApn), QByteArray(127, 'a'));
    EXPECT_EQ(bytes.at(kApn + 127), '\0');
    EXPECT_EQ(textAt(bytes, kPreferredDns), QByteArray(31, '1'));
    EXPECT_EQ(textAt(bytes, kAlternateDns), QByteArray()); // the next field is untouched
    EXPECT_EQ(textAt(bytes, kUserName).size(), 126);
    EXPECT_EQ(QString::fromUtf8(textAt(bytes, kUserName)), QString(42, QChar(0x20AC)));
}

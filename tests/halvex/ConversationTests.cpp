#include "halvex/Conversation.h"
#include "halvex/Record.h"
#include "jCommon/PayloadReader.h"
#include "jCommon/PayloadWriter.h"
#include "platform/ns/Clock.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace
{

// A record that carries its index in the payload, and bytes beyond the
// payload's length and in the tail that must come back as they were.
_UI_MSG indexed(int index)
{
    _UI_MSG record = halvex::makeRecord(MessageID{0x7F00, 1}, kTypeRequest, kResultSuccess,
                                        PayloadWriter(4).setInt32(0, index).bytes());
    record.data[6000] = uint8_t(index | 1);
    record.tail[1] = 1;
    return record;
}

} // namespace

TEST(Conversation, NumbersBothLogsInOneSequenceTimedFromItsStart)
{
    ns::ManualClock clock(QDateTime(QDate(2026, 1, 1), QTime(0, 0), QTimeZone::utc()));
    ns::Clock::setCurrent(&clock);
    halvex::Conversation conversation;
    conversation.noteReceived(indexed(0));
    clock.advance(0.25);
    conversation.noteSent(indexed(1), false);
    clock.advance(1);
    conversation.noteSent(indexed(2), true);
    conversation.noteReceived(_UI_MSG{}); // all zeros
    ns::Clock::setCurrent(nullptr);

    const std::vector<halvex::LoggedRecord> received = conversation.received().after(0, 10);
    const std::vector<halvex::LoggedRecord> sent = conversation.sent().after(0, 10);
    ASSERT_EQ(received.size(), 2u);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ((std::vector<uint64_t>{received[0].number, sent[0].number, sent[1].number, received[1].number}),
              (std::vector<uint64_t>{1, 2, 3, 4}));
    EXPECT_EQ((std::vector<int64_t>{received[0].msecs, sent[0].msecs, sent[1].msecs}),
              (std::vector<int64_t>{0, 250, 1250}));
    EXPECT_FALSE(sent[0].dropped);
    EXPECT_TRUE(sent[1].dropped);
    EXPECT_EQ(sent[1].recordBytes(), recordBytes(indexed(2)));
    EXPECT_EQ(received[1].recordBytes(), QByteArray(kUIMsgSize, '\0'));
    EXPECT_EQ(conversation.started(), QDateTime(QDate(2026, 1, 1), QTime(0, 0), QTimeZone::utc()));
}

TEST(RecordLog, KeepsTheNewestEntriesCountsWhatItForgotAndReadsExactlyWhatIsNewer)
{
    constexpr int kFlood = 4096 + 904;
    halvex::RecordLog log(4096);
    for (int i = 1; i <= kFlood; ++i)
        log.append(uint64_t(i) * 2, i, indexed(i)); // numbered with gaps, as when the other log takes turns
    EXPECT_EQ(log.count(), 4096);
    EXPECT_EQ(log.forgotten(), 904u);
    EXPECT_EQ(log.lastNumber(), uint64_t(kFlood) * 2);

    const struct {
        uint64_t since;
        int limit;
        int first; // index of the first entry expected, 0 for none
        size_t count;
        bool more;
    } cases[] = {
        {0, 10000, 905, 4096, false},       // from before the log: what it still holds
        {2 * 905, 300, 906, 300, true},     // a page after an entry it holds
        {2 * 905 + 1, 300, 906, 300, true}, // a number between two entries
        {2 * 4990, 256, 4991, 10, false},   // the last few
        {2 * kFlood, 256, 0, 0, false},     // nothing newer
        {2 * kFlood + 7, 256, 0, 0, false}, // a number not given yet
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "since " << c.since << " limit " << c.limit);
        bool more = !c.more;
        const std::vector<halvex::LoggedRecord> entries = log.after(c.since, c.limit, &more);
        ASSERT_EQ(entries.size(), c.count);
        EXPECT_EQ(more, c.more);
        for (size_t i = 0; i < entries.size(); ++i) {
            const int index = c.first + int(i);
            ASSERT_EQ(entries[i].number, uint64_t(index) * 2);
            ASSERT_EQ(entries[i].recordBytes(), recordBytes(indexed(index)));
        }
    }

    const std::vector<halvex::LoggedRecord> latest = log.latest(256);
    ASSERT_EQ(latest.size(), 256u);
    EXPECT_EQ(payloadInt32(latest.front().record(), 0), kFlood - 255);
    EXPECT_EQ(payloadInt32(latest.back().record(), 0), kFlood);
}

#include "platform/ns/FrameServer.h"

#include <QCoreApplication>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

namespace
{

Q_LOGGING_CATEGORY(lcFrameTest, "trelvan.test.frames")

// A two-byte big-endian length, then that many bytes, at most 100.
std::optional<int> shortFrameLength(QByteArrayView header, QString* error)
{
    const quint16 body = qFromBigEndian<quint16>(header.data());
    if (body > 100) {
        if (error)
            *error = QStringLiteral("%1 bytes").arg(body);
        return std::nullopt;
    }
    return 2 + body;
}

QByteArray frame(const QByteArray& body)
{
    QByteArray bytes(2, '\0');
    qToBigEndian<quint16>(quint16(body.size()), bytes.data());
    return bytes + body;
}

// A server of at most two peers that answers each frame with itself.
class FrameServerTest : public ::testing::Test
{
protected:
    bool connect(QLocalSocket& socket)
    {
        socket.connectToServer(dir_.filePath(QStringLiteral("frames.sock")));
        return socket.waitForConnected(5000);
    }
    bool closedByServer(QLocalSocket& socket)
    {
        return QTest::qWaitFor([&] { return socket.state() == QLocalSocket::UnconnectedState; }, 5000);
    }
    QByteArray readReply(QLocalSocket& socket, qsizetype size)
    {
        QByteArray got;
        static_cast<void>(QTest::qWaitFor(
            [&] {
                got += socket.readAll();
                return got.size() >= size;
            },
            30000)); // generous: a loaded machine moves the slow peer's 400 KB slowly
        return got;
    }

    int argc_ = 0;
    QCoreApplication app_{argc_, nullptr};
    QTemporaryDir dir_;
    QByteArrayList handled;
    ns::FrameServer server{&lcFrameTest,
                           {2, &shortFrameLength},
                           2,
                           [this](ns::FrameConnection& connection, const QByteArray& bytes) {
                               handled.append(bytes);
                               connection.write(bytes);
                           }};
};

} // namespace

TEST_F(FrameServerTest, PeersOverTheBoundsAreDroppedWhileTheOthersAreServed)
{
    ASSERT_TRUE(server.listen(dir_.filePath(QStringLiteral("frames.sock"))));
    QLocalSocket partial, oversized, second, third;
    ASSERT_TRUE(connect(partial));
    partial.write(frame("hello").first(4)); // the rest comes later
    ASSERT_TRUE(connect(oversized));
    oversized.write(QByteArray("\x00\x65", 2)); // 101 bytes declared
    EXPECT_TRUE(closedByServer(oversized));

    ASSERT_TRUE(connect(second));
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.connectionCount() == 2; }, 5000));
    ASSERT_TRUE(connect(third)); // one more than the server takes
    EXPECT_TRUE(closedByServer(third));

    second.write(frame("abc"));
    EXPECT_EQ(readReply(second, 5), frame("abc"));
    partial.write(frame("hello").sliced(4));
    EXPECT_EQ(readReply(partial, 7), frame("hello"));
    EXPECT_EQ(handled, (QByteArrayList{frame("abc"), frame("hello")}));
    EXPECT_EQ(partial.state(), QLocalSocket::ConnectedState);
}

TEST_F(FrameServerTest, RepliesToAPeerSlowToReadThemArriveWholeAndInOrder)
{
    ASSERT_TRUE(server.listen(dir_.filePath(QStringLiteral("frames.sock"))));
    QLocalSocket peer;
    peer.setReadBufferSize(1024); // reads next to nothing until asked to
    ASSERT_TRUE(connect(peer));
    // Far more answers than the sockets between the two hold: the server keeps
    // what its socket does not take and reads no further meanwhile.
    QByteArray sent;
    for (int i = 0; i < 4000; ++i)
        sent += frame(QByteArray::number(i).leftJustified(100, '.'));
    peer.write(sent);

    EXPECT_EQ(readReply(peer, sent.size()), sent);
    EXPECT_EQ(handled.size(), 4000);
}

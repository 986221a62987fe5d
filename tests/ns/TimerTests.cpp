#include "platform/ns/Clock.h"
#include "platform/ns/Lock.h"
#include "platform/ns/Timer.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <thread>

using namespace ns;

namespace
{

class ManualClockTest : public ::testing::Test
{
protected:
    ManualClockTest() { Clock::setCurrent(&clock); }
    ~ManualClockTest() override { Clock::setCurrent(nullptr); }
    ManualClock clock{QDateTime(QDate(2026, 1, 1), QTime(0, 0), QTimeZone::utc())};
};

class Target : public Object
{
public:
    Target()
    {
        registerSelector("tick:", [this](Object*) { ++ticks; });
    }
    int ticks = 0;
};

} // namespace

TEST_F(ManualClockTest, RepeatingAndOneShotTimersFireInOrderAsTimeMovesOn)
{
    QStringList fired;
    auto every = Timer::scheduledTimer(1.0, true, [&](Timer&) { fired << "every"; });
    Timer::scheduledTimer(2.5, false, [&](Timer&) { fired << "once"; });

    clock.advance(3.0);
    EXPECT_EQ(fired, (QStringList{"every", "every", "once", "every"}));
    every->invalidate();
    clock.advance(10);
    EXPECT_EQ(fired.count(), 4);
    EXPECT_EQ(clock.now(), QDateTime(QDate(2026, 1, 1), QTime(0, 0, 13), QTimeZone::utc()));
}

TEST_F(ManualClockTest, ATimerKeptByNobodyStillFiresAndATimerCanInvalidateItself)
{
    int count = 0;
    Timer::scheduledTimer(0.005, true, [&](Timer& t) {
        if (++count == 3)
            t.invalidate();
    });
    clock.advance(1.0);
    EXPECT_EQ(count, 3);
}

TEST_F(ManualClockTest, ARepeatingTimerOfNoIntervalStillLetsTimeMoveOn)
{
    int count = 0;
    auto busy = Timer::scheduledTimer(0, true, [&](Timer&) { ++count; });
    clock.advance(0.01);
    EXPECT_GT(count, 0);
    busy->invalidate();
}

TEST_F(ManualClockTest, ATimerWhoseTargetIsGoneInvalidatesItself)
{
    std::shared_ptr<Timer> timer;
    {
        Target gone;
        timer = Timer::scheduledTimer(1.0, &gone, "tick:", Value(), true);
    }
    clock.advance(2.0);
    EXPECT_FALSE(timer->isValid());
}

TEST_F(ManualClockTest, DelayedPerformsRunOnceAndCanBeCancelled)
{
    Target target;
    performSelectorAfterDelay(&target, "tick:", nullptr, 2.0);
    performSelectorAfterDelay(&target, "tick:", nullptr, 3.0);
    clock.advance(2.0);
    EXPECT_EQ(target.ticks, 1);
    cancelPreviousPerformRequests(&target, "tick:", nullptr);
    clock.advance(5.0);
    EXPECT_EQ(target.ticks, 1);
    {
        Target gone;
        performSelectorAfterDelay(&gone, "tick:", nullptr, 1.0);
    }
    clock.advance(2.0); // the request of a destroyed target is dropped with it
}

TEST(Lock, TryLockFailsWhileHeldEvenByTheSameThread)
{
    Lock lock;
    EXPECT_TRUE(lock.tryLock());
    EXPECT_FALSE(lock.tryLock());
    bool other = true;
    std::thread([&] { other = lock.tryLock(); }).join();
    EXPECT_FALSE(other);
    lock.unlock();
    EXPECT_TRUE(lock.tryLock());
    lock.unlock();
}

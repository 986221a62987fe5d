#pragma once

#include <condition_variable>
#include <mutex>

namespace ns
{

// A non-recursive lock whose tryLock answers NO while it is held, by any
// thread, the holder's own included.
class Lock
{
public:
    void lock()
    {
        std::unique_lock guard(mutex_);
        released_.wait(guard, [this] { return !locked_; });
        locked_ = true;
    }
    bool tryLock()
    {
        std::lock_guard guard(mutex_);
        if (locked_)
            return false;
        locked_ = true;
        return true;
    }
    void unlock()
    {
        {
            std::lock_guard guard(mutex_);
            locked_ = false;
        }
        released_.notify_one();
    }

private:
    std::mutex mutex_;
    std::condition_variable released_;
    bool locked_ = false;
};

} // namespace ns

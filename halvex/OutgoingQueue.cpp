#include "halvex/OutgoingQueue.h"

#include "halvex/Logging.h"
#include "halvex/Record.h"
#include "jCommon/PayloadReader.h"
#include "platform/ns/Timer.h"

namespace halvex
{

OutgoingQueue::OutgoingQueue(Sender sender, double retryInterval, Settled settled)
    : sender_(std::move(sender)), retryInterval_(retryInterval), settled_(std::move(settled))
{
}

OutgoingQueue::~OutgoingQueue()
{
    clear();
}

void OutgoingQueue::post(const _UI_MSG& record, double delay, Policy policy)
{
    entries_.push_back({record, delay, policy});
    if (entries_.size() == 1)
        schedule(delay);
}

void OutgoingQueue::clear()
{
    entries_.clear();
    if (timer_)
        timer_->invalidate();
    timer_.reset();
}

void OutgoingQueue::schedule(double delay)
{
    timer_ = ns::Timer::scheduledTimer(delay, false, [this](ns::Timer&) { sendHead(); });
}

void OutgoingQueue::sendHead()
{
    timer_.reset();
    if (entries_.empty())
        return;
    const Entry& head = entries_.front();
    const Delivery delivery = sender_(head.record);
    if (delivery == Delivery::ClientAbsent && head.policy == Policy::WaitForClient) {
        qCDebug(lcHalvex).noquote() << "the manager is not there yet; trying" << recordName(head.record)
                                    << "again in" << retryInterval_ << "s";
        schedule(retryInterval_);
        return;
    }
    if (delivery == Delivery::ClientAbsent)
        qCInfo(lcHalvex).noquote() << "the manager is not there; record" << recordName(head.record)
                                   << "dropped";
    else if (delivery == Delivery::Failed)
        qCWarning(lcHalvex).noquote() << "record" << recordName(head.record) << "could not be sent; dropped";
    settled_(head.record, delivery);
    entries_.pop_front();
    if (!entries_.empty())
        schedule(entries_.front().delay);
}

} // namespace halvex

#include "plan_worker.h"

#include <utility>

namespace stakora::plan {

PlanWorker::PlanWorker(Deliver deliver)
    : deliver_(std::move(deliver)), thread_([this](std::stop_token quit) { Loop(quit); }) {}

PlanWorker::~PlanWorker() {
  // In this order: the thread either sees the quit before it starts a plan,
  // or has started it under the lock taken here, which then stops it.
  thread_.request_stop();
  {
    std::lock_guard lock(mutex_);
    current_.request_stop();
  }
  thread_.join();
}

std::uint64_t PlanWorker::Submit(Request request) {
  std::lock_guard lock(mutex_);
  current_.request_stop();
  waiting_ = std::move(request);
  wake_.notify_one();
  return ++newest_;
}

std::uint64_t PlanWorker::Cancel() {
  std::lock_guard lock(mutex_);
  current_.request_stop();
  waiting_.reset();
  return ++newest_;
}

void PlanWorker::Loop(std::stop_token quit) {
  std::unique_lock lock(mutex_);
  for (;;) {
    // A request may be waiting when the quit comes: it is not started.
    if (!wake_.wait(lock, quit, [this] { return waiting_.has_value(); }) || quit.stop_requested())
      return;
    const Request request = std::move(*waiting_);
    waiting_.reset();
    const std::uint64_t id = newest_;
    current_ = std::stop_source();
    const std::stop_token stop = current_.get_token();
    lock.unlock();
    auto outcome = MakePlan(request, stop);
    lock.lock();
    if (id == newest_ && !quit.stop_requested()) deliver_(id, std::move(outcome));
  }
}

}  // namespace stakora::plan

#include "plan_worker.h"

#include <chrono>
#include <utility>

namespace stakora::plan {

PlanWorker::PlanWorker(Deliver deliver)
    : deliver_(std::move(deliver)), thread_([this] { Loop(); }) {}

PlanWorker::~PlanWorker() {
  // Under the lock: the thread either sees the quit before it starts a plan,
  // or has started it, which this then stops.
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
    current_.request_stop();
  }
  wake_.notify_all();
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

void PlanWorker::Loop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    // Woken now and then as well, so that a wake-up lost by a thread library
    // costs a moment rather than a window that never closes.
    while (!quit_ && !waiting_) wake_.wait_for(lock, std::chrono::milliseconds(250));
    // A request may be waiting when the quit comes: it is not started.
    if (quit_) return;
    const Request request = std::move(*waiting_);
    waiting_.reset();
    const std::uint64_t id = newest_;
    current_ = std::stop_source();
    const std::stop_token stop = current_.get_token();
    lock.unlock();
    auto outcome = MakePlan(request, stop);
    lock.lock();
    if (id == newest_ && !quit_) deliver_(id, std::move(outcome));
  }
}

}  // namespace stakora::plan

#pragma once
// Plans worked out off the caller's thread, the newest request winning. A new
// request stops the one being worked out, and an outcome is handed on only
// while its request is still the newest, with the number Submit gave it, so
// that a receiver on another thread can check it once more on arrival.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>

#include "plan.h"
#include "result.h"

namespace stakora::plan {

class PlanWorker {
 public:
  // Runs on the worker's thread, with the worker locked: it must hand the
  // outcome on (to an event loop, say) and not call back into the worker.
  using Deliver = std::function<void(std::uint64_t id, Result<Plan, std::string> outcome)>;

  explicit PlanWorker(Deliver deliver);
  // Stops the plan being worked out and waits for the thread.
  ~PlanWorker();
  PlanWorker(const PlanWorker&) = delete;
  PlanWorker& operator=(const PlanWorker&) = delete;

  // Works out `request` in place of anything asked before; its number.
  std::uint64_t Submit(Request request);
  // Drops whatever was asked: nothing asked before is delivered. The number
  // that stands for "no request".
  std::uint64_t Cancel();

 private:
  void Loop();

  std::mutex mutex_;
  std::condition_variable wake_;
  bool quit_ = false;
  std::optional<Request> waiting_;
  std::uint64_t newest_ = 0;
  std::stop_source current_;  // the plan being worked out
  Deliver deliver_;
  std::thread thread_;  // last: it starts once the rest is ready
};

}  // namespace stakora::plan

#include "plan_worker.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "plan_text.h"
#include "support/slow_plan.h"

namespace stakora::plan {
namespace {

Request Stake(int amount) {
  Request r;
  r.amount = std::to_string(amount);
  r.runners = {{"", "3", false}, {"", "4", false}};
  return r;
}

Request Slow() {
  Request r;
  r.side = Side::Lay, r.commission = "2";
  for (const std::string& odds : testing::SlowPlanOdds()) r.runners.push_back({"", odds, false});
  r.held.push_back(*ParseHeldText(testing::kSlowPlanHeld));
  return r;
}

// What the worker delivered, in order: the request's number and its total.
class Deliveries {
 public:
  PlanWorker::Deliver Sink() {
    return [this](std::uint64_t id, Result<Plan, std::string> outcome) {
      std::lock_guard lock(mutex_);
      got_.push_back({id, outcome ? outcome->total_stake : -1});
      arrived_.notify_all();
    };
  }
  std::vector<std::pair<std::uint64_t, std::int64_t>> WaitFor(std::uint64_t id) {
    std::unique_lock lock(mutex_);
    arrived_.wait(lock, [&] { return !got_.empty() && got_.back().first == id; });
    return got_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<std::pair<std::uint64_t, std::int64_t>> got_;
};

// Requests in quick succession: only ever the newest at its time is handed
// on, each with its own plan, and the last one surely is.
TEST(PlanWorker, TheNewestRequestWins) {
  Deliveries d;
  PlanWorker worker(d.Sink());
  std::uint64_t last = 0;
  for (int amount = 10; amount < 40; ++amount) last = worker.Submit(Stake(amount));
  const auto got = d.WaitFor(last);
  for (std::size_t i = 0; i < got.size(); ++i) {
    if (i > 0) {
      EXPECT_LT(got[i - 1].first, got[i].first);
    }
    EXPECT_EQ(got[i].second, (9 + static_cast<std::int64_t>(got[i].first)) * 100);
  }
}

// A slow plan that is cancelled, or asked again in its place, is stopped and
// never handed on; a worker that goes stops the plan it is working out.
TEST(PlanWorker, CancelledOrReplacedPlansAreNeverDelivered) {
  Deliveries d;
  PlanWorker worker(d.Sink());
  const std::uint64_t cancelled = worker.Submit(Slow());
  worker.Cancel();
  const std::uint64_t replaced = worker.Submit(Slow());
  const std::uint64_t wanted = worker.Submit(Stake(25));
  const auto got = d.WaitFor(wanted);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_NE(got[0].first, cancelled);
  EXPECT_NE(got[0].first, replaced);
  EXPECT_EQ(got[0].second, 2500);
  PlanWorker leaving(d.Sink());
  leaving.Submit(Slow());
}

}  // namespace
}  // namespace stakora::plan

#pragma once
// A test that hangs is named and ends the run at once, rather than holding a
// CI run until that run's own limit: no test here takes more than seconds,
// so the limit is generous and never a measure of speed.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace stakora::testing {

class HangWatch : public ::testing::EmptyTestEventListener {
 public:
  // The watched state outlives this listener, which the run deletes while
  // the watching thread may still look.
  explicit HangWatch(std::chrono::seconds limit) : w_(new Watched(limit)) {
    std::thread([w = w_] { Watch(*w); }).detach();
  }
  void OnTestStart(const ::testing::TestInfo& t) override {
    std::lock_guard lock(w_->mutex);
    w_->name = std::string(t.test_suite_name()) + "." + t.name();
    w_->started = std::chrono::steady_clock::now();
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    std::lock_guard lock(w_->mutex);
    w_->name.clear();
  }

 private:
  struct Watched {
    explicit Watched(std::chrono::seconds l) : limit(l) {}
    const std::chrono::seconds limit;
    std::mutex mutex;
    std::string name;  // empty between tests
    std::chrono::steady_clock::time_point started;
  };
  static void Watch(Watched& w) {
    for (;;) {
      std::this_thread::sleep_for(std::chrono::seconds(1));
      std::lock_guard lock(w.mutex);
      if (w.name.empty() || std::chrono::steady_clock::now() - w.started < w.limit) continue;
      std::fprintf(stderr, "%s has not ended after %lld s: it hangs\n", w.name.c_str(),
                   static_cast<long long>(w.limit.count()));
      std::fflush(stderr);
      std::_Exit(3);
    }
  }

  Watched* w_;
};

// Installs a HangWatch over every test of the run.
inline void WatchForHangs(std::chrono::seconds limit = std::chrono::seconds(300)) {
  ::testing::UnitTest::GetInstance()->listeners().Append(new HangWatch(limit));
}

}  // namespace stakora::testing

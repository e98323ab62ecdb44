// Starts a program on the X display and reports how long it took until its
// first top-level window was mapped, and its peak memory a moment later.
// Usage: first_window SETTLE_MS PROGRAM [ARGS...]   prints "<ms> <peak kB>"

#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

long PeakKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: first_window SETTLE_MS PROGRAM [ARGS...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "first_window: no X display\n");
    return 2;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execv(argv[2], argv + 2);
    _exit(127);
  }
  pollfd fd{ConnectionNumber(display), POLLIN, 0};
  double ms = -1;
  while (ms < 0) {
    while (XPending(display)) {
      XEvent e;
      XNextEvent(display, &e);
      if (e.type == MapNotify && e.xmap.event == DefaultRootWindow(display)) {
        ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                 .count();
        break;
      }
    }
    if (ms < 0 && poll(&fd, 1, 30000) <= 0) break;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[1])));
  const long peak = PeakKilobytes(pid);
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  XCloseDisplay(display);
  if (ms < 0) return 1;
  std::printf("%.1f %ld\n", ms, peak);
  return 0;
}

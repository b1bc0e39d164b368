// Time from process start to the first frame on screen: starts the
// program on the current X display and watches one pixel near the top of
// the screen until it shows the sky's clear colour. Then ends the program
// and starts it again.
//
//   with_xvfb.sh startup_bench DRIVE DATA_DIR [RUNS]
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace
{

using clock_type = std::chrono::steady_clock;

// True when the pixel at (320, 4) is the clear colour (0.5, 0.5, 1).
bool sky_on_screen(Display *x)
{
  XImage *image =
      XGetImage(x, DefaultRootWindow(x), 320, 4, 1, 1, AllPlanes, ZPixmap);
  if (!image)
    return false;
  const unsigned long p = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  const int r = p >> 16 & 0xff, g = p >> 8 & 0xff, b = p & 0xff;
  return r >= 120 && r <= 136 && g >= 120 && g <= 136 && b >= 248;
}

// Milliseconds from fork to the first frame, or -1 after 10 s.
double one_start(Display *x, const char *drive, const char *data)
{
  const clock_type::time_point start = clock_type::now();
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(data) != 0)
      _exit(127);
    execl(drive, drive, static_cast<char *>(nullptr));
    _exit(127);
  }
  double ms = -1.0;
  while (clock_type::now() - start < std::chrono::seconds(10)) {
    if (sky_on_screen(x)) {
      ms = std::chrono::duration<double, std::milli>(clock_type::now() - start)
               .count();
      break;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(250));
  }
  kill(pid, SIGKILL); // the library catches SIGTERM
  waitpid(pid, nullptr, 0);
  // Let the server clear the window away before the next start.
  while (sky_on_screen(x))
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return ms;
}

} // namespace

int main(int argc, char **argv)
{
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s DRIVE DATA_DIR [RUNS]\n", argv[0]);
    return 2;
  }
  const int runs = argc > 3 ? std::atoi(argv[3]) : 10;
  Display *x = XOpenDisplay(nullptr);
  if (!x) {
    std::fprintf(stderr, "no X display\n");
    return 1;
  }
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double ms = one_start(x, argv[1], argv[2]);
    if (ms < 0) {
      std::fprintf(stderr, "run %d: no frame within 10 s\n", i);
      return 1;
    }
    times.push_back(ms);
  }
  std::sort(times.begin(), times.end());
  std::printf("start to first frame over %d runs: median %.1f ms, "
              "min %.1f ms, max %.1f ms\n",
              runs, times[times.size() / 2], times.front(), times.back());
  XCloseDisplay(x);
  return 0;
}

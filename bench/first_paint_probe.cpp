// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded into a Qt program (LD_PRELOAD) to time it without changing it:
// when the application object is created it starts watching for the first
// paint of a top-level window; once that paint is done it writes the
// monotonic clock, in nanoseconds, to $PRISM_FIRST_PAINT_FILE and ends the
// process.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

long long MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

class FirstPaintWatcher : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
      seen_ = true;
      // Runs once the paint that is starting now, children included, is done.
      QTimer::singleShot(0, this, [] {
        const long long painted = MonotonicNanoseconds();
        if (const char* path = std::getenv("PRISM_FIRST_PAINT_FILE")) {
          if (std::FILE* file = std::fopen(path, "w")) {
            std::fprintf(file, "%lld\n", painted);
            std::fclose(file);
          }
        }
        // Ends here: what the program does after its first paint (closing,
        // tearing down) is no part of its start-up, and is not counted.
        std::_Exit(0);
      });
    }
    return false;
  }

 private:
  bool seen_ = false;
};

void WatchFirstPaint() {
  QCoreApplication::instance()->installEventFilter(
      new FirstPaintWatcher(QCoreApplication::instance()));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchFirstPaint)

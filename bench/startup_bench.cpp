// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up time (process start to the first painted window) and peak resident
// memory of the program against a bare Qt window, alternated over many runs.
//   xvfb-run -a build/default/bench/prism_startup_bench [runs]

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "prism/program_info.h"

extern char** environ;

namespace {

struct Sample {
  double milliseconds;
  double resident_mib;
};

long long MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

bool Run(const char* program, const std::string& report, Sample* sample) {
  std::remove(report.c_str());
  std::vector<std::string> env_strings = {"LD_PRELOAD=" PRISM_PROBE_LIBRARY,
                                          "PRISM_FIRST_PAINT_FILE=" + report};
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry(*e);
    if (!entry.starts_with("LD_PRELOAD=") && !entry.starts_with("PRISM_FIRST_PAINT_FILE=")) {
      env_strings.push_back(entry);
    }
  }
  std::vector<char*> env;
  for (std::string& e : env_strings) env.push_back(e.data());
  env.push_back(nullptr);
  char* argv[] = {const_cast<char*>(program), nullptr};

  const long long start = MonotonicNanoseconds();
  pid_t pid = 0;
  if (posix_spawn(&pid, program, nullptr, nullptr, argv, env.data()) != 0) return false;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s did not exit cleanly\n", program);
    return false;
  }
  long long painted = 0;
  std::ifstream(report) >> painted;
  if (painted <= start) {
    std::fprintf(stderr, "%s reported no paint\n", program);
    return false;
  }
  sample->milliseconds = static_cast<double>(painted - start) / 1e6;
  sample->resident_mib = static_cast<double>(usage.ru_maxrss) / 1024.0;
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  const std::string report = "/tmp/prism_first_paint." + std::to_string(getpid());
  const char* programs[] = {PRISM_DRAVIK, PRISM_BARE_WINDOW};
  std::vector<double> time[2], memory[2];

  // One unmeasured run of each warms the file cache and the font cache.
  Sample warm{};
  for (const char* program : programs) {
    if (!Run(program, report, &warm)) return 1;
  }
  for (int i = 0; i < runs; ++i) {
    for (int k = 0; k < 2; ++k) {
      const int which = (i + k) % 2;  // alternate which goes first
      Sample sample{};
      if (!Run(programs[which], report, &sample)) return 1;
      time[which].push_back(sample.milliseconds);
      memory[which].push_back(sample.resident_mib);
    }
  }
  std::remove(report.c_str());

  const char* platform = std::getenv("QT_QPA_PLATFORM");
  std::printf("platform: %s, %d runs each, medians\n",
              platform != nullptr ? platform : (std::getenv("DISPLAY") ? "xcb" : "default"), runs);
  std::printf("%-12s %12s %12s\n", "", "first paint", "peak RSS");
  const char* names[] = {prism::kExecutableName, "bare window"};
  for (int k = 0; k < 2; ++k) {
    std::printf("%-12s %9.1f ms %8.1f MiB\n", names[k], Median(time[k]), Median(memory[k]));
  }
  std::printf("ratio        %12.3f %12.3f   (goal: both <= 1.15)\n",
              Median(time[0]) / Median(time[1]), Median(memory[0]) / Median(memory[1]));
  return 0;
}

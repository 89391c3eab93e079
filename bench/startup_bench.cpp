// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up time (process start to the first painted window) and peak resident
// memory of the program against a bare Qt window, alternated over many runs;
// where valgrind is installed, also the instructions to the first paint
// (callgrind, offscreen), which are the same on a busy machine as on an idle
// one. The last line gives the three ratios.
//   xvfb-run -a build/default/bench/prism_startup_bench [runs]

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
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

// Starts the command with the probe preloaded and the given variables set
// over the environment's, and waits for it.
bool Spawn(std::vector<std::string> command, std::vector<std::string> variables, rusage* usage) {
  variables.push_back("LD_PRELOAD=" PRISM_PROBE_LIBRARY);
  std::vector<std::string> env_strings = variables;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry(*e);
    const bool overridden = std::any_of(variables.begin(), variables.end(), [&](const std::string& v) {
      return entry.starts_with(v.substr(0, v.find('=') + 1));
    });
    if (!overridden) env_strings.push_back(entry);
  }
  std::vector<char*> env;
  for (std::string& e : env_strings) env.push_back(e.data());
  env.push_back(nullptr);
  std::vector<char*> argv;
  for (std::string& word : command) argv.push_back(word.data());
  argv.push_back(nullptr);

  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), env.data()) != 0) return false;
  int status = 0;
  if (wait4(pid, &status, 0, usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s did not exit cleanly\n", command.back().c_str());
    return false;
  }
  return true;
}

bool Run(const char* program, const std::string& report, Sample* sample) {
  std::remove(report.c_str());
  const long long start = MonotonicNanoseconds();
  rusage usage{};
  if (!Spawn({program}, {"PRISM_FIRST_PAINT_FILE=" + report}, &usage)) return false;
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

bool OnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string folders = path != nullptr ? path : "";
  for (std::size_t begin = 0; begin <= folders.size();) {
    const std::size_t end = std::min(folders.find(':', begin), folders.size());
    if (access((folders.substr(begin, end - begin) + "/" + name).c_str(), X_OK) == 0) return true;
    begin = end + 1;
  }
  return false;
}

// Instructions from the start to the first paint, under callgrind on the
// offscreen platform, with a fixed hash seed and an empty home (no zoom or
// settings of the user's), or 0 where that fails.
double Instructions(const char* program, const std::string& scratch) {
  const std::string out = scratch + ".callgrind";
  std::remove(out.c_str());
  rusage usage{};
  if (!Spawn({"valgrind", "--tool=callgrind", "--quiet", "--callgrind-out-file=" + out, program},
             {"QT_QPA_PLATFORM=offscreen", "QT_HASH_SEED=0", "HOME=" + scratch,
              "XDG_CONFIG_HOME=" + scratch + "/config", "XDG_RUNTIME_DIR=" + scratch,
              "PRISM_FIRST_PAINT_FILE=" + scratch + "/painted"},
             &usage)) {
    return 0;
  }
  std::ifstream file(out);
  std::string line;
  double total = 0;
  while (std::getline(file, line)) {
    if (line.starts_with("summary: ") || line.starts_with("totals: ")) total = std::atof(line.c_str() + 8);
  }
  std::remove(out.c_str());
  return total;
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

  double instructions[2] = {0, 0};
  if (OnPath("valgrind")) {
    char scratch[] = "/tmp/prism_startup_XXXXXX";
    if (mkdtemp(scratch) != nullptr) {
      for (int k = 0; k < 2; ++k) instructions[k] = Instructions(programs[k], scratch);
      std::filesystem::remove_all(scratch);
    }
    for (int k = 0; k < 2; ++k) {
      std::printf("%-12s %9.1f M instructions to the first paint (callgrind, offscreen)\n", names[k],
                  instructions[k] / 1e6);
    }
  }
  std::printf("ratios: time %.3f, memory %.3f, ", Median(time[0]) / Median(time[1]),
              Median(memory[0]) / Median(memory[1]));
  if (instructions[0] > 0 && instructions[1] > 0) {
    std::printf("instructions %.3f", instructions[0] / instructions[1]);
  } else {
    std::printf("instructions not counted (no valgrind)");
  }
  std::printf("   (goals: 1.10, 1.15, 1.30)\n");
  return 0;
}

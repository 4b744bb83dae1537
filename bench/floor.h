#pragma once
// Each step measured beside its floor in the same iterations, so that a busy
// machine slows both alike: per iteration the floor runs, then the step, each
// timed on its own. The benchmark's time is the step's (UseManualTime); the
// counters floor_ms, x_floor and goal_x stand beside it, and at the end of the
// run one line per step says the ratio and its goal, e.g.
//   LoadRegister/100000: 2.1x floor (goal <= 3x) met
// The ratio is of the medians of the iterations, so that an odd slow
// iteration (another process) moves neither side.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zelbench {

// The whole file in fresh memory of its own, nothing else done: the floor
// of any load that must hand its records over in memory of their own.
inline std::unique_ptr<char[]> ReadIntoFreshMemory(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) std::abort();
  const auto size = static_cast<std::size_t>(::lseek(fd, 0, SEEK_END));
  ::lseek(fd, 0, SEEK_SET);
  std::unique_ptr<char[]> buffer(new char[size]);
  std::size_t filled = 0;
  while (filled < size) {
    const ssize_t n = ::read(fd, buffer.get() + filled, size - filled);
    if (n <= 0) std::abort();
    filled += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return buffer;
}

class Summary {
public:
  static Summary& Get() {
    static Summary summary;
    return summary;
  }
  // The last report of a name wins: Google Benchmark runs a function a few
  // times to find its iteration count, and reports the last run.
  void Set(const std::string& name, const std::string& line, double stepSeconds, double floorSeconds) {
    lines_[name] = line;
    seconds_[name] = {stepSeconds, floorSeconds};
  }
  // A line comparing the time of `step`/`large` with `step`/`small`.
  void Scaling(const std::string& step, long small, long large, double goal) {
    scalings_[step] = {step, small, large, goal};
  }
  ~Summary() {
    if (lines_.empty()) return;
    std::printf("\nEach step against its goal:\n");
    for (const auto& [name, line] : lines_) std::printf("  %s\n", line.c_str());
    for (const auto& [step, s] : scalings_) {
      const auto a = seconds_.find(s.step + "/" + std::to_string(s.small));
      const auto b = seconds_.find(s.step + "/" + std::to_string(s.large));
      if (a == seconds_.end() || b == seconds_.end() || a->second.first <= 0 || a->second.second <= 0) continue;
      const double x = b->second.first / a->second.first;
      const double floorX = b->second.second / a->second.second;  // the same bytes read raw grow like this
      std::printf("  %s/%ld vs /%ld: %.1fx the time for %.0fx the data (goal <= %.0fx) %s; its floor %.1fx\n",
                  s.step.c_str(), s.large, s.small, x, static_cast<double>(s.large) / static_cast<double>(s.small),
                  s.goal, x <= s.goal ? "met" : "NOT MET", floorX);
    }
    std::fflush(stdout);
  }

private:
  struct Scale {
    std::string step;
    long small, large;
    double goal;
  };
  std::map<std::string, std::string> lines_;
  std::map<std::string, std::pair<double, double>> seconds_;  // step and floor
  std::map<std::string, Scale> scalings_;
};

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

inline double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Per iteration: prepare() untimed (its result handed to the step and freed
// untimed), floor() timed, step(prepared) timed as the benchmark's time.
// `name` is how the summary names the step, e.g. "LoadRegister/1000".
template <class Prepare, class Floor, class Step>
void StepBesideFloor(benchmark::State& state, const std::string& name, double goal, Prepare prepare, Floor floor,
                     Step step) {
  using Clock = std::chrono::steady_clock;
  std::vector<double> floors, steps;
  for (auto _ : state) {
    auto prepared = prepare();
    const auto t0 = Clock::now();
    floor();
    const auto t1 = Clock::now();
    step(prepared);
    const auto t2 = Clock::now();
    state.SetIterationTime(Seconds(t2 - t1));
    floors.push_back(Seconds(t1 - t0));
    steps.push_back(Seconds(t2 - t1));
  }
  const double f = Median(floors), s = Median(steps);
  const double x = f > 0 ? s / f : 0;
  state.counters["floor_ms"] = f * 1e3;
  state.counters["x_floor"] = x;
  state.counters["goal_x"] = goal;
  char line[200];
  std::snprintf(line, sizeof line, "%s: %.2f ms vs floor %.2f ms = %.1fx floor (goal <= %.0fx) %s", name.c_str(),
                s * 1e3, f * 1e3, x, goal, x <= goal ? "met" : "NOT MET");
  Summary::Get().Set(name, line, s, f);
}

// A step without a floor, judged by its throughput over `bytes` per iteration.
template <class Step>
void StepAtThroughput(benchmark::State& state, const std::string& name, double bytes, double goalGBps, Step step) {
  using Clock = std::chrono::steady_clock;
  std::vector<double> steps;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    step();
    const auto t1 = Clock::now();
    state.SetIterationTime(Seconds(t1 - t0));
    steps.push_back(Seconds(t1 - t0));
  }
  const double s = Median(steps);
  const double gbps = s > 0 ? bytes / s / 1e9 : 0;
  state.counters["GB_per_s"] = gbps;
  state.counters["goal_GB_per_s"] = goalGBps;
  char line[200];
  std::snprintf(line, sizeof line, "%s: %.2f ms for %.1f MB = %.2f GB/s (goal >= %.0f GB/s) %s", name.c_str(), s * 1e3,
                bytes / 1e6, gbps, goalGBps, gbps >= goalGBps ? "met" : "NOT MET");
  Summary::Get().Set(name, line, s, 0);
}

}  // namespace zelbench

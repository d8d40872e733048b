// Throughput of loading, copying and writing generated clips, and of
// kadenzo-filter as a whole process beside `awk 1` over the same file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/ClipGenerator.h"
#include "score/ArticulationCopy.h"
#include "score/LineReader.h"
#include "score/MemoryLineStore.h"
#include "score/ScoreFile.h"

extern char** environ;

namespace kadenzo::bench {
namespace {

std::size_t FileSize(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  return static_cast<std::size_t>(in.tellg());
}

void SetThroughput(benchmark::State& state, const std::string& path) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(FileSize(path)));
}

void BM_LoadInput(benchmark::State& state) {
  const std::string path = ClipFile(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    MemoryLineStore store;
    LineList lines(store);
    LoadInput(path, lines);
    benchmark::DoNotOptimize(lines.Count());
  }
  SetThroughput(state, path);
}

void BM_CopyArticulation(benchmark::State& state) {
  const std::string path = ClipFile(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    {
      MemoryLineStore store;
      LineList lines(store);
      LoadInput(path, lines);
      state.ResumeTiming();
      benchmark::DoNotOptimize(CopyArticulation(lines));
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
  SetThroughput(state, path);
}

void BM_WriteOutput(benchmark::State& state) {
  const std::string path = ClipFile(static_cast<std::size_t>(state.range(0)));
  MemoryLineStore store;
  LineList lines(store);
  LoadInput(path, lines);
  for (auto _ : state) WriteOutput(path + ".out", lines);
  std::remove((path + ".out").c_str());
  SetThroughput(state, path);
}

void BM_LoadCopyWrite(benchmark::State& state) {
  const std::string path = ClipFile(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    MemoryLineStore store;
    LineList lines(store);
    LoadInput(path, lines);
    CopyArticulation(lines);
    WriteOutput(path + ".out", lines);
  }
  std::remove((path + ".out").c_str());
  SetThroughput(state, path);
}

struct ProcessRun {
  double seconds;
  double peakBytes;
};

// Runs `argv` with standard input from `input` and output thrown away. The
// program runs under this benchmark started afresh with --measure-peak, whose
// own child's peak memory is then free of this process's large heap.
ProcessRun Run(const std::vector<std::string>& argv, const std::string& input) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  int report[2];
  if (pipe(report) != 0) return {0, 0};
  posix_spawn_file_actions_adddup2(&actions, report[1], 2);
  std::vector<const char*> args = {"/proc/self/exe", "--measure-peak"};
  for (const std::string& arg : argv) args.push_back(arg.c_str());
  args.push_back(nullptr);
  auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  posix_spawn(&child, "/proc/self/exe", &actions, nullptr, const_cast<char* const*>(args.data()),
              environ);
  close(report[1]);
  char text[64] = {};
  ssize_t got = read(report[0], text, sizeof text - 1);
  close(report[0]);
  waitpid(child, nullptr, 0);
  std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  posix_spawn_file_actions_destroy(&actions);
  return {took.count(), got > 0 ? std::atof(text) : 0.0};
}

// The --measure-peak mode: runs the program and reports its peak resident
// memory in bytes on standard error.
int MeasurePeak(char** argv) {
  pid_t child = fork();
  if (child == 0) {
    int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, 2);
    execvp(argv[0], argv);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  std::string text = std::to_string(static_cast<double>(usage.ru_maxrss) * 1024.0);
  return write(2, text.data(), text.size()) > 0 ? 0 : 1;
}

// The filter and `awk 1` take turns on the same file, so both see the same
// machine load; the ratio is what the target is about.
void BM_FilterProcessVsAwk(benchmark::State& state) {
  const std::string path = ClipFile(static_cast<std::size_t>(state.range(0)));
  double filterSeconds = 0;
  double awkSeconds = 0;
  double peak = 0;
  for (auto _ : state) {
    ProcessRun filter = Run({KADENZO_FILTER}, path);
    ProcessRun awk = Run({"awk", "1"}, path);
    filterSeconds += filter.seconds;
    awkSeconds += awk.seconds;
    peak = std::max(peak, filter.peakBytes);
  }
  double n = static_cast<double>(state.iterations());
  state.counters["filter_ms"] = filterSeconds / n * 1000;
  state.counters["awk_ms"] = awkSeconds / n * 1000;
  state.counters["filter_over_awk"] = filterSeconds / awkSeconds;
  state.counters["peak_MB"] = peak / 1e6;
  state.counters["peak_over_file"] = peak / static_cast<double>(FileSize(path));
  SetThroughput(state, path);
}

#define KADENZO_SIZES ->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_LoadInput) KADENZO_SIZES;
BENCHMARK(BM_CopyArticulation) KADENZO_SIZES;
BENCHMARK(BM_WriteOutput) KADENZO_SIZES;
BENCHMARK(BM_LoadCopyWrite) KADENZO_SIZES;
BENCHMARK(BM_FilterProcessVsAwk) KADENZO_SIZES->UseRealTime();

}  // namespace
}  // namespace kadenzo::bench

int main(int argc, char** argv) {
  if (argc > 2 && std::string(argv[1]) == "--measure-peak") {
    return kadenzo::bench::MeasurePeak(argv + 2);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

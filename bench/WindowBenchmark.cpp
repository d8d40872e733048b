// The window's costs beside a bare Qt baseline measured in the same run: a
// plain dialog with a plain text edit given the same text. Reported as ratios
// (ours over baseline). The in-process measures run on Qt's offscreen
// platform; the whole-process one starts both programs on a virtual display.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPlainTextEdit>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>

#include "app/MainForm.h"
#include "bench/ClipGenerator.h"
#include "forms/Application.h"
#include "testing/RunProcess.h"
#include "testing/VirtualDisplay.h"
#include "testing/WindowWatcher.h"

namespace kadenzo::bench {
namespace {

const std::string kDir = "/tmp/kadenzo-window-bench";

double Seconds(const std::function<void()>& work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Reports the mean time per iteration of ours and of the baseline, in
// milliseconds, and their ratio.
void Report(benchmark::State& state, double ours, double baseline, const char* oursName,
            const char* baselineName, const char* ratioName) {
  double n = static_cast<double>(state.iterations());
  state.counters[oursName] = ours / n * 1000;
  state.counters[baselineName] = baseline / n * 1000;
  state.counters[ratioName] = ours / baseline;
}

// Our window, created as the program does on a fresh copy of the clip.
struct Ours {
  explicit Ours(const std::string& clip) {
    std::filesystem::create_directories(kDir);
    std::filesystem::copy_file(clip, kDir + "/input",
                               std::filesystem::copy_options::overwrite_existing);
    application = std::make_unique<forms::TApplication>(
        std::vector<std::string>{"Kadenzo", kDir + "/input", kDir + "/output"});
    main = application->CreateForm<TMain>();
  }
  void Show() {
    main->ShowCentered();
    QCoreApplication::processEvents();
  }
  std::unique_ptr<forms::TApplication> application;
  TMain* main = nullptr;
};

// The baseline: a plain dialog whose plain text edit loads the same text.
double BaselineLoadAndShow(const std::string& clip) {
  QDialog dialog;
  dialog.resize(400, 320);
  QPlainTextEdit edit(&dialog);
  edit.setGeometry(16, 56, 369, 209);
  edit.setLineWrapMode(QPlainTextEdit::NoWrap);
  return Seconds([&] {
    QFile file(QString::fromStdString(clip));
    file.open(QIODevice::ReadOnly);
    edit.setPlainText(QString::fromUtf8(file.readAll()));
    dialog.show();
    QCoreApplication::processEvents();
  });
}

void BM_StartToShownVsBaseline(benchmark::State& state) {
  std::string clip = ClipFile(static_cast<std::size_t>(state.range(0)));
  double ours = 0;
  double baseline = 0;
  for (auto _ : state) {
    std::optional<Ours> window;
    ours += Seconds([&] {
      window.emplace(clip);
      window->Show();
    });
    window.reset();
    baseline += BaselineLoadAndShow(clip);
  }
  Report(state, ours, baseline, "ours_ms", "baseline_ms", "ours_over_baseline");
}

// From process start until the window is shown on the display, for Kadenzo
// and for the bare dialog, taking turns.
void BM_ProcessStartToShownVsBaseline(benchmark::State& state) {
  std::string clip = ClipFile(static_cast<std::size_t>(state.range(0)));
  testing::VirtualDisplay display;
  std::vector<std::string> environment = {"DISPLAY=" + display.Name(), "QT_QPA_PLATFORM=xcb"};
  auto timeToShown = [&](const std::vector<std::string>& argv) {
    testing::WindowWatcher watcher(display.Name());
    double seconds = 0;
    int pid = -1;
    seconds = Seconds([&] {
      pid = testing::StartProcess(argv, environment);
      if (!watcher.WaitForShown(60)) state.SkipWithError("no window was shown");
    });
    testing::WaitProcess(pid, 0);
    return seconds;
  };
  double ours = 0;
  double baseline = 0;
  for (auto _ : state) {
    ours += timeToShown({KADENZO_APP, clip, kDir + "/never-written"});
    baseline += timeToShown({BARE_QT_DIALOG, clip});
  }
  Report(state, ours, baseline, "ours_ms", "baseline_ms", "ours_over_baseline");
}

void BM_CopyVsBaselineLoad(benchmark::State& state) {
  std::string clip = ClipFile(static_cast<std::size_t>(state.range(0)));
  double ours = 0;
  double baseline = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Ours window(clip);
    window.Show();
    state.ResumeTiming();
    ours += Seconds([&] {
      window.main->CopyButtonClick();
      QCoreApplication::processEvents();
    });
    baseline += BaselineLoadAndShow(clip);
  }
  Report(state, ours, baseline, "copy_ms", "baseline_load_ms", "copy_over_baseline_load");
}

BENCHMARK(BM_StartToShownVsBaseline)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProcessStartToShownVsBaseline)
    ->Arg(1'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_CopyVsBaselineLoad)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kadenzo::bench

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

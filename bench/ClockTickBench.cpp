// One tick of the main window's timer with the clock shown in the floating
// window: the clock text, the label's update and the auto-return step,
// without painting (nothing runs the event loop). It runs every second for
// the whole day; the goal is a median of at most 20 µs.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <stdexcept>

#include "AppFixture.h"
#include "window/FloatingWindow.h"
#include "window/FrmWindow.h"

namespace {

using namespace kirimo;
using namespace kirimo::testing;

// The program as main() starts it, against fakes and a settings file in a
// temporary directory, with the clock on in the longest format.
struct RunningProgram {
  RunningProgram() : location(dir.path()) {
    WriteBytes(dir.path() / "Kirim.ini", "[MyData]\r\nTIMECASE=c\r\nFUKKI=600\r\n");
    frmMain = StartProgram(ctx);
    if (!frmMain) throw std::runtime_error("the program did not start");
    ToggleClock(ctx);
    if (!FindFloatingWindow(ctx)) throw std::runtime_error("the floating window did not open");
  }
  ~RunningProgram() {
    frmMain.reset();
    RestoreEndSignals();
  }

  TempDir dir;
  FakeMessageBoxes boxes;
  FakeClock clock;
  FakeLock lock;
  DirLocation location;
  SeededRandom random;
  FakeTray tray;
  FakeStacking stacking;
  FakeLauncher launcher;
  AppContext ctx{Services{boxes, clock, lock, location, random, tray, stacking, launcher}};
  std::unique_ptr<FrmMain> frmMain;
};

void BM_Timer1TickWithTheClockShown(benchmark::State& state) {
  RunningProgram program;
  // A count that runs all along, as after a recall with the longest delay.
  program.ctx.state.autoReturnCount = 0;
  for (auto _ : state) {
    program.clock.Advance(1);
    program.frmMain->Timer1_Timer();
    if (program.ctx.state.autoReturnCount >= 599) program.ctx.state.autoReturnCount = 0;
  }
  if (FloatingWindowText(program.ctx).isEmpty()) throw std::runtime_error("the clock did not show");
}
BENCHMARK(BM_Timer1TickWithTheClockShown)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

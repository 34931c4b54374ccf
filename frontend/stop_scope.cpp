// The moments of a run at which a stop waits or takes effect.
#include "frontend/stop_scope.h"

#include <optional>

#include "frontend/stop_hold.h"

namespace tessaro {
namespace {

// The run in effect, on the program's own thread only (the handlers see the
// hold alone). runHeld: the run's own hold, while it is set up and from a
// file's output being put in place or its end until it has been reported;
// runDone: that hold kept to the program's end.
bool inRun = false;
bool runHeld = false;
bool runDone = false;
std::string runInput;  // of the file going on

void HoldRun() {
  if (runHeld) return;
  runHeld = true;
  HoldStops();
}

void ReleaseRun() {
  if (!runHeld) return;
  runHeld = false;
  ReleaseStops();
}

// A new report for a stop, put in place while stops wait; the run's own
// hold is given up with it. A stop that waited takes effect at the end,
// with the new report.
void Arm(const std::string& report) {
  HoldStops();
  SetStopReport(report);
  SetStoppedInputSize(std::nullopt);
  ReleaseRun();
  ReleaseStops();
}

}  // namespace

StopScope::StopScope() : inEffect_(!inRun) {
  if (!inEffect_) return;
  inRun = true;
  // An earlier run of this process that was to end it did not (a test runs
  // many): its hold becomes this run's.
  runDone = false;
  HoldRun();
  Arm({});
  HoldRun();
}

void StopScope::Ready(const std::string& report) {
  if (inEffect_) Arm(report);
}

StopScope::~StopScope() {
  if (!inEffect_) return;
  inRun = false;
  runInput.clear();
  if (!runDone) Arm({});
}

void StopScope::FileBegins(const std::string& input, const std::string& report) {
  if (!inEffect_) return;
  runInput = input;
  Arm(report);
}

void StopScope::FileEnds() {
  if (inEffect_) HoldRun();
}

void StopScope::FileReported(const std::string& report) {
  if (!inEffect_) return;
  runInput.clear();
  Arm(report);
}

void StopScope::RunDone() {
  if (!inEffect_) return;
  HoldRun();
  runDone = true;
}

void StopScope::FileOpened(const std::string& path, File& file) {
  uint64_t size = 0;
  if (!inRun || runInput.empty() || path != runInput || !file.Size(&size)) return;
  HoldStops();
  SetStoppedInputSize(size);
  ReleaseStops();
}

void StopScope::OutputBeingPlaced() {
  if (inRun) HoldRun();
}

void StopScope::OutputNotPlaced() {
  if (inRun) ReleaseRun();
}

WholeLine::WholeLine() { HoldStops(); }

WholeLine::~WholeLine() { ReleaseStops(); }

}  // namespace tessaro

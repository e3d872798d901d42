#include "app/program_state.h"

#include <memory>
#include <utility>

#include "app/line_metrics.h"

namespace {

std::unique_ptr<ProgramState> instance;

}  // namespace

bool startUp(MemoryBackend& memoryBackend, ProcessControl& processControl) {
  if (instance) return false;
  instance = std::make_unique<ProgramState>(memoryBackend, processControl);
  resetProgressCells();
  return true;
}

void shutDown() {
  if (!instance) return;
  instance.reset();
  resetProgressCells();
}

ProgramState* programState() { return instance.get(); }

void installTrack(ProgramState& state, SubtitleTrack track) {
  state.track = std::move(track);
  state.display.cueIndex = 1;
  state.display.shownCue = 0;
}

void applyLineMetrics(ProgramState& state, int32_t fontSizePosition, int32_t widthPosition) {
  state.lineMetrics = computeLineMetrics(fontSizePosition, widthPosition);
}

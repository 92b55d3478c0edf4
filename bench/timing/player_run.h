#pragma once
// One playback by our player, in this process, on a real display: the X11 platform, the
// window system, the application and its message loop, a script grid of `clicks` rows all
// at `at` with the left button and `delayMs` each, the script table, the platform's input
// service and the real step timer. The run starts as the run button does (Apply) and
// lasts until the player releases the run button after the last row.
#include <string>

#include "imaging/geometry.h"

namespace tappomat {

struct PlayerRun {
  bool ok = false;
  std::string error;  // why the run could not be made, or the error box the player raised
  double wallSeconds = 0;  // from Apply until the loop ended
  double cpuSeconds = 0;   // this process's user + system time over the same span
  // Time the loop's thread was ready to run but had no processor (another program had
  // it): on a busy machine this, not the player, is what holds the rate down.
  double runQueueSeconds = 0;
};

PlayerRun RunPlayer(const std::string& displayName, Point at, int clicks, int delayMs);

}  // namespace tappomat

#pragma once

#include <functional>

#include "platform/offscreen/OffscreenOptions.h"

// Renders the show (or one model) into memory and writes the frames as
// DIR/frame-0001.png, ... Returns the process exit code; errors are printed
// as one line on stderr.
int RunOffscreen(const OffscreenOptions& options);

// Renders the show's frames for `options` with the current GL context, as a
// fresh show would: a late start first plays every step before it without
// handing it on. `frameDone` sees each frame from the start on, numbered
// from 1, and may stop the run by returning false. False when it did.
bool RenderShowFrames(const OffscreenOptions& options, const std::function<bool(int number)>& frameDone);

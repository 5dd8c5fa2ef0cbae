#pragma once

// The frame's eye: at (0, 0, 5.5) looking at the origin, z mirrored so that
// larger z lies farther away, clockwise faces in front. Multiplies the
// current modelview matrix.
void PlaceFrameCamera();

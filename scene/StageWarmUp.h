#pragma once

class Stage;

// Runs the stage's warm-up (Stage::WarmUp) into the back buffer with the
// frame's camera, then clears what it drew and puts back every piece of GL
// state it may have changed: attributes, client arrays and matrices. Frames
// drawn afterwards are the same, to the bit, as without it.
void WarmUpStage(Stage& stage);

#pragma once

// The show's mode, set by the Director and read while models compile and
// actors draw: false is colour mode, true sepia mode.
extern bool sepiaMode;

#pragma once

// SIGTERM and SIGINT (a daemon stopping the saver, or Ctrl+C) end the run
// cleanly: the handlers only raise a flag that the loops poll.
void InstallStopSignalHandlers();
bool StopRequested();

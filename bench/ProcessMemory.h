#pragma once

// The process's resident memory in KiB, as Linux reports it in
// /proc/self/status: now, and the high-water mark since the last reset
// (0 when it cannot be read).
long ResidentKiB();
long PeakResidentKiB();
// Starts a new high-water mark (clear_refs 5).
void ResetPeakResident();
// What the process holds from malloc, in every arena, in KiB: the bytes in
// use, without the free pages and fragments that resident memory also counts.
long HeapInUseKiB();

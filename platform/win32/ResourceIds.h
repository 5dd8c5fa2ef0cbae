#pragma once
// The numbers of quillmoor.scr's resources, shared by quillmoor.rc and the
// code that loads them.
#define IDS_DESCRIPTION 1
#define IDI_QUILLMOOR 100
#define IDD_CONFIGURE 104

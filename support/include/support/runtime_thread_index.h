#pragma once
// For DLLs that a process loads and unloads many times (the installer's action server does so
// once per custom action). The threads runtime that -static links into each of them takes a
// thread-local storage index the first time it meets a thread and never frees it, so every
// load and unload would leave one index taken until the process has none left.
#include <windows.h>

namespace support {

// Call from DllMain with its reason and reserved arguments: on DLL_PROCESS_ATTACH it finds
// the runtime's index, on DLL_PROCESS_DETACH by FreeLibrary it frees it.
void TrackRuntimeThreadIndex(DWORD reason, LPVOID reserved);

}  // namespace support

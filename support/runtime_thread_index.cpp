// The runtime keeps its index to itself. It is found as the one slot of the loading thread
// that fills while this DLL initialises: the loader runs the TLS callback below before the
// DLL's static constructors and DllMain, and only the thread itself writes its own slots.
#include "support/runtime_thread_index.h"

#include <pthread.h>

#include <array>

namespace support {
namespace {

// Every index TlsAlloc can hand out: the slots in the thread block and the expansion slots.
constexpr DWORD kIndexCount = TLS_MINIMUM_AVAILABLE + 1024;
using SlotValues = std::array<void*, kIndexCount>;

// Not on the stack: DllMain may run on a small one. The loader lock serialises the calls.
SlotValues slotsBeforeInit;
DWORD runtimeIndex = TLS_OUT_OF_INDEXES;

void ReadSlots(SlotValues& values) {
    const DWORD lastError = ::GetLastError();
    for (DWORD index = 0; index < kIndexCount; ++index) {
        values[index] = ::TlsGetValue(index);
    }
    ::SetLastError(lastError);
}

// Anything but exactly one filled slot leaves the index alone: a leak is better than freeing
// an index that someone else owns.
DWORD FindRuntimeIndex() {
    static SlotValues slotsAfterInit;
    static_cast<void>(pthread_self());  // the runtime meets this thread now if it has not yet
    ReadSlots(slotsAfterInit);
    DWORD found = TLS_OUT_OF_INDEXES;
    for (DWORD index = 0; index < kIndexCount; ++index) {
        if (slotsBeforeInit[index] == nullptr && slotsAfterInit[index] != nullptr) {
            if (found != TLS_OUT_OF_INDEXES) {
                return TLS_OUT_OF_INDEXES;
            }
            found = index;
        }
    }
    return found;
}

void NTAPI BeforeInit(PVOID, DWORD reason, PVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        ReadSlots(slotsBeforeInit);
    }
}

}  // namespace

void TrackRuntimeThreadIndex(DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        runtimeIndex = FindRuntimeIndex();
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr &&
               runtimeIndex != TLS_OUT_OF_INDEXES) {
        // Unloaded by FreeLibrary: no code of this DLL runs on any thread any more, and the
        // runtime's own detach handling is done. When the process ends the index goes with it.
        ::TlsFree(runtimeIndex);
        runtimeIndex = TLS_OUT_OF_INDEXES;
    }
}

}  // namespace support

// TLS callbacks run in the order of their section names: .CRT$XLB comes before the runtime's.
extern "C" __attribute__((section(".CRT$XLB"), used))
const PIMAGE_TLS_CALLBACK ts_runtime_thread_index_callback = support::BeforeInit;

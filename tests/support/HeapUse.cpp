#include "HeapUse.h"

#include <vector>

namespace
{
    std::vector<HANDLE> ProcessHeaps()
    {
        std::vector<HANDLE> heaps(::GetProcessHeaps(0, nullptr) + 16);
        heaps.resize(::GetProcessHeaps((DWORD)heaps.size(), heaps.data()));
        return heaps;
    }
}

SIZE_T BusyHeapBytes()
{
    SIZE_T nBusy = 0;
    for (HANDLE hHeap : ProcessHeaps())
    {
        ::HeapLock(hHeap);
        PROCESS_HEAP_ENTRY entry = {};
        while (::HeapWalk(hHeap, &entry))
        {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                nBusy += entry.cbData;
        }
        ::HeapUnlock(hHeap);
    }
    return nBusy;
}

bool HeapsAreSound()
{
    for (HANDLE hHeap : ProcessHeaps())
    {
        if (!::HeapValidate(hHeap, 0, nullptr))
            return false;
    }
    return true;
}

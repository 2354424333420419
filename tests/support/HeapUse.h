#pragma once
// The heaps of the test process, as leak and double-free checks see them.
#include <windows.h>

// Bytes in use on every heap of the process (the runtime's malloc heap
// among them): what a leak makes grow.
SIZE_T BusyHeapBytes();
// Every heap of the process is sound: no block freed twice or written past
// its end.
bool HeapsAreSound();

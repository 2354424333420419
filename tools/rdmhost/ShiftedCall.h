#pragma once
// Calls an export as a 32-bit host built by another compiler may: such
// compilers keep the stack aligned to the 4 bytes that the x86 calling
// conventions promise, not to GCC's 16. The stack pointer at the call stands
// nShift bytes (0, 4, 8 or 12) below a 16-byte boundary. x86 only.
#include <windows.h>

#if defined(__i386__)
// Calls the __stdcall function pfn with nArgs 32-bit arguments from pArgs
// (the first at pArgs[0]) and returns its result.
int CallWithStackShift(FARPROC pfn, const DWORD* pArgs, int nArgs, int nShift);
#endif

#include "ShiftedCall.h"

#if defined(__i386__)
int CallWithStackShift(FARPROC pfn, const DWORD* pArgs, int nArgs, int nShift)
{
    int nResult;
    // The frame pointer holds the stack pointer across the call; the
    // arguments are copied to the lowest addresses of the shifted room, and
    // the callee pops them (__stdcall).
    __asm__ volatile(
        "pushl %%ebp\n\t"
        "movl %%esp, %%ebp\n\t"
        "leal 0(,%%ecx,4), %%edi\n\t"
        "subl %%edi, %%esp\n\t"
        "andl $-16, %%esp\n\t"
        "subl %%ebx, %%esp\n\t"
        "movl %%esp, %%edi\n\t"
        "cld\n\t"
        "rep movsl\n\t"
        "call *%%eax\n\t"
        "movl %%ebp, %%esp\n\t"
        "popl %%ebp\n\t"
        : "=a"(nResult), "+c"(nArgs), "+S"(pArgs)
        : "0"(pfn), "b"(nShift)
        : "edi", "edx", "memory", "cc");
    return nResult;
}
#endif

// The application's column bindings, as the real driver took them: a row
// fault changes what a fetch wrote, so it must know where that went.
#include "FaultDriver.h"

#include <stdlib.h>

static FaultBinding* s_pBindings;
static size_t s_nBindings;
static size_t s_nCapacity;

static FaultBinding* Find(SQLHSTMT hstmt, SQLUSMALLINT nColumn)
{
    for (size_t i = 0; i < s_nBindings; ++i)
        if (s_pBindings[i].hstmt == hstmt && s_pBindings[i].nColumn == nColumn)
            return &s_pBindings[i];
    return NULL;
}

static void Remove(FaultBinding* pBinding)
{
    *pBinding = s_pBindings[--s_nBindings];
}

void FaultBound(const FaultBinding* pBinding)
{
    FaultBinding* pEntry = Find(pBinding->hstmt, pBinding->nColumn);
    if (pBinding->pBuffer == NULL)
    {
        if (pEntry != NULL)
            Remove(pEntry);
        return;
    }
    if (pEntry == NULL)
    {
        if (s_nBindings == s_nCapacity)
        {
            size_t nCapacity = s_nCapacity ? 2 * s_nCapacity : 32;
            FaultBinding* pBindings = realloc(s_pBindings, nCapacity * sizeof *pBindings);
            if (pBindings == NULL)
                return;
            s_pBindings = pBindings;
            s_nCapacity = nCapacity;
        }
        pEntry = &s_pBindings[s_nBindings++];
    }
    *pEntry = *pBinding;
}

void FaultUnbound(SQLHSTMT hstmt)
{
    for (size_t i = 0; i < s_nBindings;)
    {
        if (s_pBindings[i].hstmt == hstmt)
            Remove(&s_pBindings[i]);
        else
            ++i;
    }
}

const FaultBinding* FaultNextBinding(SQLHSTMT hstmt, const FaultBinding* pPrevious)
{
    for (size_t i = pPrevious != NULL ? (size_t)(pPrevious - s_pBindings) + 1 : 0; i < s_nBindings; ++i)
        if (s_pBindings[i].hstmt == hstmt)
            return &s_pBindings[i];
    return NULL;
}

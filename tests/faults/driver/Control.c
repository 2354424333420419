// The control statements that the tests send over the control connection.
#include "FaultDriver.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

static const char s_szPrefix[] = "-- fault:";

// "at N": fails the Nth counted call (0: counts only).
static int FailCallCommand(const char* pszCommand)
{
    long nFailAt = 0;
    int nUsed = 0;
    if (sscanf(pszCommand, "at %ld%n", &nFailAt, &nUsed) != 1 || pszCommand[nUsed] != '\0' || nFailAt < 0)
        return 0;
    FaultArm(nFailAt);
    return 1;
}

// A data exception: its class is 22, and its subclass two digits or letters.
static int IsDataException(const char* pszState)
{
    if (strlen(pszState) != 5 || strncmp(pszState, "22", 2) != 0)
        return 0;
    for (int i = 2; i < 5; ++i)
        if (!isdigit((unsigned char)pszState[i]) && !isupper((unsigned char)pszState[i]))
            return 0;
    return 1;
}

// What follows a command's first words: nothing, or a clause such as
// " column %ld" that sets *pnValue and ends the command.
static int OptionalClause(const char* pszRest, const char* pszFormat, long* pnValue)
{
    int nUsed = 0;
    return pszRest[0] == '\0' || (sscanf(pszRest, pszFormat, pnValue, &nUsed) == 1 && pszRest[nUsed] == '\0');
}

// "fetch N STATE" or "fetch N STATE column C": the Nth fetch from now hands
// its row over and fails with the data exception STATE; column C of that
// row fails again when read.
static int FailFetchCommand(const char* pszCommand)
{
    long nFetch = 0;
    char szState[8] = "";
    long nColumn = 0;
    int nUsed = 0;
    if (sscanf(pszCommand, "fetch %ld %7s%n", &nFetch, szState, &nUsed) != 2
        || !OptionalClause(pszCommand + nUsed, " column %ld%n", &nColumn))
        return 0;
    if (nFetch < 1 || !IsDataException(szState) || nColumn < 0 || nColumn > 65535)
        return 0;
    FaultFailFetch(nFetch, szState, (SQLUSMALLINT)nColumn);
    return 1;
}

// "lengths +N" or "lengths +N from K": from the Kth fetch from now on (the
// next one without "from"), bound texts are reported N bytes longer.
static int StretchLengthsCommand(const char* pszCommand)
{
    long nExtra = 0;
    long nFrom = 1;
    int nUsed = 0;
    if (sscanf(pszCommand, "lengths +%ld%n", &nExtra, &nUsed) != 1
        || !OptionalClause(pszCommand + nUsed, " from %ld%n", &nFrom))
        return 0;
    if (nExtra < 1 || nFrom < 1)
        return 0;
    FaultStretchLengths(nExtra, nFrom);
    return 1;
}

int FaultControlStatement(const char* pszText, size_t nLength, char* pszSql, size_t nSize)
{
    const size_t nPrefix = sizeof s_szPrefix - 1;
    if (nLength < nPrefix || strncmp(pszText, s_szPrefix, nPrefix) != 0)
        return 0;

    // The command without the blanks around it.
    const char* pszBegin = pszText + nPrefix;
    const char* pszEnd = pszText + nLength;
    while (pszBegin < pszEnd && isspace((unsigned char)*pszBegin))
        ++pszBegin;
    while (pszEnd > pszBegin && isspace((unsigned char)pszEnd[-1]))
        --pszEnd;
    char szCommand[64] = "";
    if ((size_t)(pszEnd - pszBegin) >= sizeof szCommand)
        return -1;
    memcpy(szCommand, pszBegin, pszEnd - pszBegin);

    if (strcmp(szCommand, "report") == 0)
    {
        FaultReportStatement(pszSql, nSize);
        return 1;
    }
    if (strcmp(szCommand, "off") == 0)
        FaultDisarm();
    else if (!FailCallCommand(szCommand) && !FailFetchCommand(szCommand) && !StretchLengthsCommand(szCommand))
        return -1;
    snprintf(pszSql, nSize, "SELECT 'done'");
    return 1;
}

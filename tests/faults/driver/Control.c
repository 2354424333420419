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

static int IsState(const char* pszState);

// "call NAME": fails every call of the driver function NAME (SQLColumns);
// "call NAME STATE NATIVE TEXT": each with that diagnostic record.
static int FailFunctionCommand(const char* pszCommand)
{
    char szFunction[32] = "";
    int nUsed = 0;
    if (sscanf(pszCommand, "call %31s%n", szFunction, &nUsed) != 1 || strncmp(szFunction, "SQL", 3) != 0)
        return 0;
    if (pszCommand[nUsed] == '\0')
    {
        FaultArmFunction(szFunction, NULL);
        return 1;
    }
    FaultRecord record = {"", "", 0};
    int nText = 0;
    if (sscanf(pszCommand + nUsed, " %5s %ld %n", record.szState, &record.nNative, &nText) != 2
        || !IsState(record.szState) || pszCommand[nUsed + nText] == '\0')
        return 0;
    snprintf(record.szText, sizeof record.szText, "%s", pszCommand + nUsed + nText);
    FaultArmFunction(szFunction, &record);
    return 1;
}

// A SQLSTATE: five digits or capitals.
static int IsState(const char* pszState)
{
    if (strlen(pszState) != 5)
        return 0;
    for (int i = 0; i < 5; ++i)
        if (!isdigit((unsigned char)pszState[i]) && !isupper((unsigned char)pszState[i]))
            return 0;
    return 1;
}

// A data exception: its class is 22.
static int IsDataException(const char* pszState)
{
    return IsState(pszState) && strncmp(pszState, "22", 2) == 0;
}

// What follows a command's first words: nothing, or a clause such as
// " column %ld" that sets *pnValue and ends the command.
static int OptionalClause(const char* pszRest, const char* pszFormat, long* pnValue)
{
    int nUsed = 0;
    return pszRest[0] == '\0' || (sscanf(pszRest, pszFormat, pnValue, &nUsed) == 1 && pszRest[nUsed] == '\0');
}

// "fetch N STATE", then any of " column C", " norow", " repeat" in that
// order: the fetch of the Nth row from now fails with the data exception
// STATE (FaultFailFetch).
static int FailFetchCommand(const char* pszCommand)
{
    long nRow = 0;
    char szState[8] = "";
    long nColumn = 0;
    int nUsed = 0;
    if (sscanf(pszCommand, "fetch %ld %7s%n", &nRow, szState, &nUsed) != 2)
        return 0;
    const char* pszRest = pszCommand + nUsed;
    int nColumnUsed = 0;
    if (sscanf(pszRest, " column %ld%n", &nColumn, &nColumnUsed) == 1)
        pszRest += nColumnUsed;
    int nHow = 0;
    if (strncmp(pszRest, " norow", 6) == 0)
    {
        nHow |= FAULT_NO_ROW;
        pszRest += 6;
    }
    if (strcmp(pszRest, " repeat") == 0)
    {
        nHow |= FAULT_REPEAT;
        pszRest += 7;
    }
    if (pszRest[0] != '\0' || nRow < 1 || !IsDataException(szState) || nColumn < 0 || nColumn > 65535)
        return 0;
    FaultFailFetch(nRow, szState, (SQLUSMALLINT)nColumn, nHow);
    return 1;
}

// "row N STATE": the fetch of the Nth row from now hands over the rows
// before it and fails with STATE, a data exception too.
static int FailRowCommand(const char* pszCommand)
{
    long nRow = 0;
    char szState[8] = "";
    int nUsed = 0;
    if (sscanf(pszCommand, "row %ld %7s%n", &nRow, szState, &nUsed) != 2 || pszCommand[nUsed] != '\0' || nRow < 1
        || !IsState(szState))
        return 0;
    FaultFailFetch(nRow, szState, 0, FAULT_ENDS_ROWS);
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
    char szCommand[256] = "";
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
    else if (strcmp(szCommand, "pieces short") == 0)
        FaultShortenPieces();
    else if (!FailCallCommand(szCommand) && !FailFunctionCommand(szCommand) && !FailFetchCommand(szCommand)
             && !FailRowCommand(szCommand) && !StretchLengthsCommand(szCommand))
        return -1;
    snprintf(pszSql, nSize, "SELECT 'done'");
    return 1;
}

#pragma once
// A date and time as an OLE Automation date: days since 30 December 1899,
// the fraction being the time of day.
#include "CString.h"
#include <oleauto.h>

class COleDateTime
{
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;

    // Parses with the locale's parser; the ODBC canonical forms
    // (yyyy-mm-dd, hh:mm:ss, both, with fractional seconds) are always read.
    // VAR_DATEVALUEONLY keeps the date, VAR_TIMEVALUEONLY the time of day.
    BOOL ParseDateTime(LPCSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);
    // strftime-style format of the value; %Y %m %d %H %M %S are locale-free.
    CString Format(LPCSTR lpszFormat) const;
    DateTimeStatus GetStatus() const        { return m_status; }

    DATE           m_dt = 0;
    DateTimeStatus m_status = valid;

    // A calendar date and the seconds of its day.
    struct CivilTime
    {
        long     nYear = 1899;
        unsigned nMonth = 12;
        unsigned nDay = 30;
        long     nSeconds = 0;
    };

private:
    // The value as its calendar parts.
    CivilTime GetCivilTime() const;

    // The parts of the last text parsed in a canonical form to the whole
    // second, as they were read, so that formatting the date of every
    // imported row does not take them back out of m_dt. They count only
    // while m_dt is the value they were parsed with.
    CivilTime m_parsed;
    DATE      m_dtParsed = 0;
    BOOL      m_bParsed = FALSE;
};

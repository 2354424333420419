#include "COleDateTime.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace
{
    // Day count of a civil date relative to 1970-01-01 (proleptic Gregorian).
    long DaysFromCivil(long y, unsigned m, unsigned d)
    {
        y -= m <= 2;
        const long era = (y >= 0 ? y : y - 399) / 400;
        const unsigned yoe = (unsigned)(y - era * 400);
        const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
        const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + (long)doe - 719468;
    }

    void CivilFromDays(long z, long& y, unsigned& m, unsigned& d)
    {
        z += 719468;
        const long era = (z >= 0 ? z : z - 146096) / 146097;
        const unsigned doe = (unsigned)(z - era * 146097);
        const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
        const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
        const unsigned mp = (5 * doy + 2) / 153;
        d = doy - (153 * mp + 2) / 5 + 1;
        m = mp < 10 ? mp + 3 : mp - 9;
        y = (long)yoe + era * 400 + (m <= 2);
    }

    const long kOleEpochFromUnixDays = DaysFromCivil(1899, 12, 30);

    bool IsLeap(long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

    unsigned DaysInMonth(long y, unsigned m)
    {
        static const unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        return m == 2 && IsLeap(y) ? 29 : days[m - 1];
    }

    // Reads exactly nDigits digits.
    bool ReadDigits(const char*& p, int nDigits, long& value)
    {
        value = 0;
        for (int i = 0; i < nDigits; ++i, ++p)
        {
            if (*p < '0' || *p > '9')
                return false;
            value = value * 10 + (*p - '0');
        }
        return true;
    }

    bool ReadDate(const char*& p, long& y, long& m, long& d)
    {
        return ReadDigits(p, 4, y) && *p++ == '-' && ReadDigits(p, 2, m) && *p++ == '-' && ReadDigits(p, 2, d)
            && m >= 1 && m <= 12 && d >= 1 && d <= (long)DaysInMonth(y, (unsigned)m);
    }

    bool ReadTime(const char*& p, double& seconds)
    {
        long h, mi, s = 0;
        if (!ReadDigits(p, 2, h) || *p++ != ':' || !ReadDigits(p, 2, mi))
            return false;
        double fraction = 0;
        if (*p == ':')
        {
            ++p;
            if (!ReadDigits(p, 2, s))
                return false;
            if (*p == '.')
            {
                double scale = 0.1;
                for (++p; *p >= '0' && *p <= '9'; ++p, scale /= 10)
                    fraction += (*p - '0') * scale;
            }
        }
        if (h > 23 || mi > 59 || s > 59)
            return false;
        seconds = h * 3600.0 + mi * 60.0 + s + fraction;
        return true;
    }

    // The digits of a number from 0 up, with leading zeros to nDigits,
    // written at pch; returns the end. The date of every imported row
    // passes here, and a formatted print costs more than the rest of the
    // row's formatting.
    char* PutDigits(char* pch, long nValue, int nDigits)
    {
        char szDigits[12];
        int nLength = 0;
        do
        {
            szDigits[nLength++] = (char)('0' + nValue % 10);
            nValue /= 10;
        } while (nValue > 0);
        while (nLength < nDigits)
            szDigits[nLength++] = '0';
        while (nLength > 0)
            *pch++ = szDigits[--nLength];
        return pch;
    }

    // The nearest whole second, halves away from zero, as lround; without
    // the runtime call, which costs more than the rest of a date.
    long RoundedSeconds(double seconds)
    {
        long nWhole = (long)seconds;
        return seconds - nWhole >= 0.5 ? nWhole + 1 : nWhole;
    }

    // The runtime's broken-down time, for the conversions it prints itself.
    struct tm BrokenDownTime(const COleDateTime::CivilTime& time)
    {
        struct tm tmValue = {};
        tmValue.tm_year = (int)(time.nYear - 1900);
        tmValue.tm_mon = (int)time.nMonth - 1;
        tmValue.tm_mday = (int)time.nDay;
        tmValue.tm_hour = (int)(time.nSeconds / 3600);
        tmValue.tm_min = (int)(time.nSeconds / 60 % 60);
        tmValue.tm_sec = (int)(time.nSeconds % 60);
        long nDays = DaysFromCivil(time.nYear, time.nMonth, time.nDay);
        tmValue.tm_wday = (int)((nDays - kOleEpochFromUnixDays + 6) % 7 + 7) % 7;   // 1899-12-30 was a Saturday
        tmValue.tm_yday = (int)(nDays - DaysFromCivil(time.nYear, 1, 1));
        return tmValue;
    }

    // The ODBC canonical forms: yyyy-mm-dd[( |T)hh:mm[:ss[.f...]]] and
    // hh:mm[:ss[.f...]], the latter on 1899-12-30.
    bool ParseCanonical(const char* p, COleDateTime::CivilTime& time, double& seconds)
    {
        while (*p == ' ' || *p == '\t')
            ++p;
        long y, m, d;
        seconds = 0;
        const char* start = p;
        if (ReadDate(p, y, m, d))
        {
            time.nYear = y;
            time.nMonth = (unsigned)m;
            time.nDay = (unsigned)d;
            if (*p == ' ' || *p == 'T')
            {
                const char* timeStart = ++p;
                if (!ReadTime(p, seconds))
                    p = timeStart - 1;
            }
        }
        else
        {
            p = start;
            if (!ReadTime(p, seconds))
                return false;
        }
        while (*p == ' ' || *p == '\t')
            ++p;
        return *p == '\0';
    }

    double DateValue(const COleDateTime::CivilTime& time, double seconds)
    {
        long days = DaysFromCivil(time.nYear, time.nMonth, time.nDay) - kOleEpochFromUnixDays;
        // Before the epoch the fraction still counts forward within the day.
        return days >= 0 ? days + seconds / 86400.0 : days - seconds / 86400.0;
    }
}

BOOL COleDateTime::ParseDateTime(LPCSTR lpszDate, DWORD dwFlags, LCID lcid)
{
    CivilTime parsed;
    double seconds = 0, dt = 0;
    bool bCanonical = lpszDate && ParseCanonical(lpszDate, parsed, seconds);
    bool bParsed = bCanonical;
    if (bCanonical)
    {
        dt = DateValue(parsed, seconds);
    }
    else if (lpszDate)
    {
        int nWide = ::MultiByteToWideChar(CP_ACP, 0, lpszDate, -1, nullptr, 0);
        std::vector<OLECHAR> wide(nWide > 0 ? nWide : 1);
        ::MultiByteToWideChar(CP_ACP, 0, lpszDate, -1, wide.data(), (int)wide.size());
        bParsed = SUCCEEDED(::VarDateFromStr(wide.data(), lcid, dwFlags, &dt));
    }
    m_bParsed = FALSE;
    if (!bParsed)
    {
        m_dt = 0;
        m_status = invalid;
        return FALSE;
    }
    parsed.nSeconds = (long)seconds;
    if (dwFlags & VAR_DATEVALUEONLY)
    {
        dt = std::trunc(dt);
        parsed.nSeconds = 0;
    }
    else if (dwFlags & VAR_TIMEVALUEONLY)
    {
        dt = std::fabs(dt - std::trunc(dt));
        CivilTime timeOfDay;
        timeOfDay.nSeconds = parsed.nSeconds;
        parsed = timeOfDay;
    }
    m_dt = dt;
    m_status = valid;
    // A fraction of a second is rounded when formatted, which may carry
    // into the next day: only whole seconds are kept as they were read.
    if (bCanonical && seconds == std::trunc(seconds))
    {
        m_parsed = parsed;
        m_dtParsed = dt;
        m_bParsed = TRUE;
    }
    return TRUE;
}

COleDateTime::CivilTime COleDateTime::GetCivilTime() const
{
    if (m_bParsed && m_dtParsed == m_dt)
        return m_parsed;
    CivilTime time;
    double days = std::trunc(m_dt);
    time.nSeconds = RoundedSeconds(std::fabs(m_dt - days) * 86400.0);
    if (time.nSeconds >= 86400)
    {
        time.nSeconds -= 86400;
        days += m_dt < 0 ? -1 : 1;
    }
    CivilFromDays((long)days + kOleEpochFromUnixDays, time.nYear, time.nMonth, time.nDay);
    return time;
}

CString COleDateTime::Format(LPCSTR lpszFormat) const
{
    if (m_status != valid)
        return CString();
    const CivilTime time = GetCivilTime();

    // The text is written into a local buffer, which goes out when it runs
    // short of room for the longest conversion, and at the end.
    const int nConversionRoom = 128;
    CString strResult;
    char szText[4 * nConversionRoom];
    char* pch = szText;
    for (const char* p = lpszFormat; *p; ++p)
    {
        if (szText + sizeof szText - pch < nConversionRoom)
        {
            strResult.Append(szText, (int)(pch - szText));
            pch = szText;
        }
        if (*p != '%' || p[1] == '\0')
        {
            *pch++ = *p;
            continue;
        }
        switch (*++p)
        {
        case 'Y':
            if (time.nYear >= 0 && time.nYear <= 9999)
                pch = PutDigits(pch, time.nYear, 4);
            else
                pch += snprintf(pch, nConversionRoom, "%04ld", time.nYear);
            break;
        case 'm': pch = PutDigits(pch, time.nMonth, 2); break;
        case 'd': pch = PutDigits(pch, time.nDay, 2); break;
        case 'H': pch = PutDigits(pch, time.nSeconds / 3600, 2); break;
        case 'M': pch = PutDigits(pch, time.nSeconds / 60 % 60, 2); break;
        case 'S': pch = PutDigits(pch, time.nSeconds % 60, 2); break;
        case '%': *pch++ = '%'; break;
        default:
        {
            char szFormat[3] = {'%', *p, '\0'};
            struct tm tmValue = BrokenDownTime(time);
            pch += strftime(pch, nConversionRoom, szFormat, &tmValue);
        }
        }
    }
    strResult.Append(szText, (int)(pch - szText));
    return strResult;
}

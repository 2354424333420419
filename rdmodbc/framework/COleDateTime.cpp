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
    struct tm BrokenDownTime(double days, long y, unsigned m, unsigned d, long nSeconds)
    {
        struct tm tmValue = {};
        tmValue.tm_year = (int)(y - 1900);
        tmValue.tm_mon = (int)m - 1;
        tmValue.tm_mday = (int)d;
        tmValue.tm_hour = (int)(nSeconds / 3600);
        tmValue.tm_min = (int)(nSeconds / 60 % 60);
        tmValue.tm_sec = (int)(nSeconds % 60);
        tmValue.tm_wday = (int)(((long)days + 6) % 7 + 7) % 7;   // 1899-12-30 was a Saturday
        tmValue.tm_yday = (int)(DaysFromCivil(y, m, d) - DaysFromCivil(y, 1, 1));
        return tmValue;
    }

    // The ODBC canonical forms: yyyy-mm-dd[( |T)hh:mm[:ss[.f...]]] and hh:mm[:ss[.f...]].
    bool ParseCanonical(const char* p, double& dt)
    {
        while (*p == ' ' || *p == '\t')
            ++p;
        long y, m, d;
        double seconds = 0;
        const char* start = p;
        if (ReadDate(p, y, m, d))
        {
            if (*p == ' ' || *p == 'T')
            {
                const char* timeStart = ++p;
                if (!ReadTime(p, seconds))
                    p = timeStart - 1;
            }
            long days = DaysFromCivil(y, (unsigned)m, (unsigned)d) - kOleEpochFromUnixDays;
            // Before the epoch the fraction still counts forward within the day.
            dt = days >= 0 ? days + seconds / 86400.0 : days - seconds / 86400.0;
        }
        else
        {
            p = start;
            if (!ReadTime(p, seconds))
                return false;
            dt = seconds / 86400.0;
        }
        while (*p == ' ' || *p == '\t')
            ++p;
        return *p == '\0';
    }
}

BOOL COleDateTime::ParseDateTime(LPCSTR lpszDate, DWORD dwFlags, LCID lcid)
{
    double dt = 0;
    bool bParsed = lpszDate && ParseCanonical(lpszDate, dt);
    if (!bParsed && lpszDate)
    {
        int nWide = ::MultiByteToWideChar(CP_ACP, 0, lpszDate, -1, nullptr, 0);
        std::vector<OLECHAR> wide(nWide > 0 ? nWide : 1);
        ::MultiByteToWideChar(CP_ACP, 0, lpszDate, -1, wide.data(), (int)wide.size());
        bParsed = SUCCEEDED(::VarDateFromStr(wide.data(), lcid, dwFlags, &dt));
    }
    if (!bParsed)
    {
        m_dt = 0;
        m_status = invalid;
        return FALSE;
    }
    if (dwFlags & VAR_DATEVALUEONLY)
        dt = std::trunc(dt);
    else if (dwFlags & VAR_TIMEVALUEONLY)
        dt = std::fabs(dt - std::trunc(dt));
    m_dt = dt;
    m_status = valid;
    return TRUE;
}

CString COleDateTime::Format(LPCSTR lpszFormat) const
{
    if (m_status != valid)
        return CString();
    double days = std::trunc(m_dt);
    long nSeconds = RoundedSeconds(std::fabs(m_dt - days) * 86400.0);
    if (nSeconds >= 86400)
    {
        nSeconds -= 86400;
        days += m_dt < 0 ? -1 : 1;
    }
    long y;
    unsigned m, d;
    CivilFromDays((long)days + kOleEpochFromUnixDays, y, m, d);

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
            if (y >= 0 && y <= 9999)
                pch = PutDigits(pch, y, 4);
            else
                pch += snprintf(pch, nConversionRoom, "%04ld", y);
            break;
        case 'm': pch = PutDigits(pch, m, 2); break;
        case 'd': pch = PutDigits(pch, d, 2); break;
        case 'H': pch = PutDigits(pch, nSeconds / 3600, 2); break;
        case 'M': pch = PutDigits(pch, nSeconds / 60 % 60, 2); break;
        case 'S': pch = PutDigits(pch, nSeconds % 60, 2); break;
        case '%': *pch++ = '%'; break;
        default:
        {
            char szFormat[3] = {'%', *p, '\0'};
            struct tm tmValue = BrokenDownTime(days, y, m, d, nSeconds);
            pch += strftime(pch, nConversionRoom, szFormat, &tmValue);
        }
        }
    }
    strResult.Append(szText, (int)(pch - szText));
    return strResult;
}

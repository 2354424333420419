// Dates as text and back: the canonical forms drivers send, the rounding of
// seconds at the end of a day, and formats beyond the two the rules use.
#include "framework/COleDateTime.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
    std::string Formatted(const char* pszDate, DWORD dwFlags, const char* pszFormat)
    {
        COleDateTime dateTime;
        dateTime.ParseDateTime(pszDate, dwFlags);
        return dateTime.Format(pszFormat).Str();
    }
}

TEST(OleDateTime, FormatsWhatItParsed)
{
    struct Case { const char* date; DWORD flags; const char* format; const char* out; };
    const Case cases[] = {
        {"2003-02-01 13:45:10",    0,                 "%Y-%m-%d %H:%M:%S", "2003-02-01 13:45:10"},
        {"2003-02-01T13:45",       0,                 "%H:%M:%S",          "13:45:00"},
        {"2003-02-01 23:59:59.6",  0,                 "%Y-%m-%d %H:%M:%S", "2003-02-02 00:00:00"},
        {"23:59:59.6",             VAR_TIMEVALUEONLY, "%H:%M:%S",          "00:00:00"},
        {"12:00:00.5",             VAR_TIMEVALUEONLY, "%H:%M:%S",          "12:00:01"},
        {"1899-12-29 06:00:00",    0,                 "%Y-%m-%d %H:%M",    "1899-12-29 06:00"},
        {"0001-01-01",             VAR_DATEVALUEONLY, "%Y-%m-%d",          "0001-01-01"},
        {"9999-12-31 10:00:00",    VAR_DATEVALUEONLY, "%Y-%m-%d %H",       "9999-12-31 00"},
        {"2003-02-01",             VAR_DATEVALUEONLY, "%j %w %% %A",       "032 6 % Saturday"},
        {"2003-02-30",             0,                 "%Y",                ""},   // unreadable: invalid, no text
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.out, Formatted(c.date, c.flags, c.format)) << c.date << " " << c.format;
}

TEST(OleDateTime, FormatsTextLongerThanItsBuffer)
{
    // Literal text and conversions beyond any one buffer's room.
    std::string format, expected;
    for (int i = 0; i < 200; ++i)
    {
        format += "day %d of %B; ";
        expected += "day 01 of February; ";
    }
    EXPECT_EQ(expected, Formatted("2003-02-01", VAR_DATEVALUEONLY, format.c_str()));
}

TEST(OleDateTime, ReadPartsFormatAsTheValueDoes)
{
    // A parsed text is formatted from the parts read; the same value set
    // directly is formatted from the number. Both must give the same text,
    // across the calendar and on either side of 30 December 1899.
    const char* const formats[] = {"%Y-%m-%d %H:%M:%S", "%j %w"};
    const DWORD flags[] = {0, VAR_DATEVALUEONLY, VAR_TIMEVALUEONLY};
    for (int nYear = 1; nYear <= 9999; nYear += 97)
    {
        char szDate[32];
        snprintf(szDate, sizeof szDate, "%04d-%02d-%02d %02d:%02d:%02d", nYear, 1 + nYear % 12, 1 + nYear % 28,
                 nYear % 24, nYear % 60, (nYear * 7) % 60);
        for (DWORD dwFlags : flags)
        {
            COleDateTime parsed;
            ASSERT_TRUE(parsed.ParseDateTime(szDate, dwFlags)) << szDate;
            COleDateTime value;
            value.m_dt = parsed.m_dt;
            for (const char* pszFormat : formats)
                EXPECT_EQ(value.Format(pszFormat).Str(), parsed.Format(pszFormat).Str())
                    << szDate << " flags " << dwFlags << " " << pszFormat;
        }
    }
}

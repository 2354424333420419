#include "session/FieldFormat.h"

#include <gtest/gtest.h>
#include <clocale>
#include <cstring>

namespace
{
    OutputField Field(const char* prefix, const char* suffix)
    {
        OutputField field;
        field.m_strPrefix = prefix;
        field.m_strSuffix = suffix;
        return field;
    }

    OutputField PaddedField(int width, char fill, bool right)
    {
        OutputField field;
        field.m_bPad = TRUE;
        field.m_nPadWidth = width;
        field.m_chPad = fill;
        field.m_bPadRight = right;
        return field;
    }

    // What the field writes into a buffer with room for limit bytes and the
    // NUL, checked not to write past them.
    std::string Delivered(const OutputField& field, const CString& value, int limit)
    {
        char buffer[64];
        memset(buffer, '#', sizeof buffer);
        DeliverFieldText(field, value, buffer, limit);
        int nLimit = limit < 0 ? 0 : limit;
        EXPECT_EQ('#', buffer[nLimit + 1]) << "wrote past limit + 1";
        return buffer;
    }
}

TEST(FieldPipeline, PadsTheValueBeforeItIsCut)
{
    struct Case { const char* value; int width; char fill; bool right; int limit; const char* out; };
    const Case cases[] = {
        {"7",    3, '0', false, 10, "007"},
        {"7",    3, '0', true,  10, "700"},
        {"1234", 3, '0', false, 10, "1234"},   // never shortened by the fill
        {"7",    3, '0', false, 2,  "00"},     // cut after the fill
        {"",     3, '0', false, 10, "000"},    // no column: the fill alone
        {"7",    3, '\0', false, 10, "7"},     // an empty fill text switches filling off
        {"7",    0, '0', false, 10, "7"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.out, Delivered(PaddedField(c.width, c.fill, c.right), c.value, c.limit))
            << c.value << " width " << c.width;
    }
}

TEST(FieldPipeline, ShowsPrefixFillAndSuffixOnlyWithAValueWhenAsked)
{
    struct Case { const char* value; bool bOnly; bool bInteger; int limit; const char* out; };
    const Case cases[] = {
        {"7",  true,  false, 20, "Tel: 7**;"},
        {"",   true,  false, 20, ""},               // NULL, an empty text, no column
        {"",   false, false, 20, "Tel: ***;"},      // as without the option
        {"",   true,  true,  20, ""},               // empty before the rule would make it 0
        {"",   false, true,  20, "Tel: 0**;"},
        {"0",  true,  true,  20, "Tel: 0**;"},
        {" ",  true,  false, 20, "Tel:  **;"},      // a blank is a value
        {"7",  true,  false, 0,  ""},
    };
    for (const Case& c : cases)
    {
        OutputField field = PaddedField(3, '*', true);
        field.m_strPrefix = "Tel: ";
        field.m_strSuffix = ";";
        field.m_bOnlyWithValue = c.bOnly;
        field.m_bInteger = c.bInteger;
        char buffer[32];
        memset(buffer, '#', sizeof buffer);
        CString strValue = c.value;
        DeliverField(field, strValue, buffer, c.limit);
        EXPECT_STREQ(c.out, buffer) << "[" << c.value << "] only " << c.bOnly << " integer " << c.bInteger;
    }
}

TEST(FieldPipeline, CutsPrefixValueAndSuffixAtTheLimit)
{
    struct Case { const char* prefix; const char* value; const char* suffix; int limit; const char* out; };
    const Case cases[] = {
        {"<", "abc", ">", 10, "<abc>"},
        {"<", "abc", ">", 4,  "<abc"},    // the suffix loses its end first
        {"<", "abc", ">", 2,  "<a"},
        {"<", "abc", ">", 0,  ""},        // a limit of 0 writes the NUL only
        {"<", "abc", ">", -5, ""},        // a negative limit counts as 0
        {"",  "",    "",  5,  ""},        // NULL and empty values look alike
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.out, Delivered(Field(c.prefix, c.suffix), c.value, c.limit));
}

TEST(FieldPipeline, SkipsANullBufferWithoutWritingAnywhere)
{
    // The host's other buffers lie around the one it left out.
    char aszHostBuffers[2][11];
    memset(aszHostBuffers, '#', sizeof aszHostBuffers);
    DeliverFieldText(Field("<", ">"), "text", nullptr, 10);
    DeliverFieldText(Field("<", ">"), "text", aszHostBuffers[1], 10);
    EXPECT_EQ(std::string(11, '#'), std::string(aszHostBuffers[0], 11));
    EXPECT_STREQ("<text>", aszHostBuffers[1]);
}

TEST(IntegerRule, DropsTheFractionTowardZero)
{
    struct Case { const char* in; const char* out; };
    const Case cases[] = {
        {"12.75", "12"}, {"-3.9", "-3"}, {"-0.4", "0"}, {"1e3", "1000"}, {"abc", "0"}, {"", "0"},
        {"7.999", "7"}, {"-7.999", "-7"}, {"  42.9xyz", "42"}, {"+5.5", "5"}, {".5", "0"},
        {"12345678901234567890123.45", "12345678901234567890123"},   // too large: the decimals go
        {"1e300", "1e300"},                                          // too large, no "."
        {"-9223372036854775807", "-9223372036854775807"},
        {"inf", "0"}, {"1e999", "1e999"},
        {"7.", "7"}, {"-.5", "0"}, {"12.5e1", "125"}, {"12.e1", "120"}, {".", "0"}, {"-", "0"},
        // The number as the nearest double, then cut: a fraction close enough
        // to 1 rounds up into the next whole number first.
        {"0.9999999999999999999", "1"}, {"-0.99999999999999999", "-1"},
        {"123456789012345.8", "123456789012345"}, {"999999999999999.96", "1000000000000000"},
        {"-999999999999999.99", "-1000000000000000"}, {"1234567890123456.5", "1234567890123456"},
        {"000000000000000012.5", "12"},
    };
    for (const Case& c : cases)
    {
        CString text = c.in;
        FormatAsInteger(text);
        EXPECT_STREQ(c.out, text) << c.in;
    }
}

TEST(DateTimeRule, WritesTheFixedFormsOrLeavesTheText)
{
    struct Case { const char* in; BOOL date; const char* out; };
    const Case cases[] = {
        {"2003-02-01 00:00:00",     TRUE,  "2003-02-01"},
        {"2003-02-01 13:45:00",     FALSE, "13:45:00"},
        {"2003-02-01 13:45:00.000", TRUE,  "2003-02-01"},
        {"2010-10-10 10:10:10.250", FALSE, "10:10:10"},
        {"2003-02-01",              TRUE,  "2003-02-01"},
        {"2003-02-01",              FALSE, "00:00:00"},
        {"07:08:09",                FALSE, "07:08:09"},
        {"1899-12-29 06:00:00",     TRUE,  "1899-12-29"},
        {"1899-12-29 06:00:00",     FALSE, "06:00:00"},
        {"not a date",              TRUE,  "not a date"},
        {"2003-02-30",              TRUE,  "2003-02-30"},
        {"",                        TRUE,  ""},
    };
    for (const Case& c : cases)
    {
        CString text = c.in;
        FormatAsDateTime(text, c.date);
        EXPECT_STREQ(c.out, text) << c.in << (c.date ? " as date" : " as time");
    }
}

TEST(IntegerRule, IgnoresTheHostsDecimalComma)
{
    const char* pszLocale = setlocale(LC_ALL, "German_Germany.1252");
    ASSERT_NE(nullptr, pszLocale);
    ASSERT_EQ(',', *localeconv()->decimal_point);
    CString text = "12.75";
    FormatAsInteger(text);
    setlocale(LC_ALL, "C");
    EXPECT_STREQ("12", text);
}

#include "FailureAdvice.h"

#include "langres/ResString.h"
#include "resource.h"

#include <cctype>
#include <initializer_list>
#include <string>

namespace
{
    // One kind of failure: the states that tell it, or an engine's native
    // error, or a state together with words of its text.
    struct Failure
    {
        std::initializer_list<const char*> states;
        std::initializer_list<long> natives;    // MariaDB's and MySQL's error numbers
        const char* pszTextState;               // with one of the words below in the text
        std::initializer_list<const char*> words;
        UINT nID;
    };

    // In this order: a refused permission is a 42000 too, but not a
    // statement the server cannot read.
    const Failure aFailures[] = {
        {{"IM002", "IM003"}, {}, nullptr, {}, IDS_FAILURE_NO_DRIVER},
        {{"IM014"}, {}, nullptr, {}, IDS_FAILURE_OTHER_BITNESS},
        {{"08001", "08S01", "HYT00", "HYT01"}, {2002, 2003, 2005, 2006, 2013}, nullptr, {}, IDS_FAILURE_NOT_REACHED},
        {{"28000", "28P01"}, {1045}, nullptr, {}, IDS_FAILURE_LOGIN},
        {{"25006"}, {1792}, nullptr, {}, IDS_FAILURE_READ_ONLY},
        {{"57014"}, {1969, 3024}, nullptr, {}, IDS_FAILURE_TIMEOUT},
        {{"42501"}, {1142, 1143}, "42000", {"denied", "permission"}, IDS_FAILURE_PERMISSION},
        {{"42S02", "42S22", "42P01", "42703"}, {1146, 1054}, nullptr, {}, IDS_FAILURE_GONE},
        {{"42000", "42601", "42883"}, {}, nullptr, {}, IDS_FAILURE_CONDITION},
    };

    bool HasWord(const CString& strText, const char* pszWord)
    {
        std::string lower = strText.Str();
        for (char& ch : lower)
            ch = (char)std::tolower((unsigned char)ch);
        return lower.find(pszWord) != std::string::npos;
    }

    bool Tells(const Failure& failure, const OdbcDiagnostic& record)
    {
        for (const char* pszState : failure.states)
        {
            if (record.strState == pszState)
                return true;
        }
        for (long nNative : failure.natives)
        {
            if (record.nNativeError == nNative)
                return true;
        }
        if (failure.pszTextState == nullptr || record.strState != failure.pszTextState)
            return false;
        for (const char* pszWord : failure.words)
        {
            if (HasWord(record.strMessage, pszWord))
                return true;
        }
        return false;
    }

    // The ODBC administrator of this program's bitness: a 32-bit program on
    // 64-bit Windows has its own.
    CString AdministratorPath()
    {
        char szWindows[MAX_PATH] = "C:\\Windows";
        ::GetWindowsDirectoryA(szWindows, sizeof szWindows);
        BOOL bWow64 = FALSE;
        ::IsWow64Process(::GetCurrentProcess(), &bWow64);
        return CString(szWindows) + (bWow64 ? "\\SysWOW64\\odbcad32.exe" : "\\System32\\odbcad32.exe");
    }
}

CString FailureAdvice(const CDBException& exception)
{
    for (const Failure& failure : aFailures)
    {
        for (const OdbcDiagnostic& record : exception.m_records)
        {
            if (!Tells(failure, record))
                continue;
            const CString strFormat = LoadResString(failure.nID);
            if (failure.nID != IDS_FAILURE_OTHER_BITNESS || strFormat.IsEmpty())
                return strFormat;
            const int nBits = (int)sizeof(void*) * 8;
            CString strAdvice;
            strAdvice.Format(strFormat, nBits, nBits, (LPCSTR)AdministratorPath());
            return strAdvice;
        }
    }
    return LoadResString(IDS_FAILURE_OTHER);
}

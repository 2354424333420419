#pragma once
// ANSI string in the manner of the framework's CString: bytes, not characters,
// with the few operations the module uses. Embedded NUL bytes are kept.
#include <windows.h>
#include <cstdarg>
#include <string>

class CString
{
public:
    CString() = default;
    CString(LPCSTR psz)                        : m_str(psz ? psz : "") {}
    CString(LPCSTR pch, int nLength)           : m_str(pch ? pch : "", pch && nLength > 0 ? nLength : 0) {}
    CString(char ch, int nRepeat = 1)          : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}
    explicit CString(const std::string& str)   : m_str(str) {}

    int     GetLength() const                  { return (int)m_str.size(); }
    BOOL    IsEmpty() const                    { return m_str.empty(); }
    void    Empty()                            { m_str.clear(); }
    char    GetAt(int nIndex) const            { return m_str[nIndex]; }
    operator LPCSTR() const                    { return m_str.c_str(); }
    const std::string& Str() const             { return m_str; }

    CString& operator=(LPCSTR psz)             { m_str = psz ? psz : ""; return *this; }
    CString& operator+=(const CString& s)      { m_str += s.m_str; return *this; }
    CString& operator+=(LPCSTR psz)            { if (psz) m_str += psz; return *this; }
    CString& operator+=(char ch)               { m_str += ch; return *this; }
    void     Append(LPCSTR pch, int nLength)   { m_str.append(pch, nLength); }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
    friend CString operator+(const CString& a, LPCSTR b)         { CString s(a); s += b; return s; }
    friend CString operator+(LPCSTR a, const CString& b)         { CString s(a); s += b; return s; }
    friend bool operator==(const CString& a, const CString& b)   { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, LPCSTR b)           { return a.m_str == (b ? b : ""); }
    friend bool operator!=(const CString& a, const CString& b)   { return !(a == b); }
    friend bool operator!=(const CString& a, LPCSTR b)           { return !(a == b); }

    int     Find(LPCSTR pszSub, int nStart = 0) const;
    int     Find(char ch, int nStart = 0) const;
    int     ReverseFind(char ch) const;
    CString Left(int nCount) const;
    CString Mid(int nFirst, int nCount = -1) const;
    int     Delete(int nIndex, int nCount = 1);
    int     Replace(LPCSTR pszOld, LPCSTR pszNew);
    void    Format(LPCSTR pszFormat, ...);
    void    FormatV(LPCSTR pszFormat, va_list args);

    // Direct access to the bytes, as the framework offers it to Win32 calls.
    LPSTR   GetBuffer(int nMinLength);
    void    ReleaseBuffer(int nNewLength = -1);

private:
    std::string m_str;
};

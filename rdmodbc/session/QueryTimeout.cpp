#include "QueryTimeout.h"

DWORD ImportQueryTimeout()
{
    DWORD dwSeconds = 0;
    DWORD cbData = sizeof dwSeconds;
    if (::RegGetValueA(HKEY_CURRENT_USER, "SOFTWARE\\KAVEX\\RDMODBC", "QueryTimeout", RRF_RT_REG_DWORD, nullptr,
                       &dwSeconds, &cbData) != ERROR_SUCCESS)
        return DEFAULT_QUERY_TIMEOUT;
    return dwSeconds;
}

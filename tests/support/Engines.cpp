#include "Engines.h"
#include "TestEnv.h"

#include <cstdlib>

const std::vector<TestEngine>& TestEngines()
{
    static const std::vector<TestEngine> engines = {
        {"SQLite", "DSN=rdm_engine_sqlite"},
        {"MariaDB", "DSN=rdm_engine_mariadb"},
        {"PostgreSQL", "DSN=rdm_engine_postgresql"},
    };
    return engines;
}

CServerOutage::~CServerOutage()
{
    if (m_bStopped)
        Start();
}

bool CServerOutage::Stop()
{
    m_bStopped = Run("stop");
    return m_bStopped;
}

bool CServerOutage::Start()
{
    m_bStopped = !Run("restart");
    return !m_bStopped;
}

bool CServerOutage::Run(const char* pszAction)
{
    // The script is a Unix program: Wine starts it without a process handle
    // to wait on, so it leaves a file behind when done, and the wait is for
    // that file to appear.
    const std::string done = TestEnvUnixPath(m_server + "-" + pszAction + ".done");
    const std::string windowsDone = UnixToWindowsPath(done);
    ::DeleteFileA(windowsDone.c_str());
    const std::string source = std::getenv("RDM_SOURCE_DIR") ? std::getenv("RDM_SOURCE_DIR") : "";
    const std::string binary = std::getenv("RDM_BINARY_DIR") ? std::getenv("RDM_BINARY_DIR") : "";
    std::string command = "sh -c \"PATH=/usr/sbin:/usr/bin:/sbin:/bin; '" + source + "/tests/engines/" + m_server +
                          "-server.sh' " + pszAction + " '" + binary + "/" + m_server + "' >/dev/null && touch '" + done +
                          "'\"";
    HANDLE hChange = ::FindFirstChangeNotificationA(TestEnvWindowsPath().c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    bool bDone = false;
    if (hChange != INVALID_HANDLE_VALUE &&
        ::CreateProcessA(UnixToWindowsPath("/bin/sh").c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                         nullptr, &startup, &process))
    {
        if (process.hProcess != nullptr)
        {
            ::CloseHandle(process.hThread);
            ::CloseHandle(process.hProcess);
        }
        const DWORD dwStart = ::GetTickCount();
        const DWORD dwBound = 60000;
        while (!(bDone = ::GetFileAttributesA(windowsDone.c_str()) != INVALID_FILE_ATTRIBUTES) &&
               ::GetTickCount() - dwStart < dwBound &&
               ::WaitForSingleObject(hChange, dwBound - (::GetTickCount() - dwStart)) == WAIT_OBJECT_0)
            ::FindNextChangeNotification(hChange);
    }
    if (hChange != INVALID_HANDLE_VALUE)
        ::FindCloseChangeNotification(hChange);
    ::DeleteFileA(windowsDone.c_str());
    return bDone;
}

#include "Engines.h"

const std::vector<TestEngine>& TestEngines()
{
    static const std::vector<TestEngine> engines = {
        {"SQLite", "DSN=rdm_engine_sqlite"},
        {"MariaDB", "DSN=rdm_engine_mariadb"},
        {"PostgreSQL", "DSN=rdm_engine_postgresql"},
    };
    return engines;
}

#pragma once
// The sequence of RDMODBCOpen: language module, the data-source dialog and
// the field-mapping dialog with Back between them, then the record set.
#include "query/TableChoice.h"

// Runs the data-source dialog with these choices; TRUE (and the choices
// updated) when the user ended it with OK. bReturning: the user came back
// from the field mapping, so the dialog reconnects and opens on the tables.
BOOL RunDataSourceDialog(TableChoice& choice, BOOL bReturning);
// The whole of RDMODBCOpen in the module's own framework state: 1 when the
// record set is open. Connection failures and a failed first move throw.
int OpenImportSession();

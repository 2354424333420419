#pragma once
#include "framework/CWinApp.h"

// The module's application object; its title is the caption of the
// framework's message boxes.
class CRDMODBCApp : public CWinApp
{
public:
    CRDMODBCApp() : CWinApp(nullptr) {}
};

extern CRDMODBCApp theApp;

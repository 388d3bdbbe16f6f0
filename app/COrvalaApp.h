#pragma once

#include "platform/framework/CWinApp.h"

class CMultiDocTemplate;

class COrvalaApp : public CWinApp
{
public:
    COrvalaApp();

    bool InitInstance() override;

    // Picture windows (129) and table windows (502).
    CMultiDocTemplate* m_pPictureTemplate = nullptr;
    CMultiDocTemplate* m_pTableTemplate = nullptr;
    // The reports of Database > Check Database (503).
    CMultiDocTemplate* m_pDriftTemplate = nullptr;

private:
    void OnAppAbout();
};

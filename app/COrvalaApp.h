#pragma once

#include "browse/CFolderModels.h"
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
    // One listing per folder, shared by the picture windows on it and watched
    // while one is open.
    CFolderModels m_FolderModels;

private:
    void OnAppAbout();
};

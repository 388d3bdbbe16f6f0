#include "platform/framework/CFrameServices.h"

#include "platform/framework/CWinApp.h"

#include <QWidget>

CFrameServices* AfxGetFrameServices()
{
    return dynamic_cast<CFrameServices*>(AfxGetMainWnd());
}

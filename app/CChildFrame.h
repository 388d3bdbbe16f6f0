#pragma once

#include "platform/framework/CMDIChildWnd.h"

// The frame of every picture window and table window.
class CChildFrame : public CMDIChildWnd
{
    Q_OBJECT
};

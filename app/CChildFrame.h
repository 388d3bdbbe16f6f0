#pragma once

#include "platform/CMDIChildWnd.h"

// The frame of every picture window and table window.
class CChildFrame : public CMDIChildWnd
{
    Q_OBJECT
};

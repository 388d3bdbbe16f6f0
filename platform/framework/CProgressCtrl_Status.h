#pragma once

#include "platform/framework/CProgressCtrl.h"

#include <QString>

// The main frame's progress bar in the status bar's message pane, and the
// layout of any other owner's bar there.
class CProgressCtrl_Status : public CProgressCtrl
{
public:
    // Writes the text into the message pane, lays the target (this object when
    // none is given) over the pane to the text's right, freshly created at
    // position 0 of 0..100, and makes it the active progress control.
    void ShowStatusProgress(QString strText, CProgressCtrl* pTarget = nullptr);
};

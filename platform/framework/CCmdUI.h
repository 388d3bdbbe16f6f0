#pragma once

// What an update handler may say about a command: enabled, checked.
class CCmdUI
{
public:
    explicit CCmdUI(int nID)
        : m_nID(nID)
    {
    }

    void Enable(bool bOn = true)
    {
        m_bEnabled = bOn;
        m_bEnableChanged = true;
    }
    void SetCheck(int nCheck = 1) { m_nCheck = nCheck; }

    int m_nID;
    bool m_bEnabled = false;
    bool m_bEnableChanged = false;
    int m_nCheck = 0;
};

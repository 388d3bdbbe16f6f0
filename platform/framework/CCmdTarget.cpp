#include "platform/framework/CCmdTarget.h"

bool CCmdTarget::OnCmdMsg(int nID, CCmdUI* pCmdUI)
{
    const auto it = m_mapMessages.constFind(nID);
    if (it == m_mapMessages.constEnd())
        return false;
    if (pCmdUI == nullptr) {
        if (!it->command)
            return false;
        it->command(nID);
        return true;
    }
    if (it->update) {
        // A handler that says nothing about enabling leaves the command on.
        pCmdUI->Enable(true);
        it->update(pCmdUI);
        return true;
    }
    if (!it->command)
        return false;
    pCmdUI->Enable(true);
    return true;
}

void CCmdTarget::OnCommand(int nID, std::function<void()> handler)
{
    m_mapMessages[nID].command = [handler = std::move(handler)](int) { handler(); };
}

void CCmdTarget::OnCommandRange(int nFirst, int nLast, Handler handler)
{
    for (int nID = nFirst; nID <= nLast; ++nID)
        m_mapMessages[nID].command = handler;
}

void CCmdTarget::OnUpdateCommandUI(int nID, UpdateHandler handler)
{
    m_mapMessages[nID].update = std::move(handler);
}

void CCmdTarget::OnUpdateCommandUIRange(int nFirst, int nLast, UpdateHandler handler)
{
    for (int nID = nFirst; nID <= nLast; ++nID)
        m_mapMessages[nID].update = handler;
}

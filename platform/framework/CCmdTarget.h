#pragma once

#include "platform/framework/CCmdUI.h"

#include <QHash>
#include <functional>

// An object that handles commands through its own message map. A command is
// handled by the first target on the route whose map has an entry for it.
class CCmdTarget
{
public:
    virtual ~CCmdTarget() = default;

    // With pCmdUI null the command runs; otherwise only its state is asked.
    // Returns whether this target (or one it routes to) handles the command.
    virtual bool OnCmdMsg(int nID, CCmdUI* pCmdUI);

protected:
    using Handler = std::function<void(int nID)>;
    using UpdateHandler = std::function<void(CCmdUI*)>;

    void OnCommand(int nID, std::function<void()> handler);
    void OnCommandRange(int nFirst, int nLast, Handler handler);
    void OnUpdateCommandUI(int nID, UpdateHandler handler);
    void OnUpdateCommandUIRange(int nFirst, int nLast, UpdateHandler handler);

private:
    struct Entry
    {
        Handler command;
        UpdateHandler update;
    };
    QHash<int, Entry> m_mapMessages;
};

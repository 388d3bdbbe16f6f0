#pragma once

#include "app/AppSession.h"
#include "common/TestWorkspace.h"

#include <QColor>
#include <QObject>
#include <QSize>
#include <QTemporaryDir>
#include <memory>

class COrvalaView;

// What the tests of picture windows share: Orvala started in a scratch
// workspace with an empty folder for their pictures, and a window brought on
// screen the way a user would see it.
class CPictureViewTest : public QObject
{
protected:
    // For init(), under QVERIFY; EndSession() for cleanup().
    bool StartSession();
    void EndSession();
    // The picture window opened last, with a client area of szClient and the
    // focus, once it is on screen; null when there is none or it never shows.
    COrvalaView* ShowLastView(QSize szClient);
    // The colour the view shows near its top-left corner.
    static QColor Shown(COrvalaView* pView);

    std::unique_ptr<CTestWorkspace> m_pWorkspace;
    std::unique_ptr<CAppSession> m_pSession;
    std::unique_ptr<QTemporaryDir> m_pPictures;
};

#pragma once

#include <memory>

class CMainFrame;
class COrvalaApp;
class COrvalaView;

// One run of the program inside a test: started like main() starts it, and
// ended by closing the main frame (which writes its placement) and exiting.
class CAppSession
{
public:
    CAppSession();
    ~CAppSession();

    bool Started() const { return m_bStarted; }
    COrvalaApp& App() { return *m_pApp; }
    CMainFrame* Frame() const;
    // The view of the picture window opened last, if it is still open.
    COrvalaView* NewestPictureView() const;
    // Closes the main frame as the user would; the session ends with it.
    void Close();

private:
    std::unique_ptr<COrvalaApp> m_pApp;
    bool m_bStarted = false;
    bool m_bClosed = false;
};

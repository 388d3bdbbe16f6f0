#include "browse/ViewKeyRules.h"

#include "resources/resource.h"

#include <algorithm>

namespace {

// Ctrl, Alt and Meta with a key this program added belong to the frame's
// accelerators (Alt+Backspace is Undo), never to the key alone.
bool HasCommandModifier(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}

SViewKeyAction SingleKey(const SViewKeyState& s, int nKey, Qt::KeyboardModifiers modifiers)
{
    SViewKeyAction a;
    const int nLast = s.nCount - 1;
    if ((nKey == Qt::Key_Space || nKey == Qt::Key_Backspace) && HasCommandModifier(modifiers))
        return a;
    switch (nKey) {
    case Qt::Key_Left:
    case Qt::Key_PageUp:
    case Qt::Key_Backspace:
        if (s.nCurrent > 0)
            a.nShow = s.nCurrent - 1;
        break;
    case Qt::Key_Right:
    case Qt::Key_PageDown:
    case Qt::Key_Space:
        if (s.nCurrent < nLast)
            a.nShow = s.nCurrent + 1;
        break;
    case Qt::Key_Home:
        if (s.nCurrent != 0 && s.nCount > 0)
            a.nShow = 0;
        break;
    case Qt::Key_End:
        if (s.nCurrent < nLast)
            a.nShow = nLast;
        break;
    case Qt::Key_P:
        a.bPause = true;
        break;
    default:
        break;
    }
    return a;
}

class CMosaicKey
{
public:
    explicit CMosaicKey(const SViewKeyState& s)
        : m_nInRow(std::max(1, s.nPhotosInRow))
        , m_nPitch(std::max(1, s.nPitch))
        , m_nHalf(m_nPitch / 2)
        , m_nCount(s.nCount)
        , m_nRows(m_nCount / m_nInRow + 1)
        , m_nX(s.ptSelection.x())
        , m_nY(s.ptSelection.y())
        , m_nScrollX(s.ptScroll.x())
        , m_nScrollY(s.ptScroll.y())
        , m_nClientWidth(s.szClient.width())
        , m_nClientHeight(s.szClient.height())
        , m_ptScroll(s.ptScroll)
    {
        m_action.bDefault = true;
    }

    SViewKeyAction Run(int nKey, bool bCtrl);

private:
    void Left();
    void Right();
    void Up();
    void Down();
    void PageUp();
    void PageDown();
    void Home(bool bCtrl);
    void End(bool bCtrl);
    void Enter();
    int Index(int x, int y) const { return (y / m_nPitch) * m_nInRow + x / m_nPitch; }
    void Select(int x, int y)
    {
        m_action.bSelect = true;
        m_action.ptSelect = QPoint(x, y);
    }
    // Two scrolls of one key each change one axis and keep the other where
    // the first one put it, so they land as one.
    void ScrollX(int x)
    {
        m_action.bScroll = true;
        m_ptScroll.setX(x);
        m_action.ptScroll = m_ptScroll;
    }
    void ScrollY(int y)
    {
        m_action.bScroll = true;
        m_ptScroll.setY(y);
        m_action.ptScroll = m_ptScroll;
    }

    // Photos in a row, a cell's pitch and half of it, pictures, rows.
    const int m_nInRow, m_nPitch, m_nHalf, m_nCount, m_nRows;
    // The selection's point and the scroll position, in mosaic pixels.
    const int m_nX, m_nY, m_nScrollX, m_nScrollY;
    const int m_nClientWidth, m_nClientHeight;
    QPoint m_ptScroll;
    SViewKeyAction m_action;
};

SViewKeyAction CMosaicKey::Run(int nKey, bool bCtrl)
{
    switch (nKey) {
    case Qt::Key_Left:
        Left();
        break;
    case Qt::Key_Right:
        Right();
        break;
    case Qt::Key_Up:
        Up();
        break;
    case Qt::Key_Down:
        Down();
        break;
    case Qt::Key_PageUp:
        PageUp();
        break;
    case Qt::Key_PageDown:
        PageDown();
        break;
    case Qt::Key_Home:
        Home(bCtrl);
        break;
    case Qt::Key_End:
        End(bCtrl);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Enter();
        break;
    default:
        break;
    }
    return m_action;
}

void CMosaicKey::Left()
{
    if (m_nX <= m_nPitch && m_nY <= m_nPitch)
        return;
    const int x = m_nX - m_nPitch;
    if (x > 0) {
        Select(x, m_nY);
        if (x - m_nScrollX < m_nHalf)
            ScrollX(m_nScrollX - m_nPitch);
    } else {
        const int xAbove = (m_nInRow - 1) * m_nPitch + m_nHalf;
        Select(xAbove, m_nY - m_nPitch);
        if (xAbove > m_nClientWidth)
            ScrollX(xAbove);
        if (m_nScrollY != 0 && m_nY - m_nPitch < m_nScrollY)
            ScrollY(m_nScrollY - m_nPitch);
    }
}

void CMosaicKey::Right()
{
    if (Index(m_nX, m_nY) + 1 >= m_nCount)
        return;
    const int x = m_nX + m_nPitch;
    if (x < m_nInRow * m_nPitch) {
        Select(x, m_nY);
        if (x > m_nClientWidth)
            ScrollX(m_nScrollX + m_nPitch);
    } else {
        Select(m_nHalf, m_nY + m_nPitch);
        if (m_nScrollX != 0)
            ScrollX(0);
        if (m_nY + m_nPitch > m_nClientHeight)
            ScrollY(m_nScrollY + m_nPitch);
    }
}

void CMosaicKey::Up()
{
    const int y = m_nY - m_nPitch;
    if (y >= 0)
        Select(m_nX, y);
    // Even at the top row, so a half-hidden first row comes into view.
    if (m_nScrollY != 0 && y < m_nScrollY)
        ScrollY(m_nScrollY - m_nPitch);
}

void CMosaicKey::Down()
{
    const int y = m_nY + m_nPitch;
    if (y <= m_nRows * m_nPitch && Index(m_nX, y) < m_nCount) {
        Select(m_nX, y);
        if (y > m_nClientHeight)
            ScrollY(m_nScrollY + m_nPitch);
    }
}

void CMosaicKey::PageUp()
{
    int y = m_nY - m_nInRow * m_nPitch;
    if (y < 0)
        y = m_nHalf;
    Select(m_nX, y);
    if (y < m_nScrollY)
        ScrollY(m_nScrollY - m_nInRow * m_nPitch);
}

void CMosaicKey::PageDown()
{
    int y = m_nY + m_nInRow * m_nPitch;
    if (y > m_nRows * m_nPitch)
        y = (m_nRows - 1) * m_nPitch;
    if (Index(m_nX, y) >= m_nCount)
        y = (m_nRows - 2) * m_nPitch + m_nHalf;
    Select(m_nX, y);
    if (y > m_nClientHeight)
        ScrollY(m_nScrollY + m_nInRow * m_nPitch);
}

void CMosaicKey::Home(bool bCtrl)
{
    if (bCtrl) {
        Select(m_nHalf, m_nHalf);
        ScrollX(0);
        ScrollY(0);
    } else {
        Select(m_nHalf, m_nY);
        if (m_nHalf < m_nScrollX)
            ScrollX(0);
    }
}

void CMosaicKey::End(bool bCtrl)
{
    if (bCtrl) {
        const int r = m_nCount % m_nInRow;
        const int x = r == 0 ? (m_nInRow - 1) * m_nPitch + m_nHalf : (r - 1) * m_nPitch + m_nHalf;
        const int y =
            r == 0 ? (m_nRows - 2) * m_nPitch + m_nHalf : (m_nRows - 1) * m_nPitch + m_nHalf;
        Select(x, y);
        ScrollX(x > m_nClientWidth ? m_nScrollX + x : m_nScrollX);
        ScrollY(y > m_nClientHeight ? m_nScrollY + y : m_nScrollY);
    } else {
        int x = (m_nInRow - 1) * m_nPitch + m_nHalf;
        if ((m_nY / m_nPitch) * m_nInRow + m_nInRow - 1 >= m_nCount)
            x = (m_nCount % m_nInRow - 1) * m_nPitch + m_nHalf;
        Select(x, m_nY);
        if (x > m_nClientWidth)
            ScrollX(m_nScrollX + x);
    }
}

void CMosaicKey::Enter()
{
    const int i = Index(m_nX, m_nY);
    if (m_nX >= 0 && m_nY >= 0 && m_nX / m_nPitch < m_nInRow && i < m_nCount)
        m_action.nOpen = i;
}

} // namespace

SViewKeyAction ViewKeyAction(const SViewKeyState& s, int nKey, Qt::KeyboardModifiers modifiers)
{
    if (!s.bMosaic)
        return SingleKey(s, nKey, modifiers);
    return CMosaicKey(s).Run(nKey, modifiers.testFlag(Qt::ControlModifier));
}

int ViewerKeyCommand(int nKey, Qt::KeyboardModifiers modifiers, bool bMosaic, bool bFullScreen)
{
    modifiers &= ~Qt::KeypadModifier;
    // The zoom keys are bound with Ctrl too, and + wants Shift on many
    // keyboards; Delete with Shift is Cut.
    const bool bZoomKey =
        nKey == Qt::Key_Plus || nKey == Qt::Key_Equal || nKey == Qt::Key_Minus || nKey == Qt::Key_1;
    if (bZoomKey ? (modifiers & (Qt::AltModifier | Qt::MetaModifier)) != 0
                 : HasCommandModifier(modifiers))
        return 0;
    switch (nKey) {
    case Qt::Key_F11:
        return ID_VIEW_FULLSCREEN;
    case Qt::Key_Escape:
        if (bFullScreen)
            return ID_VIEW_FULLSCREEN;
        return bMosaic ? ID_VIEW_SINGLEPICTURE : 0;
    case Qt::Key_Delete:
        return modifiers == Qt::NoModifier ? ID_FILE_MOVETOTRASH : 0;
    default:
        break;
    }
    if (bMosaic)
        return 0;
    switch (nKey) {
    case Qt::Key_F:
        return ID_VIEW_FITWINDOW;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return ID_VIEW_ZOOMIN;
    case Qt::Key_Minus:
        return ID_VIEW_ZOOMOUT;
    case Qt::Key_1:
        return ID_VIEW_ACTUALSIZE;
    default:
        return 0;
    }
}

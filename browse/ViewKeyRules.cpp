#include "browse/ViewKeyRules.h"

#include <algorithm>

namespace {

SViewKeyAction SingleKey(const SViewKeyState& s, int nKey)
{
    SViewKeyAction a;
    const int nLast = s.nCount - 1;
    switch (nKey) {
    case Qt::Key_Left:
    case Qt::Key_PageUp:
        if (s.nCurrent > 0)
            a.nShow = s.nCurrent - 1;
        break;
    case Qt::Key_Right:
    case Qt::Key_PageDown:
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
        : n(std::max(1, s.nPhotosInRow))
        , p(std::max(1, s.nPitch))
        , h(p / 2)
        , N(s.nCount)
        , rows(N / n + 1)
        , X(s.ptSelection.x())
        , Y(s.ptSelection.y())
        , sx(s.ptScroll.x())
        , sy(s.ptScroll.y())
        , cw(s.szClient.width())
        , ch(s.szClient.height())
        , m_ptScroll(s.ptScroll)
    {
        a.bDefault = true;
    }

    SViewKeyAction Run(int nKey, bool bCtrl);

private:
    int Index(int x, int y) const { return (y / p) * n + x / p; }
    void Select(int x, int y)
    {
        a.bSelect = true;
        a.ptSelect = QPoint(x, y);
    }
    // Two scrolls of one key each change one axis and keep the other where
    // the first one put it, so they land as one.
    void ScrollX(int x)
    {
        a.bScroll = true;
        m_ptScroll.setX(x);
        a.ptScroll = m_ptScroll;
    }
    void ScrollY(int y)
    {
        a.bScroll = true;
        m_ptScroll.setY(y);
        a.ptScroll = m_ptScroll;
    }

    const int n, p, h, N, rows, X, Y, sx, sy, cw, ch;
    QPoint m_ptScroll;
    SViewKeyAction a;
};

SViewKeyAction CMosaicKey::Run(int nKey, bool bCtrl)
{
    switch (nKey) {
    case Qt::Key_Left: {
        if (X <= p && Y <= p)
            break;
        const int x = X - p;
        if (x > 0) {
            Select(x, Y);
            if (x - sx < h)
                ScrollX(sx - p);
        } else {
            const int xAbove = (n - 1) * p + h;
            Select(xAbove, Y - p);
            if (xAbove > cw)
                ScrollX(xAbove);
            if (sy != 0 && Y - p < sy)
                ScrollY(sy - p);
        }
        break;
    }
    case Qt::Key_Right: {
        if (Index(X, Y) + 1 >= N)
            break;
        const int x = X + p;
        if (x < n * p) {
            Select(x, Y);
            if (x > cw)
                ScrollX(sx + p);
        } else {
            Select(h, Y + p);
            if (sx != 0)
                ScrollX(0);
            if (Y + p > ch)
                ScrollY(sy + p);
        }
        break;
    }
    case Qt::Key_Up: {
        const int y = Y - p;
        if (y >= 0)
            Select(X, y);
        // Even at the top row, so a half-hidden first row comes into view.
        if (sy != 0 && y < sy)
            ScrollY(sy - p);
        break;
    }
    case Qt::Key_Down: {
        const int y = Y + p;
        if (y <= rows * p && Index(X, y) < N) {
            Select(X, y);
            if (y > ch)
                ScrollY(sy + p);
        }
        break;
    }
    case Qt::Key_PageUp: {
        int y = Y - n * p;
        if (y < 0)
            y = h;
        Select(X, y);
        if (y < sy)
            ScrollY(sy - n * p);
        break;
    }
    case Qt::Key_PageDown: {
        int y = Y + n * p;
        if (y > rows * p)
            y = (rows - 1) * p;
        if (Index(X, y) >= N)
            y = (rows - 2) * p + h;
        Select(X, y);
        if (y > ch)
            ScrollY(sy + n * p);
        break;
    }
    case Qt::Key_Home:
        if (bCtrl) {
            Select(h, h);
            ScrollX(0);
            ScrollY(0);
        } else {
            Select(h, Y);
            if (h < sx)
                ScrollX(0);
        }
        break;
    case Qt::Key_End:
        if (bCtrl) {
            const int r = N % n;
            const int x = r == 0 ? (n - 1) * p + h : (r - 1) * p + h;
            const int y = r == 0 ? (rows - 2) * p + h : (rows - 1) * p + h;
            Select(x, y);
            ScrollX(x > cw ? sx + x : sx);
            ScrollY(y > ch ? sy + y : sy);
        } else {
            int x = (n - 1) * p + h;
            if ((Y / p) * n + n - 1 >= N)
                x = (N % n - 1) * p + h;
            Select(x, Y);
            if (x > cw)
                ScrollX(sx + x);
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const int i = Index(X, Y);
        if (X >= 0 && Y >= 0 && X / p < n && i < N)
            a.nOpen = i;
        break;
    }
    default:
        break;
    }
    return a;
}

} // namespace

SViewKeyAction ViewKeyAction(const SViewKeyState& s, int nKey, Qt::KeyboardModifiers modifiers)
{
    if (!s.bMosaic)
        return SingleKey(s, nKey);
    return CMosaicKey(s).Run(nKey, modifiers.testFlag(Qt::ControlModifier));
}

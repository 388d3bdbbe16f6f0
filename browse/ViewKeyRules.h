#pragma once

#include <QPoint>
#include <QSize>
#include <Qt>

// What a picture view knows when a key arrives, as plain values.
struct SViewKeyState
{
    // The mosaic rules apply to a mosaic that is not paused; a paused slide
    // show over a mosaic is stepped like single pictures.
    bool bMosaic = false;
    int nCurrent = 0;
    int nCount = 0;
    int nPhotosInRow = 1;
    int nPitch = 1;     // cell plus border, both ways
    QPoint ptSelection; // in mosaic coordinates
    QPoint ptScroll;
    QSize szClient;
};

// What the view does about the key. Every field left at its default means
// nothing of that kind happens.
struct SViewKeyAction
{
    int nShow = -1; // the picture to show in single-picture mode
    bool bPause = false;
    bool bSelect = false;
    QPoint ptSelect; // as a click there, in mosaic coordinates
    bool bScroll = false;
    QPoint ptScroll;       // the view clamps it to its range
    int nOpen = -1;        // the picture to open in a new window
    bool bDefault = false; // the window's own key handling runs afterwards
};

// Only Ctrl changes a classic key's meaning (Home and End in a mosaic); Shift
// is ignored. Space and Backspace step only without Ctrl, Alt or Meta.
SViewKeyAction ViewKeyAction(const SViewKeyState& s, int nKey, Qt::KeyboardModifiers modifiers);

// The command a key runs beyond the classic keys; 0 for none. The zoom keys
// take Ctrl too (the frame's Ctrl accelerators do not reach a full-screen
// window); the others refuse Ctrl, Alt and Meta, and Delete also Shift, so
// that a frame accelerator left without a handler never runs them. The
// mosaic has no zoom; Esc leaves full screen first, then the mosaic.
int ViewerKeyCommand(int nKey, Qt::KeyboardModifiers modifiers, bool bMosaic, bool bFullScreen);

#pragma once

#include <QString>

// What a picture view's timed jobs are doing, as plain values.
struct SSlideShowState
{
    bool bSlideShow = false;
    bool bBusy = false; // a timed job runs: the slide show or a mosaic build
    bool bPaused = false;
    bool bLoop = false;
    int nTimerId = 0; // the running job's timer: 1 the slide show, 2 the mosaic build
    int nCurrent = 0; // the next slide
    int nCount = 0;
};

enum class ESlideShowEvent { SlideShow, Tick, Pause, Loop };

// What the view does after an event: the state to take and what to show.
struct SSlideShowStep
{
    SSlideShowState state;
    // Clear the scroll extent, remember the picture on screen, show the start
    // text with the progress bar and the wait cursor.
    bool bStart = false;
    int nShow = -1; // the slide to show
    int nProgress = -1;
    bool bText = false; // the status text becomes strText (only with the focus)
    QString strText;
    // Drop the progress bar and the wait cursor; bring back the picture shown
    // before the start, or repaint the mosaic.
    bool bEnd = false;
    int nArmTimer = 0;
    int nKillTimer = 0;
};

// For a start, s.nCount is the size of the picture list once the view has
// filled an empty one from its folder. A tick of a paused job never arrives
// here.
SSlideShowStep SlideShowStep(const SSlideShowState& s, ESlideShowEvent event);

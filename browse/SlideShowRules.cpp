#include "browse/SlideShowRules.h"

#include <QCoreApplication>

namespace {

void SetText(SSlideShowStep& step, const QString& strText)
{
    step.bText = true;
    step.strText = strText;
}

void Toggle(const SSlideShowState& s, SSlideShowStep& step)
{
    SSlideShowState& n = step.state;
    // A start during a mosaic build would share its progress bar and lose
    // the build's timer.
    if (!s.bSlideShow && s.bBusy && s.nTimerId == 2)
        return;
    n.bSlideShow = !s.bSlideShow;
    if (!n.bSlideShow) {
        // The next tick finds the end of the list and ends the show there.
        n.bLoop = false;
        n.nCurrent = s.nCount;
        return;
    }
    step.bStart = true;
    SetText(step, QCoreApplication::translate("SlideShowRules", " Slide Show for %1 pictures: ")
                      .arg(s.nCount));
    n.bBusy = true;
    n.nCurrent = 0;
    n.nTimerId = 1;
    step.nArmTimer = 1;
}

void Tick(const SSlideShowState& s, SSlideShowStep& step)
{
    SSlideShowState& n = step.state;
    // A show asked to stop still runs until this tick finds the end.
    if (!s.bBusy || s.nTimerId != 1 || s.bPaused)
        return;
    const int i = s.nCurrent;
    if (i >= 0 && i < s.nCount) {
        step.nShow = i;
        step.nProgress = (i + 1) * 100 / s.nCount;
        SetText(step, QCoreApplication::translate("SlideShowRules", " Slideshow %1 / %2 ")
                          .arg(i + 1, 4)
                          .arg(s.nCount, 4));
        n.nCurrent = i + 1;
    } else if (s.bLoop) {
        n.nCurrent = 0;
    } else {
        step.bEnd = true;
        step.nKillTimer = 1;
        SetText(step, QString());
        n.bSlideShow = false;
        n.bBusy = false;
    }
}

void Pause(const SSlideShowState& s, SSlideShowStep& step)
{
    if (!s.bBusy)
        return;
    step.state.bPaused = !s.bPaused;
    if (step.state.bPaused) {
        step.nKillTimer = s.nTimerId;
        SetText(step, QCoreApplication::translate("SlideShowRules", " Paused..."));
    } else {
        step.nArmTimer = s.nTimerId;
    }
}

} // namespace

SSlideShowStep SlideShowStep(const SSlideShowState& s, ESlideShowEvent event)
{
    SSlideShowStep step;
    step.state = s;
    switch (event) {
    case ESlideShowEvent::SlideShow:
        Toggle(s, step);
        break;
    case ESlideShowEvent::Tick:
        Tick(s, step);
        break;
    case ESlideShowEvent::Pause:
        Pause(s, step);
        break;
    case ESlideShowEvent::Loop:
        step.state.bLoop = !s.bLoop;
        break;
    }
    return step;
}

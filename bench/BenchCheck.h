#pragma once

#include <QtGlobal>

class CMainFrame;
class CListView_Drift;

// Runs Database > Check Database in the frame and returns its window once the
// check is done; with pLongestGapMs, the longest the window went unanswered.
CListView_Drift* RunCheck(CMainFrame* pFrame, qint64* pLongestGapMs = nullptr);

#include "common/TestMain.h"
#include "TestMainFrame.h"
#include "TestStatusProgress.h"

ORVALA_TEST_MAIN(TestStatusProgress, TestMainFrame)

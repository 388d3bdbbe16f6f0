#include "common/TestMain.h"
#include "TestCommandRouting.h"
#include "TestRecentFileList.h"
#include "TestResources.h"

ORVALA_TEST_MAIN(TestRecentFileList, TestResources, TestCommandRouting)

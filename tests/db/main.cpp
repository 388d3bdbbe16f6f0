#include "DbTests.h"

#include "common/TestMain.h"

ORVALA_TEST_MAIN(TestJetSql, TestDaoEngine, TestDaoTable, TestPictureImport)

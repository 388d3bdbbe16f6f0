#pragma once

#include "common/TestBackend.h"

#include <QObject>

// Adding a folder's pictures as photo records, to the file and to a server.
class TestPictureImport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data();
    void init();
    void importsFolder();
    void reimportAddsNothing();
    void longNamesSkipped();
    void closedDatabaseAddsNothing();
    void concurrentImportsAddOnce();
    void wallClockDates_data();
    void wallClockDates();
    void cameraFilesWithAllFormats();
    void otherErrorsRollBack();

private:
    CTestBackend m_backend;
};

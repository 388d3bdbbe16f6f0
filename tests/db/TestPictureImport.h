#pragma once

#include <QObject>

// Adding a folder's pictures as photo records.
class TestPictureImport : public QObject
{
    Q_OBJECT
private slots:
    void importsFolder();
    void reimportAddsNothing();
    void longNamesSkipped();
    void closedDatabaseAddsNothing();
    void concurrentImportsAddOnce();
    void wallClockDates_data();
    void wallClockDates();
    void cameraFilesWithAllFormats();
    void otherErrorsRollBack();
};

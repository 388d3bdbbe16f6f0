#pragma once

#include <QObject>

class TestPictureDecoder : public QObject
{
    Q_OBJECT
private slots:
    void rasterFormats_data();
    void rasterFormats();
    void exifOrientationSixIsUpright();
    void cameraFilesUpright_data();
    void cameraFilesUpright();
    void damagedCameraFilesRefused_data();
    void damagedCameraFilesRefused();
    void fittedDecodeKeepsNaturalSize();
    void textNamedJpgIsNoPicture();
    void badInput_data();
    void badInput();
    void namedPipeRefusedAtOnce();
};

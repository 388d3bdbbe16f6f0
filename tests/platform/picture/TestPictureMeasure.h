#pragma once

#include <QObject>

class TestPictureMeasure : public QObject
{
    Q_OBJECT
private slots:
    void pixelsFromHimetric_data();
    void pixelsFromHimetric();
    void himetricFromPixels_data();
    void himetricFromPixels();
    void decodedSize_data();
    void decodedSize();
};

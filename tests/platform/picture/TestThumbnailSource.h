#pragma once

#include <QObject>
#include <QTemporaryDir>

class TestThumbnailSource : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void embeddedThumbnail_data();
    void embeddedThumbnail();
    void cacheEntryUsedWhileFresh();
    void corruptCacheEntryIgnored();
    void everyScaledThumbnailWritten();
    void nothingWrittenBesidePictures();

private:
    QTemporaryDir m_cacheHome;
};

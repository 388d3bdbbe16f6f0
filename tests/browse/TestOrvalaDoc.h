#pragma once

#include <QObject>

class TestOrvalaDoc : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void newDocumentIsEmpty();
    void failedOpenKeepsEarlierSizes();
    void fittedLoadKeepsWholeSizes_data();
    void fittedLoadKeepsWholeSizes();
};

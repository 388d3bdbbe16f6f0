#pragma once

#include <QObject>

class TestOrvalaDoc : public QObject
{
    Q_OBJECT
private slots:
    void newDocumentIsEmpty();
    void failedOpenKeepsEarlierSizes();
    void fittedLoadKeepsWholeSizes_data();
    void fittedLoadKeepsWholeSizes();
};

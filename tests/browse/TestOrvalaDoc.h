#pragma once

#include <QObject>

class TestOrvalaDoc : public QObject
{
    Q_OBJECT
private slots:
    void newDocumentIsEmpty();
    void failedOpenKeepsEarlierSizes();
    void loaderMeasuresEachAxis();
    void failedLoadLeavesOutputs();
    void fittedLoadKeepsWholeSizes_data();
    void fittedLoadKeepsWholeSizes();
};

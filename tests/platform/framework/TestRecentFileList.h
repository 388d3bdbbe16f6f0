#pragma once

#include <QObject>

class TestRecentFileList : public QObject
{
    Q_OBJECT
private slots:
    void keepsFifteenMostRecentFirst();
    void reopenedFileMovesToTop();
    void roundTripThroughSettings();
    void menuTextShortensAndEscapes();
};

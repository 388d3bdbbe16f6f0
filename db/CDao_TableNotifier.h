#pragma once

#include "db/SPhotoRecord.h"

#include <QList>
#include <QObject>

// Tells every window that shows records what a save or a delete changed.
class CDao_TableNotifier : public QObject
{
    Q_OBJECT
signals:
    // The records as stored after a save.
    void RecordsChanged(const QList<SPhotoRecord>& arRecords);
    void RecordsDeleted(const QList<qint64>& arKeys);
    // Records put back (an undone trash, a renamed picture's record found
    // again), with their new keys.
    void RecordsAdded(const QList<SPhotoRecord>& arRecords);
};

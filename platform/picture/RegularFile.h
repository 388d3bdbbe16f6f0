#pragma once

#include <QString>

class QFile;

// Opens the file for reading only when it is a regular file (or a link to
// one). A named pipe, socket or device is refused without blocking: anyone
// who can write to a browsed folder can leave one named like a picture.
bool OpenRegularFile(QFile& file, const QString& strPath);

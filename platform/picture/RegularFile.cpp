#include "platform/picture/RegularFile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool OpenRegularFile(QFile& file, const QString& strPath)
{
    // Opened before it is checked, so nothing can swap a pipe in between; a
    // pipe opened without O_NONBLOCK would wait for a writer.
    const int fd =
        ::open(QFile::encodeName(strPath).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

QByteArray ReadRegularFile(const QString& strPath, qint64 nMaxBytes)
{
    QFile file;
    if (!OpenRegularFile(file, strPath) || file.size() > nMaxBytes)
        return QByteArray();
    return file.readAll();
}

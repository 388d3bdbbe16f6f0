#include "platform/framework/HelpGuide.h"

#include <QDir>
#include <QFileInfo>

QUrl HelpGuideUrl(const QString& strProgramDir)
{
    // ORVALA_GUIDE_FROM_PROGRAM: the installed guide's folder relative to the
    // installed program's, as the build configured both.
    const QFileInfo installed(
        QDir(strProgramDir).filePath(QStringLiteral(ORVALA_GUIDE_FROM_PROGRAM "/index.html")));
    if (installed.isFile())
        return QUrl::fromLocalFile(installed.canonicalFilePath());
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}

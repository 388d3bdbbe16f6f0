#pragma once

#include <QString>
#include <QUrl>

// Where the user guide is for a program in strProgramDir: the copy installed
// beside the program's data (found from the program's own folder, so that a
// tree installed under any prefix or DESTDIR finds its own), or else the copy
// built into the program, as when it runs from its build folder.
QUrl HelpGuideUrl(const QString& strProgramDir);

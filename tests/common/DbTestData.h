#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>

#include <functional>

class CDaoDatabase;

// Every file under a folder, by relative path, with a hash of its bytes.
QMap<QString, QByteArray> FolderChecksums(const QString& strFolder);

// Adds one photo record through the engine layer.
void AddPhoto(CDaoDatabase* pDatabase, const QDateTime& date, const QString& strName,
              const QString& strDirectory, const QString& strTheme = QString(),
              const QString& strComment = QString());

// The message a database call raises; empty when it raises none.
QString DaoRefusal(const std::function<void()>& call);

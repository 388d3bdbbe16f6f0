#pragma once

#include <QString>

// File steps for making the photo database safely: it is built under a hidden
// name and moved into place whole, never over a file that is already there.

// The system's text for an errno value.
QString FileErrorText(int nError);

// A hidden name of its own beside strFile, for a file on its way in or out.
QString HiddenSideName(const QString& strFile, const char* pszWhat);

// Moves strFrom to strTo unless something is there already: 0 or the errno
// (EEXIST when strTo exists).
int MoveNoReplace(const QString& strFrom, const QString& strTo);

// Whether strFile is a regular file of no bytes (not a link to one).
bool IsEmptyFile(const QString& strFile);

// Removes strFile when it is empty: it holds nothing to lose. It is moved
// aside first, so that a database another program put there meanwhile is
// seen, and put back. Returns whether it was removed.
bool RemoveEmptyFile(const QString& strFile);

// Removes what a start killed while building strFile left behind: the regular
// files HiddenSideName(strFile, "new") names and their journals, once they
// are too old to belong to a start that is building one now.
void RemoveCreationLeftovers(const QString& strFile);

// Removes a database file and its journal.
void RemoveDatabaseFiles(const QString& strFile);

// Makes a rename in the file's folder reach the disk.
void SyncFolder(const QString& strFile);

// The file system type of the network file system strFile lies on ("nfs4",
// "cifs", "fuse.sshfs"...), or empty on a local one. SQLite's locks are not
// reliable over those.
QString NetworkFileSystemOf(const QString& strFile);
bool IsNetworkFileSystemType(const QByteArray& type);

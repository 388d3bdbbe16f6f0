#pragma once

#include <QString>
#include <QStringList>

// The text after the last dot of the whole path, letter case unchanged;
// empty when there is no dot or the path ends with one.
QString GetExtension(const QString& strPath);

// The names of the folder's regular files and links to them (no folders, no
// pipes, sockets or devices, which would block a reader; hidden ones included) that
// match the pattern "*" or "*.ext", in natural order as file managers show
// them: case-insensitive, digits compared as numbers (IMG_2 before IMG_10).
// Empty when the folder is missing or unreadable.
QStringList EnumerateFolder(const QString& strFolder, const QString& strExtension);

// Appends the full path of each picture (by its extension: JPG, BMP, GIF,
// ICO, CUR, WMF or EMF, any case; with bAllFormats every extension of
// PictureFormats.h) of the folder to the list, in enumeration order, without
// recursion. Returns the number appended by this call; an empty folder name
// lists nothing.
int ListPictureFiles(const QString& strFolder, QStringList& arList, const QString& strExtension,
                     bool bAllFormats = false);

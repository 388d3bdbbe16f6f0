#pragma once

#include <QString>
#include <QStringList>

// Which library reads a picture format.
enum class EPictureDecoder {
    None,     // not a picture format Orvala lists
    Raster,   // QImageReader, with Qt's image plugins
    Metafile, // our WMF and EMF player
    Heif,     // libheif
    CameraRaw // LibRaw, for the camera's embedded preview
};

// The decoder for a file extension (without its dot, any letter case); None
// for one Orvala does not list.
EPictureDecoder DecoderForExtension(const QString& strExtension);

// Whether a folder lists files with this extension: the seven classic
// extensions always, every other known one only with All Picture Formats.
bool IsListedExtension(const QString& strExtension, bool bAllFormats);

// The listed extensions in lower case, classic ones first.
QStringList PictureExtensions(bool bAllFormats);

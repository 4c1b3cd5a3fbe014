#pragma once
// A picture file a user chose or one stored for a user: only a regular file
// is read (a named pipe would hold the window forever), never more than
// kLargestPictureFile bytes, and its format is decided from the content.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstddef>

namespace tempovia {

inline constexpr std::size_t kLargestPictureFile = 64u * 1024u * 1024u;

struct PictureFile {
  QImage image;       // null when the file is not a picture that can be read
  QByteArray format;  // as the content says ("jpeg", "png", ...); empty when unknown
  QString error;      // why nothing was read; empty when the file was read
};

PictureFile ReadPictureFile(const QString& path);

}  // namespace tempovia

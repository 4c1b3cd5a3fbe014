#include "widgets/PictureFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <vector>

#include "base/RegularFile.h"

namespace tempovia {

PictureFile ReadPictureFile(const QString& path) {
  PictureFile picture;
  std::vector<std::uint8_t> bytes;
  if (const Status read = ReadRegularFile(QFile::encodeName(path).toStdString(), kLargestPictureFile, bytes); !read) {
    picture.error = QString::fromStdString(read.message());
    return picture;
  }
  if (bytes.size() > kLargestPictureFile) {
    picture.error = path + QStringLiteral(": larger than %1 MB").arg(kLargestPictureFile / (1024 * 1024));
    return picture;
  }
  QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(true);  // photos from phones carry their orientation
  // The format must be asked before reading: afterwards the reader has none.
  picture.format = reader.format();
  picture.image = reader.read();
  return picture;
}

}  // namespace tempovia

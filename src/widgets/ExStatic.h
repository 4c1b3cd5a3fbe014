#pragma once
// A picture box: shows an image file or a built-in picture, unscaled and
// centred when it is smaller than the box, else scaled to fit, on a grey fill.

#include <QImage>
#include <QString>
#include <QWidget>

#include "Artwork.h"

namespace tempovia {

class CExStatic : public QWidget {
 public:
  explicit CExStatic(QWidget* parent = nullptr);

  // Loads a picture file, its format decided from the content (a JPEG named
  // .png still loads). False, and an empty box, when it cannot be read.
  bool LoadFromFile(const QString& path);
  bool LoadPicture(Picture picture);
  void Clear();

  const QImage& Image() const { return m_image; }
  // Where the picture is drawn inside the box; empty for no picture.
  QRect PictureRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage m_image;
};

}  // namespace tempovia

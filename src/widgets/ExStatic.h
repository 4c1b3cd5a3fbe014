#pragma once
// A picture box: shows an image file or a built-in picture, unscaled and
// centred when it is smaller than the box, else scaled to fit, on a grey fill.
//
// Placement is always worked out in logical pixels (a photo's own pixels count
// as logical ones). Built-in pictures are drawn at the box's device pixel
// ratio, so on a high-resolution screen they are as sharp as the screen.

#include <QImage>
#include <QString>
#include <QWidget>
#include <optional>

#include "widgets/Artwork.h"

namespace tempovia {

class CExStatic : public QWidget {
 public:
  explicit CExStatic(QWidget* parent = nullptr);

  // Loads a picture file, its format decided from the content (a JPEG named
  // .png still loads). False, and an empty box, when it cannot be read (also
  // anything but a regular file, and a file too large for a photo).
  bool LoadFromFile(const QString& path);
  bool LoadPicture(Picture picture);
  // Shows a picture already read.
  void SetImage(const QImage& image);
  void Clear();

  // What the box draws: the photo, or the built-in picture at the box's
  // current device pixel ratio; null for no picture.
  const QImage& Image() const;
  // Where the picture is drawn inside the box; empty for no picture.
  QRect PictureRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QSize LogicalSize() const;

  QImage m_photo;
  std::optional<Picture> m_picture;
};

}  // namespace tempovia

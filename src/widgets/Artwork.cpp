#include "Artwork.h"

#include <QPainter>
#include <map>

#include "ArtKit.h"
#include "Fonts.h"

namespace tempovia {

bool IsPicture(int number) {
  for (Picture picture : kAllPictures) {
    if (static_cast<int>(picture) == number) return true;
  }
  return false;
}

const QImage& BuiltInPicture(Picture picture) {
  static std::map<Picture, QImage> cache;
  auto found = cache.find(picture);
  if (found != cache.end()) return found->second;
  // The pictures name Arial and Tahoma; make sure they resolve to the stand-ins.
  InstallFontSubstitutes();
  QImage image;
  switch (picture) {
    case Picture::AppIcon:
      image = art::DrawAppIcon(256);
      break;
    case Picture::CalendarDay:
      image = art::DrawCalendarDay(false);
      break;
    case Picture::CalendarDayMask:
      image = art::DrawCalendarDay(true);
      break;
    case Picture::YearPrevious:
      image = art::DrawYearArrow(false);
      break;
    case Picture::YearNext:
      image = art::DrawYearArrow(true);
      break;
    case Picture::SkinCalories:
      image = art::DrawMainSkin(ChartKind::Calories);
      break;
    case Picture::SkinDistance:
      image = art::DrawMainSkin(ChartKind::Distance);
      break;
    case Picture::SkinHeartRate:
      image = art::DrawMainSkin(ChartKind::HeartRate);
      break;
    case Picture::SkinSteps:
      image = art::DrawMainSkin(ChartKind::Steps);
      break;
    case Picture::PhotoPlaceholder:
      image = art::DrawPhotoPlaceholder();
      break;
    case Picture::SkinExercise:
      image = art::DrawMainSkin(ChartKind::ExerciseWalking);
      break;
    case Picture::LoginBackground:
      image = art::DrawLoginBackground();
      break;
  }
  return cache.emplace(picture, std::move(image)).first->second;
}

Picture SkinPicture(ChartKind kind) {
  switch (kind) {
    case ChartKind::Steps:
      return Picture::SkinSteps;
    case ChartKind::Calories:
      return Picture::SkinCalories;
    case ChartKind::HeartRate:
      return Picture::SkinHeartRate;
    case ChartKind::Distance:
      return Picture::SkinDistance;
    case ChartKind::ExerciseWalking:
      return Picture::SkinExercise;
  }
  return Picture::SkinSteps;
}

const char* PictureName(Picture picture) {
  switch (picture) {
    case Picture::AppIcon:
      return "icon";
    case Picture::CalendarDay:
      return "calendar-day";
    case Picture::CalendarDayMask:
      return "calendar-day-mask";
    case Picture::YearPrevious:
      return "year-previous";
    case Picture::YearNext:
      return "year-next";
    case Picture::SkinCalories:
      return "skin-calories";
    case Picture::SkinDistance:
      return "skin-distance";
    case Picture::SkinHeartRate:
      return "skin-heart-rate";
    case Picture::SkinSteps:
      return "skin-steps";
    case Picture::PhotoPlaceholder:
      return "photo-placeholder";
    case Picture::SkinExercise:
      return "skin-exercise";
    case Picture::LoginBackground:
      return "login";
  }
  return "picture";
}

QIcon AppIcon() {
  static const QIcon icon = [] {
    QIcon built;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) built.addPixmap(QPixmap::fromImage(art::DrawAppIcon(size)));
    return built;
  }();
  return icon;
}

const std::vector<QImage>& ProgressFrames() {
  static const std::vector<QImage> frames = art::DrawProgressFrames();
  return frames;
}

QImage ComposeMasked(const QImage& picture, const QImage& mask) {
  QImage result = picture.convertToFormat(QImage::Format_ARGB32);
  const QImage gray = mask.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < result.height() && y < gray.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
    const auto* maskLine = reinterpret_cast<const QRgb*>(gray.constScanLine(y));
    for (int x = 0; x < result.width() && x < gray.width(); ++x) {
      // White in the mask keeps the background: fully transparent.
      const int alpha = 255 - qGray(maskLine[x]);
      line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), alpha);
    }
  }
  return result;
}

}  // namespace tempovia

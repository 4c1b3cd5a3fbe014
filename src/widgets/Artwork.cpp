#include "Artwork.h"

#include <QPainter>
#include <map>

#include "ArtKit.h"
#include "Fonts.h"

namespace tempovia {

namespace {

struct PictureEntry {
  Picture picture;
  const char* name;
  QImage (*draw)();
};

// Every built-in picture: its number, its file name and how it is drawn.
const PictureEntry kPictures[] = {
    {Picture::AppIcon, "icon", [] { return art::DrawAppIcon(256); }},
    {Picture::CalendarDay, "calendar-day", [] { return art::DrawCalendarDay(false); }},
    {Picture::CalendarDayMask, "calendar-day-mask", [] { return art::DrawCalendarDay(true); }},
    {Picture::YearPrevious, "year-previous", [] { return art::DrawYearArrow(false); }},
    {Picture::YearNext, "year-next", [] { return art::DrawYearArrow(true); }},
    {Picture::SkinCalories, "skin-calories", [] { return art::DrawMainSkin(ChartKind::Calories); }},
    {Picture::SkinDistance, "skin-distance", [] { return art::DrawMainSkin(ChartKind::Distance); }},
    {Picture::SkinHeartRate, "skin-heart-rate", [] { return art::DrawMainSkin(ChartKind::HeartRate); }},
    {Picture::SkinSteps, "skin-steps", [] { return art::DrawMainSkin(ChartKind::Steps); }},
    {Picture::PhotoPlaceholder, "photo-placeholder", [] { return art::DrawPhotoPlaceholder(); }},
    {Picture::SkinExercise, "skin-exercise", [] { return art::DrawMainSkin(ChartKind::ExerciseWalking); }},
    {Picture::LoginBackground, "login", [] { return art::DrawLoginBackground(); }},
};

const PictureEntry* Find(int number) {
  for (const PictureEntry& entry : kPictures) {
    if (static_cast<int>(entry.picture) == number) return &entry;
  }
  return nullptr;
}

// The skins in the order of the chart kinds.
constexpr Picture kSkins[] = {Picture::SkinSteps, Picture::SkinCalories, Picture::SkinHeartRate, Picture::SkinDistance,
                              Picture::SkinExercise};

}  // namespace

bool IsPicture(int number) {
  return Find(number) != nullptr;
}

const QImage& BuiltInPicture(Picture picture) {
  static std::map<Picture, QImage> cache;
  auto found = cache.find(picture);
  if (found != cache.end()) return found->second;
  // The pictures name Arial and Tahoma; make sure they resolve to the stand-ins.
  InstallFontSubstitutes();
  const PictureEntry* entry = Find(static_cast<int>(picture));
  return cache.emplace(picture, entry != nullptr ? entry->draw() : QImage()).first->second;
}

Picture SkinPicture(ChartKind kind) {
  return kSkins[static_cast<int>(kind)];
}

const char* PictureName(Picture picture) {
  const PictureEntry* entry = Find(static_cast<int>(picture));
  return entry != nullptr ? entry->name : "picture";
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

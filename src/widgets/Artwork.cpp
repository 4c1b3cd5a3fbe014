#include "widgets/Artwork.h"

#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "widgets/ArtKit.h"
#include "widgets/Fonts.h"

namespace tempovia {

namespace {

struct PictureEntry {
  Picture picture;
  const char* name;
  QSize size;  // logical pixels
  QImage (*draw)(qreal ratio);
};

QImage DrawIcon(qreal ratio) {
  // The icon is drawn for a pixel size, so ask for the size the ratio needs.
  QImage icon = art::DrawAppIcon(qCeil(256 * ratio));
  icon.setDevicePixelRatio(ratio);
  return icon;
}

// Every built-in picture: its number, its file name, its size and how it is drawn.
const PictureEntry kPictures[] = {
    {Picture::AppIcon, "icon", {256, 256}, DrawIcon},
    {Picture::CalendarDay,
     "calendar-day",
     {kDayPictureWidth, kDayPictureHeight},
     [](qreal r) { return art::DrawCalendarDay(false, r); }},
    {Picture::CalendarDayMask,
     "calendar-day-mask",
     {kDayPictureWidth, kDayPictureHeight},
     [](qreal r) { return art::DrawCalendarDay(true, r); }},
    {Picture::YearPrevious,
     "year-previous",
     {kYearArrowWidth, kYearArrowHeight},
     [](qreal r) { return art::DrawYearArrow(false, r); }},
    {Picture::YearNext,
     "year-next",
     {kYearArrowWidth, kYearArrowHeight},
     [](qreal r) { return art::DrawYearArrow(true, r); }},
    {Picture::SkinCalories,
     "skin-calories",
     {kMainWidth, kMainHeight},
     [](qreal r) { return art::DrawMainSkin(ChartKind::Calories, r); }},
    {Picture::SkinDistance,
     "skin-distance",
     {kMainWidth, kMainHeight},
     [](qreal r) { return art::DrawMainSkin(ChartKind::Distance, r); }},
    {Picture::SkinHeartRate,
     "skin-heart-rate",
     {kMainWidth, kMainHeight},
     [](qreal r) { return art::DrawMainSkin(ChartKind::HeartRate, r); }},
    {Picture::SkinSteps,
     "skin-steps",
     {kMainWidth, kMainHeight},
     [](qreal r) { return art::DrawMainSkin(ChartKind::Steps, r); }},
    {Picture::PhotoPlaceholder,
     "photo-placeholder",
     {kPhotoPlaceholderWidth, kPhotoPlaceholderHeight},
     [](qreal r) { return art::DrawPhotoPlaceholder(r); }},
    {Picture::SkinExercise,
     "skin-exercise",
     {kMainWidth, kMainHeight},
     [](qreal r) { return art::DrawMainSkin(ChartKind::ExerciseWalking, r); }},
    {Picture::LoginBackground,
     "login",
     {kLoginWidth, kLoginHeight},
     [](qreal r) { return art::DrawLoginBackground(r); }},
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

// Screens report ratios such as 1, 1.25, 1.5 and 2; a nonsensical one draws at
// 1, and the cap keeps a bogus huge ratio from asking for gigabytes.
constexpr qreal kMaxRatio = 4;

qreal UsableRatio(qreal ratio) {
  if (!std::isfinite(ratio) || ratio <= 0) return 1;
  return std::min(ratio, kMaxRatio);
}

// Ratios that differ only by rounding noise share their pictures.
int RatioKey(qreal ratio) {
  return qRound(ratio * 1000);
}

}  // namespace

bool IsPicture(int number) {
  return Find(number) != nullptr;
}

const QImage& BuiltInPicture(Picture picture, qreal ratio) {
  static std::map<std::pair<Picture, int>, QImage> cache;
  ratio = UsableRatio(ratio);
  const auto key = std::pair(picture, RatioKey(ratio));
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  // The pictures name Arial and Tahoma; make sure they resolve to the stand-ins.
  InstallFontSubstitutes();
  const PictureEntry* entry = Find(static_cast<int>(picture));
  return cache.emplace(key, entry != nullptr ? entry->draw(ratio) : QImage()).first->second;
}

QSize PictureSize(Picture picture) {
  const PictureEntry* entry = Find(static_cast<int>(picture));
  return entry != nullptr ? entry->size : QSize();
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

const std::vector<QImage>& ProgressFrames(qreal ratio) {
  static std::map<int, std::vector<QImage>> cache;
  ratio = UsableRatio(ratio);
  auto found = cache.find(RatioKey(ratio));
  if (found != cache.end()) return found->second;
  return cache.emplace(RatioKey(ratio), art::DrawProgressFrames(ratio)).first->second;
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

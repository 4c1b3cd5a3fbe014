#pragma once
// The program's pictures: the five main-window skins, the login background,
// the photo placeholder, the calendar's day picture and mask, the year arrows,
// the application icon and the progress animation.
//
// They are drawn with QPainter from the rectangle tables of SkinLayout.h on
// first use and kept for the rest of the run. Drawing them (rather than
// shipping bitmaps) means a button can never be out of step with the area that
// answers to it, and the pictures stay sharp and cheap to change: on a screen
// with a device pixel ratio above 1 they are drawn again at that ratio instead
// of being scaled up.

#include <QIcon>
#include <QImage>
#include <QSize>
#include <vector>

#include "skin/ChartKind.h"

namespace tempovia {

// Built-in pictures, numbered as the windows refer to them.
enum class Picture : int {
  AppIcon = 130,
  CalendarDay = 153,      // drawn in calendar days that hold steps, over its mask
  CalendarDayMask = 154,  // white where the day shows through, black under the picture
  YearPrevious = 155,
  YearNext = 156,
  SkinCalories = 166,
  SkinDistance = 167,
  SkinHeartRate = 168,
  SkinSteps = 169,
  PhotoPlaceholder = 178,
  SkinExercise = 180,
  LoginBackground = 1024,
};

inline constexpr Picture kAllPictures[] = {
    Picture::AppIcon,   Picture::CalendarDay,      Picture::CalendarDayMask, Picture::YearPrevious,
    Picture::YearNext,  Picture::SkinCalories,     Picture::SkinDistance,    Picture::SkinHeartRate,
    Picture::SkinSteps, Picture::PhotoPlaceholder, Picture::SkinExercise,    Picture::LoginBackground,
};

// The picture for a number, or nothing for a number that names none.
bool IsPicture(int number);

// The picture drawn at a device pixel ratio: PictureSize() times the ratio in
// pixels, with the ratio set on the image, so a painter places it by its
// logical size. Drawn on first use at each ratio, then cached for the run
// (user-interface thread only). Widgets pass their devicePixelRatioF().
const QImage& BuiltInPicture(Picture picture, qreal ratio = 1);
// The size in logical pixels, the same at every ratio (empty for no picture).
QSize PictureSize(Picture picture);

// The main-window background of a chart kind.
Picture SkinPicture(ChartKind kind);
// A short name for file names ("skin-steps", "calendar-day-mask", ...).
const char* PictureName(Picture picture);

// The application icon in every size the desktop asks for.
QIcon AppIcon();

// The frames of the animation the progress dialog plays while the watch
// talks, one after the other, repeating.
const std::vector<QImage>& ProgressFrames(qreal ratio = 1);
constexpr int kProgressFrameMs = 90;

// A picture with transparency taken from a mask drawn the calendar's way
// (white where the background shows through).
QImage ComposeMasked(const QImage& picture, const QImage& mask);

}  // namespace tempovia

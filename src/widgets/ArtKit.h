#pragma once
// Drawing helpers and the painters of the built-in pictures (see Artwork.h).
// Internal to the widgets library.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <vector>

#include "skin/ChartKind.h"
#include "skin/SkinLayout.h"
#include "widgets/QtColour.h"

namespace tempovia::art {

// The house colours of the skins.
inline const QColor kInk(28, 43, 61);        // headers, dark text
inline const QColor kInkSoft(92, 108, 128);  // captions
inline const QColor kPage(233, 237, 242);    // window background
inline const QColor kCard(255, 255, 255);
inline const QColor kCardBorder(208, 215, 224);
inline const QColor kLowerPanel(149, 149, 149);  // the chart's own background

// t = 0 gives a, t = 1 gives b.
QColor Mix(const QColor& a, const QColor& b, double t);

// Canvases of a logical size at a device pixel ratio: painters on them work in
// the logical coordinates of the rectangle tables, whatever the ratio.
QImage NewCanvas(int width, int height, const QColor& fill, qreal ratio);
QImage NewTransparent(int width, int height, qreal ratio);
void Prepare(QPainter& painter);

// The rectangle's pixels shrunk by the inset on every side, so antialiased
// edges stay inside the rectangle.
QRectF Inside(const HitRect& rect, double inset = 1);
QRectF ToRectF(const Box& box);

void RoundedFill(QPainter& painter, const QRectF& rect, double radius, const QBrush& brush,
                 const QPen& pen = Qt::NoPen);
void DrawTextIn(QPainter& painter, const QRectF& rect, int flags, const QString& text, const QFont& font,
                const QColor& colour);
// A card: white, rounded, with a hairline border drawn inside the rectangle.
void DrawCard(QPainter& painter, const QRectF& rect);

enum class Glyph { None, Upload, Print, Calendar, Export, Import, Setup, Exit, Left, Right, Up, Down };

struct ButtonLook {
  QColor top;
  QColor bottom;
  QColor border;
  QColor text;
};
extern const ButtonLook kDarkButton;   // on light backgrounds and the grey panel
extern const ButtonLook kLightButton;  // secondary actions on cards
extern const ButtonLook kAccentButton;

void DrawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& colour);
// A rounded button drawn strictly inside its hit rectangle, with an optional
// glyph before the text (or the glyph alone when the text is empty).
void DrawButton(QPainter& painter, const HitRect& rect, const QString& text, const ButtonLook& look,
                Glyph glyph = Glyph::None, int fontPixels = 12);

// The sports picture of a chart kind in white, fitted into the box.
void DrawMotif(QPainter& painter, ChartKind kind, const QRectF& box, const QColor& ink, const QColor& accent);
// A shoe print in a 40 by 100 box (forefoot on top).
QPainterPath ShoePrintPath();

QImage DrawMainSkin(ChartKind kind, qreal ratio);
QImage DrawLoginBackground(qreal ratio);
QImage DrawPhotoPlaceholder(qreal ratio);
QImage DrawCalendarDay(bool mask, qreal ratio);
QImage DrawYearArrow(bool next, qreal ratio);
QImage DrawAppIcon(int size);
std::vector<QImage> DrawProgressFrames(qreal ratio);

}  // namespace tempovia::art

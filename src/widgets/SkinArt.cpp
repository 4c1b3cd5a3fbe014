// The main window's five backgrounds, one per chart kind. Everything a user
// can click is drawn from the hit rectangles of SkinLayout.h, strictly inside
// them; everything a label covers is drawn in the label's own colour.
#include <QLinearGradient>
#include <QRadialGradient>

#include "widgets/ArtKit.h"
#include "widgets/Fonts.h"

namespace tempovia::art {
namespace {

constexpr int kHeaderHeight = 56;
constexpr int kLowerTop = 400;

QFont Ui(int pixels, bool bold = true) {
  return PixelFont(QStringLiteral("Tahoma"), pixels, bold);
}

void DrawHeader(QPainter& painter) {
  QLinearGradient band(0, 0, kMainWidth, 0);
  band.setColorAt(0, QColor(22, 35, 52));
  band.setColorAt(1, QColor(40, 60, 84));
  painter.fillRect(QRectF(0, 0, kMainWidth, kHeaderHeight), band);
  DrawTextIn(painter, QRectF(48, 8, 240, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tempovia"),
             PixelFont(QStringLiteral("Arial"), 28, true), Qt::white);
  DrawTextIn(painter, QRectF(196, 8, 400, 40), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Steps \u00b7 Heart rate \u00b7 Exercise"), Ui(13, false), QColor(168, 186, 208));
  // The five measure colours as a small signature on the right.
  const Rgb colours[] = {kStepsColour, kDistanceColour, kCaloriesColour, kHeartRateColour, kExerciseColour};
  for (int i = 0; i < 5; ++i) {
    RoundedFill(painter, QRectF(834 + i * 24, 25, 20, 6), 3, ToQColor(colours[i]));
  }
}

void DrawToolbar(QPainter& painter) {
  const struct {
    int area;
    Glyph glyph;
  } buttons[] = {{kAreaUpload, Glyph::Upload}, {kAreaPrint, Glyph::Print},   {kAreaCalendar, Glyph::Calendar},
                 {kAreaExport, Glyph::Export}, {kAreaImport, Glyph::Import}, {kAreaSetup, Glyph::Setup},
                 {kAreaExit, Glyph::Exit}};
  for (const auto& button : buttons) {
    DrawButton(painter, kMainAreas[button.area], QString::fromLatin1(kMainButtonTexts[button.area]), kDarkButton,
               button.glyph, 12);
  }
}

void DrawSummaryCard(QPainter& painter) {
  DrawCard(painter, QRectF(20, 124, 449, 268));
  // The date row: black, as its label.
  const SummaryRow& date = kSummaryRows[0];
  RoundedFill(painter, QRectF(33, date.label.y - 1, 423, date.label.height + 2), 3, ToQColor(date.background));
  DrawTextIn(painter, QRectF(43, date.label.y - 1, 250, date.label.height + 2), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromLatin1(date.caption), Ui(12), Qt::white);
  // The five measure rows, each its hit area, coloured like its label.
  for (std::size_t i = 1; i < kSummaryRows.size(); ++i) {
    const SummaryRow& row = kSummaryRows[i];
    const QRectF face = Inside(kMainAreas[row.area], 1);
    const QColor colour = ToQColor(row.background);
    // Flat, so the row and its value label read as one strip.
    RoundedFill(painter, face, 3, colour);
    const QRectF text(face.left() + 10, face.top(), 250, face.height());
    const QString caption = QString::fromLatin1(row.caption);
    DrawTextIn(painter, text.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, caption, Ui(12),
               Mix(colour, Qt::black, 0.35));
    DrawTextIn(painter, text, Qt::AlignLeft | Qt::AlignVCenter, caption, Ui(12), Qt::white);
  }
  // BMI, fat burnt and average speed: the gap between caption and value
  // labels takes the row's colour so each row reads as one strip.
  for (const InfoRow& row : kInfoRows) {
    painter.fillRect(
        QRectF(row.captionBox.x, row.captionBox.y, row.valueBox.Right() - row.captionBox.x, row.captionBox.height),
        ToQColor(row.background));
  }
  DrawTextIn(painter, QRectF(kDayNoteBox.x, kDayNoteBox.y - 19, kDayNoteBox.width, 16),
             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("DAY NOTE"), Ui(10), kInkSoft);
  painter.save();
  painter.setPen(QPen(kCardBorder, 1));
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(kDayNoteBox.x - 0.5, kDayNoteBox.y - 0.5, kDayNoteBox.width + 1, kDayNoteBox.height + 1));
  painter.restore();
}

void DrawUserCard(QPainter& painter) {
  DrawCard(painter, QRectF(484, 124, 348, 268));
  DrawTextIn(painter, QRectF(kPhotoBox.x, 129, 200, 16), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("USER PROFILE"), Ui(10), kInkSoft);
  painter.save();
  painter.setPen(QPen(kCardBorder, 1));
  painter.setBrush(QColor(192, 192, 192));
  painter.drawRect(QRectF(kPhotoBox.x - 0.5, kPhotoBox.y - 0.5, kPhotoBox.width + 1, kPhotoBox.height + 1));
  painter.setPen(QPen(QColor(232, 236, 241), 1));
  painter.drawLine(QPointF(498, 337.5), QPointF(818, 337.5));
  painter.restore();
  for (int area : {kAreaHelp, kAreaLogout, kAreaEdit}) {
    DrawButton(painter, kMainAreas[area], QString::fromLatin1(kMainButtonTexts[area]), kLightButton, Glyph::None, 11);
  }
}

void DrawMotifCard(QPainter& painter, ChartKind kind) {
  const QRectF card(846, 124, 144, 268);
  const QColor colour = ToQColor(MeasureColour(kind));
  QLinearGradient gradient(card.topLeft(), card.bottomRight());
  gradient.setColorAt(0, Mix(colour, Qt::white, 0.12));
  gradient.setColorAt(1, Mix(colour, kInk, 0.38));
  QPainterPath shape;
  shape.addRoundedRect(card, 8, 8);
  painter.save();
  painter.setClipPath(shape);
  painter.fillRect(card, gradient);
  // Soft rings behind the picture, like a light source.
  for (const auto& [x, y, r, a] : {std::tuple{960.0, 170.0, 90.0, 0.10}, std::tuple{870.0, 330.0, 70.0, 0.08},
                                   std::tuple{918.0, 240.0, 56.0, 0.10}}) {
    QColor white(255, 255, 255);
    white.setAlphaF(a);
    painter.setPen(Qt::NoPen);
    painter.setBrush(white);
    painter.drawEllipse(QPointF(x, y), r, r);
  }
  painter.restore();
  const QRectF picture(860, 150, 116, 150);
  // A soft shadow keeps white shapes readable on the light colours.
  QColor shadow = Mix(colour, kInk, 0.6);
  shadow.setAlphaF(0.35);
  DrawMotif(painter, kind, picture.translated(2, 3), shadow, shadow);
  DrawMotif(painter, kind, picture, Qt::white, Mix(colour, kInk, 0.15));
  DrawTextIn(painter, QRectF(card.left(), 322, card.width(), 22).translated(1, 1), Qt::AlignCenter,
             QString::fromLatin1(InfoOf(kind).caption), Ui(14), shadow);
  DrawTextIn(painter, QRectF(card.left(), 322, card.width(), 22), Qt::AlignCenter,
             QString::fromLatin1(InfoOf(kind).caption), Ui(14), Qt::white);
  RoundedFill(painter, QRectF(card.center().x() - 18, 350, 36, 3), 1.5, QColor(255, 255, 255, 170));
}

void DrawLowerPanel(QPainter& painter) {
  painter.fillRect(QRectF(0, kLowerTop, kMainWidth, kMainHeight - kLowerTop), kLowerPanel);
  painter.fillRect(QRectF(0, kLowerTop, kMainWidth, 1), QColor(128, 128, 128));
  painter.fillRect(QRectF(0, kLowerTop + 1, kMainWidth, 1), QColor(166, 166, 166));
}

void DrawPeriodButtons(QPainter& painter) {
  for (int i = 0; i < 3; ++i) {
    DrawButton(painter, kMainAreas[kAreaWeekly + i], QString::fromLatin1(kPeriodButtonTexts[i]), kDarkButton,
               Glyph::None, 11);
  }
  DrawButton(painter, kMainAreas[kAreaPreviousPeriod], QString(), kDarkButton, Glyph::Left);
  DrawButton(painter, kMainAreas[kAreaNextPeriod], QString(), kDarkButton, Glyph::Right);
}

void DrawExerciseTable(QPainter& painter) {
  const double left = 18;
  const double right = 947;
  const double top = 409;
  const double headingBottom = 453;
  const double bottom = kExerciseRowTops.back() + kExerciseCellHeight + 6;
  DrawCard(painter, QRectF(left, top, right - left, bottom - top));
  QPainterPath heading;
  heading.addRoundedRect(QRectF(left, top, right - left, headingBottom - top + 8), 8, 8);
  painter.save();
  painter.setClipRect(QRectF(left, top, right - left, headingBottom - top));
  painter.fillPath(heading, QColor(40, 57, 76));
  painter.restore();

  const QFont font = Ui(10);
  for (int c = 0; c < kExerciseColumns; ++c) {
    const Box cell = ExerciseCellBox(0, c);
    DrawTextIn(painter, QRectF(cell.x, top + 2, cell.width, headingBottom - top - 4),
               Qt::AlignCenter | Qt::TextWordWrap, QString::fromLatin1(kExerciseHeadings[c]), font, Qt::white);
  }
  // Hairlines in the gaps between the cells.
  painter.save();
  for (int c = 1; c < kExerciseColumns; ++c) {
    const double x = std::floor((ExerciseCellBox(0, c - 1).Right() + kExerciseColumnLefts[c]) / 2.0) + 0.5;
    painter.setPen(QPen(QColor(74, 92, 112), 1));
    painter.drawLine(QPointF(x, top + 8), QPointF(x, headingBottom - 8));
    painter.setPen(QPen(QColor(226, 231, 237), 1));
    painter.drawLine(QPointF(x, headingBottom + 2), QPointF(x, bottom - 4));
  }
  for (int r = 1; r < kExerciseRows; ++r) {
    const double y = std::floor((kExerciseRowTops[r - 1] + kExerciseCellHeight + kExerciseRowTops[r]) / 2.0) + 0.5;
    painter.drawLine(QPointF(left + 4, y), QPointF(right - 4, y));
  }
  painter.restore();
  DrawButton(painter, kMainAreas[kAreaTableUp], QString(), kDarkButton, Glyph::Up);
  DrawButton(painter, kMainAreas[kAreaTableDown], QString(), kDarkButton, Glyph::Down);
}

}  // namespace

QImage DrawMainSkin(ChartKind kind, qreal ratio) {
  QImage image = NewCanvas(kMainWidth, kMainHeight, kPage, ratio);
  QPainter painter(&image);
  Prepare(painter);
  DrawHeader(painter);
  DrawToolbar(painter);
  DrawSummaryCard(painter);
  DrawUserCard(painter);
  DrawMotifCard(painter, kind);
  DrawLowerPanel(painter);
  if (kind == ChartKind::ExerciseWalking) {
    DrawExerciseTable(painter);
  } else {
    DrawPeriodButtons(painter);
  }
  return image;
}

}  // namespace tempovia::art

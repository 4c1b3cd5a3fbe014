#include "charts/widgets/ChartPlanPainter.h"

#include <QPainter>

#include "widgets/Fonts.h"
#include "widgets/QtColour.h"

namespace tempovia {
namespace {

int AlignmentFlags(const ChartText& text) {
  int flags = Qt::TextSingleLine | Qt::TextDontClip;
  switch (text.align) {
    case TextAlign::Left:
      flags |= Qt::AlignLeft;
      break;
    case TextAlign::Centre:
      flags |= Qt::AlignHCenter;
      break;
    case TextAlign::Right:
      flags |= Qt::AlignRight;
      break;
  }
  flags |= text.verticalCentre ? Qt::AlignVCenter : Qt::AlignTop;
  return flags;
}

}  // namespace

QFont ChartFontFor(ChartFont font) {
  switch (font) {
    case ChartFont::Default:
      return PixelFont(QStringLiteral("Tahoma"), 12, true);
    case ChartFont::Label:
      return PixelFont(QStringLiteral("Tahoma"), 10);
  }
  return PixelFont(QStringLiteral("Tahoma"), 12, true);
}

void PaintChartPlan(QPainter& painter, const ChartPlan& plan) {
  // Fills are whole pixels: no antialiasing, so every bar column is exact.
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  const QFont defaultFont = ChartFontFor(ChartFont::Default);
  const QFont labelFont = ChartFontFor(ChartFont::Label);
  for (const ChartOp& op : plan) {
    if (const auto* fill = std::get_if<ChartFill>(&op)) {
      painter.fillRect(QRect(fill->box.x, fill->box.y, fill->box.width, fill->box.height), ToQColor(fill->colour));
      continue;
    }
    const auto& text = std::get<ChartText>(op);
    painter.setFont(text.font == ChartFont::Label ? labelFont : defaultFont);
    painter.setPen(ToQColor(text.colour));
    painter.drawText(QRect(text.box.x, text.box.y, text.box.width, text.box.height), AlignmentFlags(text),
                     QString::fromStdString(text.text));
  }
}

}  // namespace tempovia

#include "widgets/Label.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QStyle>

#include "widgets/Fonts.h"
#include "widgets/QtColour.h"

namespace tempovia {
namespace {

int g_liveBrushes = 0;

// The dialogs' default GUI font: 11-pixel Tahoma.
constexpr int kDefaultPixels = 11;

}  // namespace

// One solid background brush; replaced, never added to, when the colour changes.
class CLabel::BackgroundBrush {
 public:
  explicit BackgroundBrush(const QColor& colour) : m_brush(colour, Qt::SolidPattern) { ++g_liveBrushes; }
  ~BackgroundBrush() { --g_liveBrushes; }
  BackgroundBrush(const BackgroundBrush&) = delete;
  BackgroundBrush& operator=(const BackgroundBrush&) = delete;

  const QBrush& Brush() const { return m_brush; }

 private:
  QBrush m_brush;
};

CLabel::CLabel(QWidget* parent) : CLabel(QString(), parent) {}

CLabel::CLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent),
      m_textColour(ToRgb(QApplication::palette().color(QPalette::WindowText))),
      m_background(std::make_unique<BackgroundBrush>(QApplication::palette().color(QPalette::Button))),
      m_font(PixelFont(QStringLiteral("Tahoma"), kDefaultPixels)) {
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setAttribute(Qt::WA_OpaquePaintEvent);
  ApplyFont();
  SetTextColor(m_textColour);
}

CLabel::~CLabel() = default;

void CLabel::SetTextColor(Rgb colour) {
  m_textColour = colour;
  QPalette p = palette();
  p.setColor(QPalette::WindowText, ToQColor(colour));
  setPalette(p);
  update();
}

void CLabel::SetBkColor(Rgb colour) {
  m_background = std::make_unique<BackgroundBrush>(ToQColor(colour));
  update();
}

Rgb CLabel::BkColor() const {
  return ToRgb(m_background->Brush().color());
}

void CLabel::SetFontBold(bool bold) {
  m_font.setWeight(bold ? QFont::Bold : QFont::Normal);
  ApplyFont();
}

void CLabel::SetFontSize(int pixels) {
  m_font.setPixelSize(pixels > 0 ? pixels : kDefaultPixels);
  ApplyFont();
}

void CLabel::SetFontName(const QString& name) {
  m_font.setFamily(name);
  ApplyFont();
}

void CLabel::SetText(const QString& text) {
  setText(text);
}

void CLabel::SetPicture(std::optional<Picture> picture) {
  m_picture = picture;
  update();
}

int CLabel::LiveBackgroundBrushes() {
  return g_liveBrushes;
}

void CLabel::ApplyFont() {
  setFont(m_font);
  update();
}

void CLabel::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    painter.fillRect(rect(), m_background->Brush());
    if (m_picture) {
      const QRect place = QStyle::alignedRect(layoutDirection(), alignment(), PictureSize(*m_picture), contentsRect());
      painter.drawImage(place.topLeft(), BuiltInPicture(*m_picture, devicePixelRatioF()));
      return;
    }
  }
  QLabel::paintEvent(event);
}

}  // namespace tempovia

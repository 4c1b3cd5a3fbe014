// The login dialog's background: a dark hero on the left, the sign-in panel on
// the right with its buttons drawn inside their hot rectangles.
#include <QLinearGradient>

#include "widgets/ArtKit.h"
#include "widgets/Fonts.h"

namespace tempovia::art {
namespace {

constexpr int kPanelLeft = 770;
const QColor kPanel(244, 246, 249);
const QColor kFieldFrame(176, 188, 204);

QFont Ui(int pixels, bool bold = true) {
  return PixelFont(QStringLiteral("Tahoma"), pixels, bold);
}

void DrawHero(QPainter& painter) {
  const QRectF hero(0, 0, kPanelLeft, kLoginHeight);
  QLinearGradient gradient(hero.topLeft(), hero.bottomRight());
  gradient.setColorAt(0, QColor(20, 32, 48));
  gradient.setColorAt(1, QColor(44, 68, 96));
  painter.fillRect(hero, gradient);

  // Activity rings in the five measure colours, a track under each.
  const Rgb colours[] = {kStepsColour, kDistanceColour, kCaloriesColour, kHeartRateColour, kExerciseColour};
  const double sweeps[] = {300, 250, 210, 280, 160};
  const QPointF centre(590, 214);
  for (int i = 0; i < 5; ++i) {
    const double radius = 150 - i * 24;
    const QRectF ring(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QColor track = ToQColor(colours[i]);
    track.setAlphaF(0.16);
    painter.setPen(QPen(track, 16, Qt::SolidLine, Qt::FlatCap));
    painter.drawEllipse(ring);
    painter.setPen(QPen(ToQColor(colours[i]), 16, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(ring, 90 * 16, static_cast<int>(-sweeps[i] * 16));
  }
  DrawMotif(painter, ChartKind::ExerciseWalking, QRectF(centre.x() - 26, centre.y() - 26, 52, 52), Qt::white,
            Qt::white);

  DrawTextIn(painter, QRectF(56, 96, 420, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tempovia"),
             PixelFont(QStringLiteral("Arial"), 56, true), Qt::white);
  DrawTextIn(painter, QRectF(58, 170, 380, 60), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
             QStringLiteral("Your steps, heart rate and exercise,\nkept on your own computer."), Ui(17, false),
             QColor(190, 206, 224));

  const char* names[] = {"Steps", "Distance", "Calories", "Heart rate", "Exercise"};
  double x = 58;
  const QFont font = Ui(12, false);
  const QFontMetricsF metrics(font);
  for (int i = 0; i < 5; ++i) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(colours[i]));
    painter.drawEllipse(QPointF(x + 5, 372), 5, 5);
    const QString name = QString::fromLatin1(names[i]);
    DrawTextIn(painter, QRectF(x + 15, 362, 120, 20), Qt::AlignLeft | Qt::AlignVCenter, name, font,
               QColor(200, 214, 230));
    x += 15 + metrics.horizontalAdvance(name) + 22;
  }
}

// A white field framed one pixel outside the rectangle its control covers.
void DrawField(QPainter& painter, const HitRect& rect) {
  painter.save();
  painter.setPen(QPen(kFieldFrame, 1));
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(rect.left - 0.5, rect.top - 0.5, rect.Width() + 1, rect.Height() + 1));
  painter.restore();
}

void DrawPanel(QPainter& painter) {
  painter.fillRect(QRectF(kPanelLeft, 0, kLoginWidth - kPanelLeft, kLoginHeight), kPanel);
  painter.fillRect(QRectF(kPanelLeft, 0, 1, kLoginHeight), QColor(214, 221, 230));
  DrawTextIn(painter, QRectF(790, 44, 190, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Sign in"), Ui(24),
             kInk);
  DrawTextIn(painter, QRectF(791, 78, 190, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
             QStringLiteral("Pick your name with the arrows, then enter your password."), Ui(11, false), kInkSoft);

  const HitRect& name = kLoginAreas[kLoginNameBox];
  const HitRect& password = kLoginAreas[kLoginPasswordBox];
  DrawTextIn(painter, QRectF(name.left, name.top - 22, 128, 16), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("USER"), Ui(10), kInkSoft);
  DrawField(painter, name);
  DrawButton(painter, kLoginAreas[kLoginPreviousUser], QString(), kDarkButton, Glyph::Left);
  DrawButton(painter, kLoginAreas[kLoginNextUser], QString(), kDarkButton, Glyph::Right);

  DrawTextIn(painter, QRectF(password.left, password.top - 20, 128, 16), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("PASSWORD"), Ui(10), kInkSoft);
  DrawField(painter, password);

  DrawButton(painter, kLoginAreas[kLoginLogIn], QString::fromLatin1(kLoginButtonTexts[0]), kAccentButton, Glyph::None,
             12);
  DrawButton(painter, kLoginAreas[kLoginNewUser], QString::fromLatin1(kLoginButtonTexts[1]), kDarkButton, Glyph::None,
             12);
  DrawButton(painter, kLoginAreas[kLoginDeleteUser], QString::fromLatin1(kLoginButtonTexts[2]), kLightButton,
             Glyph::None, 11);
}

}  // namespace

QImage DrawLoginBackground(qreal ratio) {
  QImage image = NewCanvas(kLoginWidth, kLoginHeight, kPanel, ratio);
  QPainter painter(&image);
  Prepare(painter);
  DrawHero(painter);
  DrawPanel(painter);
  return image;
}

}  // namespace tempovia::art

#pragma once
// A text label of the skinned windows with its own text colour, background
// colour and font. The owning window places it and sets its alignment.

#include <QFont>
#include <QLabel>
#include <memory>
#include <optional>

#include "skin/Rgb.h"
#include "widgets/Artwork.h"

namespace tempovia {

class CLabel : public QLabel {
 public:
  explicit CLabel(QWidget* parent = nullptr);
  CLabel(const QString& text, QWidget* parent);
  ~CLabel() override;

  void SetTextColor(Rgb colour);
  void SetBkColor(Rgb colour);
  void SetFontBold(bool bold);
  // Character height in pixels (the skins' "size").
  void SetFontSize(int pixels);
  void SetFontName(const QString& name);
  void SetText(const QString& text);
  // Shows a built-in picture instead of the text, placed by the alignment and
  // drawn at the label's device pixel ratio (a pixmap set on the label would
  // be scaled up on a high-resolution screen). No picture shows the text again.
  void SetPicture(std::optional<Picture> picture);

  Rgb TextColor() const { return m_textColour; }
  Rgb BkColor() const;

  // Background brushes alive in the process: one per label, however often
  // the colour changes.
  static int LiveBackgroundBrushes();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  class BackgroundBrush;

  void ApplyFont();

  Rgb m_textColour;
  std::unique_ptr<BackgroundBrush> m_background;
  QFont m_font;
  std::optional<Picture> m_picture;
};

}  // namespace tempovia

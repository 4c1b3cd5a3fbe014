#pragma once
// The bar chart's tool tip: a small rounded window with the bar's label in
// bold and its values below, placed beside the cursor and kept on the screen,
// hidden after a few seconds or on a click.

#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <optional>

#include "charts/TipPlacement.h"

namespace tempovia {

class CChartTip : public QWidget {
 public:
  explicit CChartTip(QWidget* chart, int displayMs = kTipDisplayMs);

  // Shows the text for the cursor (global coordinates) when tips are enabled
  // and the text is not empty. A visible tip with the same text stays where
  // it is, so it does not follow the mouse across one bar.
  void ShowTip(const QString& text, const QPoint& cursor, bool enabled = true);
  // Hides the tip and remembers where the cursor was.
  void HideTip(const QPoint& cursor);

  const QString& Text() const { return m_text; }
  bool TimerActive() const { return m_timer.isActive(); }
  int DisplayMs() const { return m_timer.interval(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void PlaceAt(const QPoint& cursor);

  QTimer m_timer;
  QString m_text;
  std::optional<QPoint> m_lastPlacement;
};

}  // namespace tempovia

#pragma once
// The bar chart control: a titled chart with a shaded 3D look, a banded back
// wall and floor, a value scale, one bar per item (three stacked values in
// heart-rate mode) and a tip over the bar under the mouse.
//
// It draws into an off-screen image and copies that to the screen in one
// step, so redraws never flicker. The image is made at the widget's device
// pixel ratio (logical size times the ratio), so the copy is one to one in
// screen pixels; all geometry and mouse handling stay in logical pixels.
// Draw shows a whole picture at once. The setters change one thing each:
// those with a redraw flag redraw at once when it is set; otherwise the
// caller ends with Refresh.

#include <QImage>
#include <QString>
#include <QWidget>
#include <array>
#include <string>

#include "charts/BarChartModel.h"
#include "charts/ChartControl.h"

namespace tempovia {

class CChartTip;

class CBarChart : public QWidget, public ChartControl {
 public:
  explicit CBarChart(QWidget* parent = nullptr);
  ~CBarChart() override;

  // Places the chart in the parent, keeps the title and makes the tip window.
  void Create(const QRect& rect, QWidget* parent, int id, const QString& title);
  int ControlId() const { return m_id; }

  void AddBar(const std::array<double, 3>& values, const QString& tipLabel, const QString& axisLabel,
              const std::array<Rgb, 3>& colours, bool redraw = false);
  void AddBar(const std::array<double, 3>& values, const std::string& tipLabel, const std::string& axisLabel,
              const std::array<Rgb, 3>& colours, bool redraw);
  void RemoveAllBars();

  void SetTitle(const QString& title);
  void SetTitle(const std::string& title);
  void SetUnitLabel(const QString& text, bool redraw = false);
  void SetUnitLabel(const std::string& text, bool redraw);
  void SetBkColor(Rgb colour);
  void ShowAxisLabels(bool on, bool redraw = false);
  // kind 0: percent of the maximum, 1: the value.
  void ShowValueLabels(int kind, bool on, bool redraw = false);
  void ShowPercent(bool on, bool redraw = false);
  void Set3D(bool on, bool redraw = false);
  void SetIntegerValues(bool on, bool redraw = false);
  void SetShaded(bool on, bool redraw = false);
  void SetHorizontalGrid(bool on, bool redraw = false);
  void ShowGrid(bool on, bool redraw = false);
  void ShowScale(bool on, bool redraw = false);
  void SetGridLines(int horizontal, int vertical = 0, bool reset = false, int spacing = 0);
  void EnableToolTips(bool on);
  void SetBarGap(int pixels);
  void SetBarWidth(int pixels);
  void SetChartMode(int mode);
  void SetGoalLine(double value, bool redraw);
  void SetStretch(bool on);
  void Draw(const ChartPicture& picture) override;

  // Redraws the off-screen image (once it exists, made anew only when the
  // drawing's size or the device pixel ratio changed) and schedules a repaint.
  void Refresh();

  const BarChartModel& Model() const { return m_model; }
  // The off-screen image, its device pixel ratio set; null until the chart
  // was first painted.
  const QImage& Surface() const { return m_surface; }
  // The surface's size in logical pixels (the drawing's size).
  QSize SurfaceSize() const { return m_surfaceSize; }
  CChartTip* Tip() const { return m_tip; }
  // The tip text for the bar under the mouse, as last computed.
  const QString& TipText() const { return m_tipText; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void RecreateSurface();
  bool SurfaceFits() const;
  void RefreshIf(bool redraw);

  BarChartModel m_model;
  QImage m_surface;
  QSize m_surfaceSize;
  CChartTip* m_tip = nullptr;  // owned as a child window
  QString m_tipText;
  int m_id = 0;
};

}  // namespace tempovia

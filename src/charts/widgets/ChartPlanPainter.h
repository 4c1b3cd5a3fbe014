#pragma once
// Paints a chart plan (fills and texts) with QPainter.

#include <QFont>

#include "charts/ChartPlan.h"

class QPainter;

namespace tempovia {

// The fonts of the chart: the default one of the title, unit label and scale,
// and the smaller one of the value and axis labels.
QFont ChartFontFor(ChartFont font);

void PaintChartPlan(QPainter& painter, const ChartPlan& plan);

}  // namespace tempovia

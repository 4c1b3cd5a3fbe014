#pragma once
// Sample series for the preview: a week, a month and a year of made-up but
// plausible days, set up on a chart the way the main window configures it.

#include <QString>

#include "skin/ChartKind.h"

namespace tempovia {

class CBarChart;

enum class SamplePeriod { Week, Month, Year };

const char* SamplePeriodName(SamplePeriod period);

// Configures the chart for the kind and period and fills it with samples.
void FillSampleChart(CBarChart& chart, ChartKind kind, SamplePeriod period);

}  // namespace tempovia

#pragma once
// Sample series for the preview: a week, a month and a year of made-up but
// plausible days, in the picture the main window's chart would draw of them.

#include "charts/ChartPicture.h"
#include "dashboard/ChartPeriod.h"
#include "skin/ChartKind.h"

namespace tempovia {

const char* SamplePeriodName(ChartPeriod period);

ChartPicture SampleChart(ChartKind kind, ChartPeriod period);

}  // namespace tempovia

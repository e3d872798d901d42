#include "app/line_metrics.h"

#include "encoding/numbers.h"

namespace {

int64_t floorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

LineMetrics computeLineMetrics(int32_t p, int32_t w) {
  const int64_t eighths = int64_t{8} * p;
  int64_t height = floorDiv(eighths, 3);
  if (eighths % 3 != 0) height += (height % 2 != 0) ? 1 : 2;

  LineMetrics metrics;
  metrics.lineHeight = clampToInt32(height);
  metrics.lineChars = metrics.lineHeight > 0 ? w / metrics.lineHeight : 0;
  return metrics;
}

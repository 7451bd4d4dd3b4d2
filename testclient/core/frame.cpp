#include "testclient/core/frame.h"

namespace zunta::testclient {
namespace {
constexpr int kHeaderZoneBottom = 60;  // the 54-row header strip and 6 rows below it
constexpr int kDragZoneEnd = 1160;     // this column belongs to neither zone
constexpr int kCloseZoneEnd = 1200;
}  // namespace

bool StartsWindowMove(MouseButton button, int x, int y) {
    return button == MouseButton::Left && x < kDragZoneEnd && y < kHeaderZoneBottom;
}

bool InCloseZone(int x, int y) {
    return x > kDragZoneEnd && x < kCloseZoneEnd && y < kHeaderZoneBottom;
}

}  // namespace zunta::testclient

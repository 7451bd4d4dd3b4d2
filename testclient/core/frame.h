// The hot zones of the borderless window's header, in the question screen's coordinates.
#pragma once

namespace zunta::testclient {

enum class MouseButton { Left, Other };

// A press that starts moving the window: the left button, left of x 1160, above y 60.
bool StartsWindowMove(MouseButton button, int x, int y);
// Where the cursor becomes the hand pointer: x 1161 to 1199, above y 60.
bool InCloseZone(int x, int y);
// A release (of any button) that asks whether to end the test: the same zone.
inline bool AsksToClose(int x, int y) {
    return InCloseZone(x, y);
}

}  // namespace zunta::testclient

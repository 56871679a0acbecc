// SPDX-License-Identifier: MIT
#pragma once
// Layout is written in twips (1/1440 inch), 15 twips to a pixel at 96 dpi.

namespace kz {

using Twips = int;

constexpr int twipsToPx(Twips t) { return t >= 0 ? (t + 7) / 15 : -((-t + 7) / 15); }

struct Size { int width = 0, height = 0; };
struct Point { int x = 0, y = 0; };

// A window's top-left corner from the screen size and its outer size: the free space
// across is divided by `acrossDiv` (0 puts the right edge on the screen's right edge)
// and the free space down by `downDiv`. A window larger than the screen would get a
// negative left or top, its title bar out of reach: it starts at 0 instead.
constexpr Point placeWindow(Size screen, Size window, int acrossDiv, int downDiv)
{
    const int freeX = screen.width - window.width;
    const int freeY = screen.height - window.height;
    auto part = [](int free, int d) { return free > 0 ? free / d : 0; };
    return {acrossDiv == 0 ? part(freeX, 1) : part(freeX, acrossDiv), part(freeY, downDiv)};
}

} // namespace kz

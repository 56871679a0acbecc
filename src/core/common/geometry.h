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

// A window's inner size on a screen that leaves it `room` (its available area less the
// window's frame): the stated size where that fits. Else the window is as large as fits and
// scrolls its stated content, with a scroll bar `bar` pixels thick along each side that is
// cut; a bar along one side takes room from the other.
constexpr Size fitWindow(Size room, Size stated, int bar)
{
    bool down = stated.height > room.height, across = stated.width > room.width;
    across = across || (down && stated.width + bar > room.width);
    down = down || (across && stated.height + bar > room.height);
    auto least = [](int a, int b) { return a < b ? a : b; };
    return {least(room.width, stated.width + (down ? bar : 0)), least(room.height, stated.height + (across ? bar : 0))};
}

} // namespace kz

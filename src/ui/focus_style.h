// SPDX-License-Identifier: MIT
#pragma once
class QStyle;

namespace kz::ui {

// The platform style with one change: every push button, line edit and focus rectangle
// shows the focus as the navy frame of focus_frame.h, whether the focus came by Tab, by
// Enter, by an arrow key or from the program, and never the style's own faint cue.
QStyle* makeFocusFrameStyle();

} // namespace kz::ui

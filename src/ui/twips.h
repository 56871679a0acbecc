// SPDX-License-Identifier: MIT
#pragma once
#include "core/common/geometry.h"

#include <QRect>
#include <QSize>

namespace kz::ui {

inline QRect twipsRect(Twips left, Twips top, Twips width, Twips height)
{
    return {twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height)};
}

inline QSize twipsSize(Twips width, Twips height) { return {twipsToPx(width), twipsToPx(height)}; }

} // namespace kz::ui

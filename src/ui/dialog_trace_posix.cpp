// SPDX-License-Identifier: MIT
#include "ui/dialog_trace.h"

namespace kz::ui {

DialogTrace::DialogTrace() = default;
DialogTrace::~DialogTrace() = default;

} // namespace kz::ui

// SPDX-License-Identifier: MIT
#pragma once
// The study's steps for one share, in the order of the rules, for the report: every
// result is a figure of evaluate() as the window shows it. No Qt here.
#include "core/common/step.h"
#include "core/second/study.h"

namespace kz::second {

kz::Steps studySteps(const StudyInput& in, const Figures& f);

} // namespace kz::second

// SPDX-License-Identifier: MIT
#pragma once
// The study's figures, named once for the window, the report and the batch answer. No Qt here.
#include "core/second/study.h"

#include <array>
#include <string_view>

namespace kz::second {

struct StudyFigure {
    std::string_view caption; // the window's and the report's
    std::string_view key;     // the batch answer's; empty: not answered (the legatee came later)
    double Figures::*value;
};

inline constexpr std::array<StudyFigure, 12> kStudyFigures{{
    {"一次相続　相続税の総額", "first_inheritance_tax", &Figures::firstTax},
    {"配偶者の税額軽減", "reduction", &Figures::reduction},
    {"配偶者の納付税額", "spouse_pays", &Figures::spousePays},
    {"子の納付税額（合計）", "children_pay", &Figures::childrenPay},
    {"受遺者の納付税額（２割加算）", "", &Figures::legateePays},
    {"一次相続の納付税額", "first_tax", &Figures::firstPayable},
    {"二次相続の課税価格", "second_estate", &Figures::secondEstate},
    {"二次相続の基礎控除額", "second_deduction", &Figures::secondDeduction},
    {"二次相続　相続税の総額", "second_inheritance_tax", &Figures::secondTax},
    {"相次相続控除", "credit", &Figures::credit},
    {"二次相続の納付税額", "second_tax", &Figures::secondPayable},
    {"一次・二次の合計", "total_tax", &Figures::total},
}};

} // namespace kz::second

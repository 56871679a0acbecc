// SPDX-License-Identifier: MIT
#pragma once
// The study's hand-worked cases, shared by the model's tests and the batch front end's.
#include "core/second/study.h"

#include <cstdint>
#include <vector>

namespace kz::second {

inline const kz::tax::LawEdition* const k2008 = &kz::tax::lawEditions()[0];
inline const kz::tax::LawEdition* const k2024 = &kz::tax::lawEditions()[1];

// Every figure worked by hand from the quick tables: the four public cases (2024), the same
// family under the 2008 law, then edge rows: E = 0, P dominating, A > 0 with Y = 0, 5, 9, 10.
// As the sheet shows them: a spouse within max(1.6億円, E/2) is not reduced, ⑥ is 0.
struct Row { const kz::tax::LawEdition* law; std::int32_t e; int n; std::int32_t s, p; int y;
             double d1, x1, t1, red, a, ch, f, e2, d2, x2, t2, k, g, total; };
inline const std::vector<Row> kWorkedRows{
    Row{k2024, 100000, 2, 40000, 0, 10, 48000, 52000, 6300, 0, 0, 3780, 3780, 40000, 42000, 0, 0, 0, 0, 3780},
    Row{k2024, 100000, 2, 100000, 0, 10, 48000, 52000, 6300, 0, 0, 0, 0, 100000, 42000, 58000, 7700, 0, 7700, 7700},
    Row{k2024, 200000, 2, 60000, 0, 10, 48000, 152000, 27000, 0, 0, 18900, 18900, 60000, 42000, 18000, 1800, 0, 1800, 20700},
    Row{k2024, 300000, 1, 0, 200000, 10, 42000, 258000, 69200, 0, 0, 69200, 69200, 200000, 36000, 164000, 48600, 0, 48600, 117800},
    Row{k2008, 100000, 2, 40000, 0, 10, 80000, 20000, 2000, 0, 0, 1200, 1200, 40000, 70000, 0, 0, 0, 0, 1200},
    Row{k2008, 100000, 2, 100000, 0, 10, 80000, 20000, 2000, 0, 0, 0, 0, 100000, 70000, 30000, 3500, 0, 3500, 3500},
    Row{k2008, 200000, 2, 60000, 0, 10, 80000, 120000, 19000, 0, 0, 13300, 13300, 60000, 70000, 0, 0, 0, 0, 13300},
    Row{k2008, 300000, 1, 0, 200000, 10, 70000, 230000, 58000, 0, 0, 58000, 58000, 200000, 60000, 140000, 39000, 0, 39000, 97000},
    Row{k2024, 0, 1, 0, 0, 10, 42000, 0, 0, 0, 0, 0, 0, 0, 36000, 0, 0, 0, 0, 0},
    Row{k2024, 0, 1, 0, 100000, 3, 42000, 0, 0, 0, 0, 0, 0, 100000, 36000, 64000, 12200, 0, 12200, 12200},
    Row{k2024, 100000, 2, 50000, 1000000, 10, 48000, 52000, 6300, 0, 0, 3150, 3150, 1050000, 42000, 1008000, 420000, 0, 420000, 423150},
    Row{k2024, 400000, 2, 400000, 0, 0, 48000, 352000, 92200, 46100, 46100, 0, 46100, 353900, 42000, 311900, 90760, 46100, 44660, 90760},
    Row{k2024, 400000, 2, 400000, 0, 5, 48000, 352000, 92200, 46100, 46100, 0, 46100, 353900, 42000, 311900, 90760, 23050, 67710, 113810},
    Row{k2024, 400000, 2, 400000, 0, 9, 48000, 352000, 92200, 46100, 46100, 0, 46100, 353900, 42000, 311900, 90760, 4610, 86150, 132250},
    Row{k2024, 400000, 2, 400000, 0, 10, 48000, 352000, 92200, 46100, 46100, 0, 46100, 353900, 42000, 311900, 90760, 0, 90760, 136860}
};

// Optima worked apart from the program (every share of the first inheritance by the sheet's
// rules, in exact arithmetic): the children's ratios step by 0.01 of E, so F falls in steps
// while G rises from E2 = the deduction.
struct OptRow { const kz::tax::LawEdition* law; std::int32_t e, p; std::int32_t share, to; double total;
                std::int32_t largestShare; double largest; };
inline const std::vector<OptRow> kOptimumRows{
    OptRow{k2024, 100000, 0, 43000, 43000, 3628, 100000, 7700}, OptRow{k2008, 100000, 0, 69002, 70000, 600, 100000, 3500},
    OptRow{k2024, 100000, 1000000, 0, 0, 401300, 100000, 445000}
};

} // namespace kz::second

// SPDX-License-Identifier: MIT
#pragma once
// Calendar dates for the periods of the inheritance-tax law: a day, read from ISO text,
// and the same day some years back. No Qt here.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace kz::assets {

using Date = std::chrono::year_month_day;

// "2028-06-21" (also "2028/6/21"); nullopt for text that is no calendar day ("2027-02-29").
std::optional<Date> parseDate(std::string_view text);
std::string isoText(Date d);

// The day `years` before `d`. A 29 February whose year back has none gives 28 February:
// the period's day falls on the month's last day, as 民法143条2項 rules for a year that
// lacks the corresponding day. The day stays inside the period, so a gift made on 28
// February of that year is added back, the reading that never lets a gift escape the law.
Date yearsBefore(Date d, int years);

} // namespace kz::assets

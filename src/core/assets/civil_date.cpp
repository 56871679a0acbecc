// SPDX-License-Identifier: MIT
#include "core/assets/civil_date.h"

#include <charconv>
#include <cstdio>

namespace kz::assets {

using namespace std::chrono;

std::optional<Date> parseDate(std::string_view text)
{
    int parts[3] = {};
    const char* p = text.data();
    const char* end = p + text.size();
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (p == end || (*p != '-' && *p != '/'))
                return std::nullopt;
            ++p;
        }
        const char* start = p;
        const auto [next, ec] = std::from_chars(p, end, parts[i]);
        if (ec != std::errc() || next - start > (i == 0 ? 4 : 2) || next - start < (i == 0 ? 4 : 1))
            return std::nullopt;
        p = next;
    }
    if (p != end)
        return std::nullopt;
    const Date d{year(parts[0]), month(static_cast<unsigned>(parts[1])), day(static_cast<unsigned>(parts[2]))};
    if (!d.ok())
        return std::nullopt;
    return d;
}

std::string isoText(Date d)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", static_cast<int>(d.year()), static_cast<unsigned>(d.month()),
                  static_cast<unsigned>(d.day()));
    return buf;
}

Date yearsBefore(Date d, int years)
{
    const Date back = d - std::chrono::years(years);
    if (back.ok())
        return back;
    return year_month_day_last(back.year(), month_day_last(back.month()));
}

} // namespace kz::assets

// SPDX-License-Identifier: MIT
#include "core/family/sheet_fill.h"

#include <algorithm>

namespace kz::family {

SheetFill sheetFill(const Judgement& j)
{
    SheetFill fill;
    fill.heirs = j.taxHeirs;
    // What a person pays the 2割加算 on: as an heir, or on a bequest after renouncing.
    auto mark = [&j](const std::string& name) {
        for (const Heir& h : j.heirs)
            if (h.name == name)
                return h.surcharge;
        for (const Renouncer& r : j.renounced)
            if (r.name == name)
                return r.surcharge;
        return false;
    };
    std::size_t next = 1;
    auto place = [&](const Heir& h, std::optional<Fraction> share) {
        const bool placed = std::any_of(fill.columns.begin(), fill.columns.end(),
                                        [&](const SheetColumn& c) { return c.name == h.name; });
        if (placed)
            return;
        if (h.relation == Relation::Spouse)
            fill.columns[0] = {h.name, share, false};
        else if (next < fill.columns.size())
            fill.columns[next++] = {h.name, share, mark(h.name)};
        else
            fill.left.push_back(h.name);
    };
    for (const Heir& h : j.taxShares)
        place(h, h.share);
    for (const Heir& h : j.heirs)
        place(h, std::nullopt);
    return fill;
}

bool fillSheet(tax::TaxSheet& sheet, const SheetFill& fill)
{
    if (!fill.fits())
        return false;
    sheet.setText(tax::heirCountField(), std::to_string(fill.heirs));
    for (int k = 0; k < 4; ++k) {
        const SheetColumn& c = fill.columns[static_cast<std::size_t>(k)];
        sheet.setText(tax::numeratorField(k), c.share ? std::to_string(c.share->num) : std::string());
        sheet.setText(tax::denominatorField(k), c.share ? std::to_string(c.share->den) : std::string());
        sheet.setColumnName(k + 1, c.name);
        if (k > 0)
            sheet.setSurcharged(k + 1, c.surcharge);
    }
    return true;
}

} // namespace kz::family

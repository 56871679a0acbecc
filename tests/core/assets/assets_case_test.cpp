// SPDX-License-Identifier: MIT
// The assets in a case file: written beside the sheet, read back whole; a file from before
// them opens without any.
#include "core/case/case_file.h"

#include <gtest/gtest.h>

namespace {

using namespace kz;

TEST(AssetsCase, FileRoundTrip)
{
    const std::string older = R"({"kazenoha": 1, "sheet": {"heirs": 3}})";
    ASSERT_TRUE(cases::readCaseFile(older).kase);
    EXPECT_FALSE(cases::readCaseFile(older).kase->assets);

    assets::Estate e;
    e.law = assets::assetsLaw("r6");
    e.death = *assets::parseDate("2028-02-29");
    e.taxHeirs = 2;
    assets::Person p;
    p.name = "長男 \"一郎\"";
    p.heir = true;
    p.insurance = 12345;
    p.land.push_back({assets::Use::Rental, 15001, 9000, 6666});
    p.gifts.push_back({*assets::parseDate("2024-01-01"), 700});
    e.persons = {assets::Person{}, p};
    cases::FileCase c;
    c.assets = e;
    const std::string text = cases::caseFileText(c);
    const cases::ReadFile back = cases::readCaseFile(text);
    ASSERT_TRUE(back.kase) << back.error.detail << "\n" << text;
    ASSERT_TRUE(back.kase->assets);
    // Written again, the case read back is the same text: every field went through.
    EXPECT_EQ(cases::caseFileText(*back.kase), text);
    EXPECT_EQ(back.kase->assets->persons[1].land[0].area, 15001);
    EXPECT_EQ(back.kase->assets->persons[1].name, p.name);
    EXPECT_EQ(cases::readCaseFile(R"({"kazenoha": 1, "second": {"estate": 1, "children": 1, "spouse_share": 0}, "assets": {}})").error.detail,
              "assets: only beside a \"sheet\"");
}

} // namespace

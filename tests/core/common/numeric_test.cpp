// SPDX-License-Identifier: MIT
#include "core/common/entry_filter.h"
#include "core/common/numeric.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

struct ValueCase { const char* text; double expected; };

class NumericValue : public testing::TestWithParam<ValueCase> {};

TEST_P(NumericValue, ReadsLeadingNumber)
{
    EXPECT_EQ(kz::numericValue(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Table, NumericValue, testing::Values(
    ValueCase{"", 0}, ValueCase{"-", 0}, ValueCase{".", 0}, ValueCase{"-.", 0},
    ValueCase{"1,234", 1}, ValueCase{"1.2.3", 1.2}, ValueCase{"12-3", 12},
    ValueCase{"  42", 42}, ValueCase{"4 2", 42}, ValueCase{"- 5", -5}, ValueCase{"+7", 7},
    ValueCase{"-2.5", -2.5}, ValueCase{".5", 0.5}, ValueCase{"5.", 5}, ValueCase{"0.33", 0.33},
    ValueCase{"1234567", 1234567}, ValueCase{"2147483648", 2147483648.0},
    ValueCase{"--1", 0}, ValueCase{"1e5", 1}, ValueCase{"0x10", 0}, ValueCase{"abc", 0},
    ValueCase{"3年", 3}, ValueCase{"\t9\n", 9}));

// An underflow reads as the nearest double (0 or a subnormal), an overflow as infinity.
TEST(NumericValue, BeyondTheRangeOfADouble)
{
    // Built in place, not "0." + std::string(…): GCC 12 at -O3 warns falsely of overlapping copies.
    std::string tiny(325, '0'), huge(310, '0');
    tiny[1] = '.';
    huge[0] = '1';
    EXPECT_EQ(kz::numericValue(tiny + "1-2"), 0.0);
    EXPECT_EQ(kz::numericValue(tiny + "3"), 4.9406564584124654e-324);
    EXPECT_EQ(kz::numericValue("-" + huge), -std::numeric_limits<double>::infinity());
}

struct NumericCase { const char* text; bool numeric; };

class IsNumeric : public testing::TestWithParam<NumericCase> {};

TEST_P(IsNumeric, WholeTextIsANumber)
{
    EXPECT_EQ(kz::isNumeric(GetParam().text), GetParam().numeric) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Table, IsNumeric, testing::Values(
    NumericCase{"", false}, NumericCase{"-", false}, NumericCase{".", false}, NumericCase{"-.", false},
    NumericCase{"1-2", false}, NumericCase{"1.2.3", false}, NumericCase{"--1", false},
    NumericCase{"12", true}, NumericCase{"-1.5", true}, NumericCase{".5", true}, NumericCase{"5.", true},
    NumericCase{"0.00", true}, NumericCase{" 3 ", true}, NumericCase{"3a", false}));

struct AmountCase { const char* text; std::int32_t expected; };

class AmountValue : public testing::TestWithParam<AmountCase> {};

TEST_P(AmountValue, RoundsHalfToEvenOrGivesZeroBeyond32Bits)
{
    EXPECT_EQ(kz::amountValue(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Table, AmountValue, testing::Values(
    AmountCase{"", 0}, AmountCase{"abc", 0}, AmountCase{"1,234", 1}, AmountCase{"2.5", 2},
    AmountCase{"3.5", 4}, AmountCase{"-2.5", -2}, AmountCase{"-0.4", 0},
    AmountCase{"2147483647", 2147483647}, AmountCase{"2147483647.5", 0}, AmountCase{"2147483648", 0},
    AmountCase{"-2147483648", -2147483647 - 1}, AmountCase{"-2147483649", 0},
    AmountCase{"1 000", 1000}));

TEST(EntryFilter, AcceptsDigitsSignPointAndBackspaceOnly)
{
    for (char32_t c : std::u32string(U"0123456789-.\b"))
        EXPECT_TRUE(kz::entryCharAllowed(c)) << static_cast<unsigned>(c);
    for (char32_t c : std::u32string(U"aZ ,+\r\t\x03\x16\x18" U"０１－．ｱ漢"))
        EXPECT_FALSE(kz::entryCharAllowed(c)) << static_cast<unsigned>(c);
}

} // namespace

// SPDX-License-Identifier: MIT
#include "core/tax_sheet/law.h"

#include <limits>
#include <map>
#include <string>

namespace kz::tax {
namespace {

constexpr std::int32_t kAbove = std::numeric_limits<std::int32_t>::max();

// ---- 平成20年5月1日現在法令等 ----
constexpr QuickRow kQuick2008[] = {
    {10'000, 0.10, 0},         {30'000, 0.15, 500},        {50'000, 0.20, 2'000},
    {100'000, 0.30, 7'000},    {300'000, 0.40, 17'000},    {kAbove, 0.50, 47'000},
};
constexpr GiftBracket kGift2008[] = {
    {u"200万円以下", u"10%", u"-"},       {u"300万円以下", u"15%", u"10万円"},
    {u"400万円以下", u"20%", u"25万円"},  {u"600万円以下", u"30%", u"65万円"},
    {u"1,000万円以下", u"40%", u"125万円"}, {u"1,000万円超", u"50%", u"225万円"},
};
constexpr GiftTable kGiftTables2008[] = {{nullptr, kGift2008}};
constexpr const char16_t* kGiftNotes2008[] = {
    u"　[平成20年5月1日現在法令等]",
    u"■基礎控除額は 110万円",
    u"※課税価格は基礎控除後の金額です",
    u"例） 贈与額　400万円の場合",
    u"(400-110)×15% - 10 = 33.5",
    u"（単位　万円）",
};

// ---- 令和6年1月1日現在法令等 ----
// Every row meets the next at its bound: 200,000 gives 63,000 by 40 % and by 45 %.
constexpr QuickRow kQuick2024[] = {
    {10'000, 0.10, 0},         {30'000, 0.15, 500},        {50'000, 0.20, 2'000},
    {100'000, 0.30, 7'000},    {200'000, 0.40, 17'000},    {300'000, 0.45, 27'000},
    {600'000, 0.50, 42'000},   {kAbove, 0.55, 72'000},
};
constexpr GiftBracket kGiftGeneral2024[] = {
    {u"200万円以下", u"10%", u"-"},        {u"300万円以下", u"15%", u"10万円"},
    {u"400万円以下", u"20%", u"25万円"},   {u"600万円以下", u"30%", u"65万円"},
    {u"1,000万円以下", u"40%", u"125万円"}, {u"1,500万円以下", u"45%", u"175万円"},
    {u"3,000万円以下", u"50%", u"250万円"}, {u"3,000万円超", u"55%", u"400万円"},
};
// Gifts from parents or grandparents to a child or grandchild aged 18 or over.
constexpr GiftBracket kGiftSpecial2024[] = {
    {u"200万円以下", u"10%", u"-"},        {u"400万円以下", u"15%", u"10万円"},
    {u"600万円以下", u"20%", u"30万円"},   {u"1,000万円以下", u"30%", u"90万円"},
    {u"1,500万円以下", u"40%", u"190万円"}, {u"3,000万円以下", u"45%", u"265万円"},
    {u"4,500万円以下", u"50%", u"415万円"}, {u"4,500万円超", u"55%", u"640万円"},
};
constexpr GiftTable kGiftTables2024[] = {{u"一般税率", kGiftGeneral2024}, {u"特例税率（※）", kGiftSpecial2024}};
// 400万円 less 110万円 is 290万円: 15 % less 10万円 in both tables.
constexpr const char16_t* kGiftNotes2024[] = {
    u"　[令和6年1月1日現在法令等]",
    u"■基礎控除額は 110万円",
    u"※課税価格は基礎控除後の金額です",
    u"※特例税率は父母・祖父母から",
    u"　18歳以上の子・孫への贈与",
    u"例） 贈与額　400万円の場合",
    u"(400-110)×15% - 10 = 33.5",
    u"　（一般税率・特例税率とも）",
    u"（単位　万円）",
};
constexpr const char16_t* kSettlement2024[] = {
    u"令和6年1月1日現在",
    u"・贈与をする人は60歳以上の父母・祖父母、贈与を受ける人は18歳以上の子・孫です。",
    u"・毎年110万円の基礎控除（令和6年から）を差し引いた後に、2,500万円の特別控除があります。",
    u"・特別控除を超える部分には、一律20％の贈与税が課税されます。",
};

constexpr LawEdition kEditions[] = {
    {
        .key = "h20",
        .name = u"[平成20年5月1日現在法令等]",
        .era = u"平成",
        .basicDeduction = 50'000, // 5,000万円
        .basicPerHeir = 10'000,   // 1,000万円
        .quickTable = kQuick2008,
        .minorPerYear = 60, // 6万円
        .minorAge = 20,
        .spouseTaxFree = 160'000, // 1億6千万円
        .basicCaption = u"　③　遺産　基礎控除額　（5,000万円＋1,000万円×法定相続人数）",
        .minorRate = u"×　６万円",
        .giftRowCaption = u"相続前３年以内の贈与額(＋)",
        .giftNote = nullptr,
        .giftTaxTables = kGiftTables2008,
        .giftTaxNotes = kGiftNotes2008,
        .settlementConditions =
            u"　1　贈与をする人が65歳以上の親であり、贈与を受ける人が20歳以上の子であること。\n"
            u"　2　贈与を受ける人が、贈与をする人の推定相続人である直系卑属であること。\n"
            u"　3　贈与額は2,500万円まで非課税で、これを超える部分には一律20％の贈与税が課税されること。",
        .settlementNote = {},
    },
    {
        .key = "r6",
        .name = u"[令和6年1月1日現在法令等]",
        .era = u"令和",
        .basicDeduction = 30'000, // 3,000万円
        .basicPerHeir = 6'000,    // 600万円
        .quickTable = kQuick2024,
        .minorPerYear = 100, // 10万円
        .minorAge = 18,
        .spouseTaxFree = 160'000,
        .basicCaption = u"　③　遺産　基礎控除額　(3,000万円＋600万円×法定相続人数)",
        .minorRate = u"×　10万円",
        .giftRowCaption = u"生前贈与加算額(＋)",
        .giftNote = u"※ 令和6年1月1日以後の贈与は相続開始前7年以内（延長した4年分は合計100万円を控除）が加算対象です。",
        .giftTaxTables = kGiftTables2024,
        .giftTaxNotes = kGiftNotes2024,
        .settlementConditions =
            u"　1　贈与をする人が60歳以上の父母・祖父母、贈与を受ける人が18歳以上の子・孫であること。\n"
            u"　2　贈与を受ける人が、贈与をする人の推定相続人または孫であること。\n"
            u"　3　基礎控除110万円の後、2,500万円まで非課税で、超える部分には一律20％の贈与税が課税されること。",
        .settlementNote = kSettlement2024,
    },
};

} // namespace

std::span<const LawEdition> lawEditions() { return kEditions; }

const LawEdition& statedLaw() { return kEditions[0]; }

const char16_t* yearsCaption(const LawEdition& law)
{
    // Made once per age and kept, so that the caption can stand in a control table.
    static std::map<int, std::u16string> made;
    auto [it, fresh] = made.try_emplace(law.minorAge);
    if (fresh) {
        for (const char digit : std::to_string(law.minorAge))
            it->second += static_cast<char16_t>(u'０' + (digit - '0')); // full-width, as the sheet writes it
        it->second += u"歳になるまでの年数";
    }
    return it->second.c_str();
}

} // namespace kz::tax

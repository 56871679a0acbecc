// SPDX-License-Identifier: MIT
// The batch front end against the figures the windows show: the tables of the models'
// tests go in as JSON lines, and every answer is read back as JSON.
#include "cli/answer.h"
#include "cli/compute.h"
#include "core/case/json.h"
#include "core/coefficients/worked_examples.h"
#include "core/second/worked_cases.h"
#include "core/tax_sheet/sheet_helpers.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <tuple>
#include <sstream>

namespace {

using namespace kz;
using kz::tax::drive::Inputs;
using kz::tax::drive::Texts;

struct Output {
    std::vector<std::string> lines;
    int status;
};

Output compute(const std::string& input)
{
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    Output r{{}, cli::computeStream(fileno(in), out)};
    std::rewind(out);
    for (char buf[1 << 16]; std::fgets(buf, sizeof buf, out);)
        r.lines.emplace_back(buf, std::strlen(buf) - 1);
    std::fclose(in);
    std::fclose(out);
    return r;
}

// The text at a dotted path of an answer ("sheet.spouse.payable.text"), or "(none)".
std::string at(const std::string& answer, const std::string& path)
{
    cases::json::Document doc;
    const cases::json::Value* v = &doc.parse(answer, 8);
    std::stringstream keys(path);
    for (std::string key; v && std::getline(keys, key, '.');)
        v = doc.find(*v, key);
    return v ? std::string(v->text) : "(none)";
}

std::string sheetLine(const Inputs& in, const char* law)
{
    std::string amounts, shares;
    const char* person[] = {"spouse", "heir2", "heir3", "heir4", "legatee"};
    for (int p = 0; p < 5; ++p) {
        amounts += std::string(p ? "," : "") + "\"" + person[p] + "\":[";
        for (int i = 0; i < 6; ++i)
            amounts.append(i ? "," : "").append(std::to_string(in.amounts[p][i]));
        amounts += "]";
        if (!in.den[p].empty())
            shares += std::string(shares.empty() ? "" : ",") + "\"" + person[p] + "\":[\"" + in.num[p] + "\",\"" + in.den[p] + "\"]";
    }
    return std::string("{\"id\":\"") + law + "\",\"sheet\":{\"law\":\"" + law + "\",\"amounts\":{" + amounts +
           "},\"heirs\":" + in.heirs + ",\"shares\":{" + shares + "},\"minor_years\":{\"heir2\":\"" + in.years[0] +
           "\",\"heir3\":\"" + in.years[1] + "\",\"heir4\":\"" + in.years[2] + "\"}}}";
}

// Where the answer names each label of the sheet (the hidden LNum6(1) and the legatee's
// share labels, never written, are not part of it).
std::string pathOf(const std::string& label)
{
    static const char* person[] = {"spouse", "heir2", "heir3", "heir4", "legatee"};
    static const char* row[] = {"taxable", "share", "share_tax", "ratio", "tax_before", "payable"};
    static const char* sheet[] = {"total_taxable", "", "basic_deduction", "taxable_estate", "total_tax",
                                  "spouse_reduction", "minor_deduction.heir2", "minor_deduction.heir3",
                                  "minor_deduction.heir4"};
    const int array = label[4] - '1', index = label[6] - '0';
    if (array == 5)
        return sheet[index];
    return array == 4 && (index == 1 || index == 2) ? "" : std::string(person[array]) + "." + row[index];
}

TEST(Compute, SheetWorkedCasesOfBothEditions)
{
    const Output r = compute(sheetLine(tax::drive::workedExample(), "h20") + "\n" +
                          sheetLine(tax::drive::reiwa6Example(), "r6") + "\n");
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.status, 0);
    for (const auto& [line, labels] : {std::pair{r.lines[0], tax::drive::kWorkedExampleLabels},
                                       std::pair{r.lines[1], tax::drive::kReiwa6Labels}}) {
        for (const auto& [label, text] : labels) {
            const std::string path = "sheet." + pathOf(label);
            if (pathOf(label).empty())
                continue;
            EXPECT_EQ(at(line, path + ".text"), text) << label;
            std::string digits = text;
            std::erase(digits, ',');
            EXPECT_EQ(std::stod(at(line, path + ".value")), std::stod(digits)) << label;
        }
    }
}

// The documented keys of each calculation: its inputs, then its results.
const std::map<coef::Calc, std::vector<std::string>> kKeys{
    {coef::Calc::FutureValue, {"運用金額", "年数", "年利率", "元利合計"}},
    {coef::Calc::PriceRise, {"", "年数", "物価上昇率", "現時の物価"}},
    {coef::Calc::PresentValue, {"必要額", "年数", "年利率", "預ける金額"}},
    {coef::Calc::LandDecline, {"現在価格", "年数", "年利率", "将来価格", "現在の…％まで下落しています。"}},
    {coef::Calc::SinkingFund, {"将来目標金額", "目標年数", "年利率", "毎年の積立額"}},
    {coef::Calc::AnnuityFuture, {"毎年の積立額", "積立期間", "年利率", "元利合計額"}},
    {coef::Calc::Withdrawal, {"預入金", "受取り年数", "年利率", "毎年受取れる額"}},
    {coef::Calc::LoanRepayment, {"借入額", "返済年数", "年利率", "毎年の返済額"}},
    {coef::Calc::AnnuityPresent, {"毎年の目標金額", "受給年数", "年利率", "必要資金（原資）"}},
};

TEST(Compute, TheNineCoefficientExamples)
{
    for (const coef::Case& c : coef::kWorkedExamples) {
        const std::vector<std::string>& k = kKeys.at(c.problem.calc);
        std::string inputs = "\"" + k[1] + "\":" + c.problem.years + ",\"" + k[2] + "\":\"" + c.problem.rate + "\"";
        if (c.problem.amount)
            inputs += ",\"" + k[0] + "\":" + c.problem.amount;
        const Output r = compute("{\"id\":7,\"coefficient\":{\"calculation\":\"" + std::string(coef::calc(c.problem.calc).name) +
                              "\",\"inputs\":{" + inputs + "}}}");
        ASSERT_EQ(r.lines.size(), 1u) << c.name;
        EXPECT_EQ(at(r.lines[0], "id"), "7");
        for (std::size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(at(r.lines[0], "coefficient." + k[3 + i] + ".text"), c.expected[i]) << c.name;
    }
}

// What the window says instead of results, and JSON numbers read as their values.
TEST(Compute, MessagesAndNumberForms)
{
    const Output r = compute(
        R"({"coefficient":{"calculation":"元利合計","inputs":{"運用金額":1,"年利率":"","年数":"-"}}})" "\n"
        R"({"coefficient":{"calculation":"預ける金額","inputs":{"必要額":1,"年利率":".","年数":"-"}}})" "\n"
        R"({"sheet":{"heirs":1,"amounts":{"heir2":[2000000000,2000000000,0,0,0,0]}}})" "\n"
        R"({"coefficient":{"calculation":"元利合計","inputs":{"運用金額":1e6,"年利率":4.0E0,"年数":1e1}}})" "\r\n"
        R"({"sheet":{"heirs":25e-1}})" "\n"
        R"({"coefficient":{"calculation":"毎年の積立額","inputs":{"将来目標金額":1,"年利率":0,"目標年数":10}}})" "\n"
        R"({"sheet":{"heirs":1,"amounts":{"spouse":[5,0,0,0,0,0]}}})");
    ASSERT_EQ(r.lines.size(), 7u);
    EXPECT_EQ(at(r.lines[0], "coefficient.message"), "数値を入力してください");
    EXPECT_EQ(at(r.lines[0], "coefficient.field"), "年利率");
    EXPECT_EQ(at(r.lines[1], "coefficient.field"), "年数");
    EXPECT_EQ(at(r.lines[2], "sheet.message"), "金額が大きすぎるため計算できません。");
    EXPECT_EQ(at(r.lines[3], "coefficient.元利合計.text"), "1,480,244");
    EXPECT_EQ(at(r.lines[4], "sheet.basic_deduction.value"), "70000"); // 2.5 heirs round to 2
    EXPECT_EQ(at(r.lines[5], "coefficient.message"), "この年利率と年数では計算できません。");
    // The spouse's share divides by an empty denominator: the window stops without a word.
    EXPECT_EQ(at(r.lines[6], "sheet.stopped") + at(r.lines[6], "sheet.spouse.taxable.text"), "true5");
    EXPECT_EQ(r.status, 0);
}

std::string secondLine(const tax::LawEdition* law, int e, int n, int s, int p, int y)
{
    return "{\"second\":{\"law\":\"" + std::string(law == second::k2008 ? "h20" : "r6") + "\",\"estate\":" +
           std::to_string(e) + ",\"children\":\"" + std::to_string(n) + "\",\"spouse_share\":" + std::to_string(s) +
           ",\"spouse_assets\":" + std::to_string(p) + ",\"years\":" + std::to_string(y) + "}}";
}

// The study's worked rows: each figure as its value and shown to the 千円; the optimum of
// the families whose optimum was worked.
TEST(Compute, SecondInheritanceWorkedCases)
{
    std::string input;
    for (const second::Row& r : second::kWorkedRows)
        input += secondLine(r.law, r.e, r.n, r.s, r.p, r.y) + "\n";
    for (const second::OptRow& o : second::kOptimumRows)
        input += secondLine(o.law, o.e, 2, 0, o.p, 10) + "\n";
    const Output out = compute(input);
    ASSERT_EQ(out.lines.size(), second::kWorkedRows.size() + second::kOptimumRows.size());
    for (std::size_t i = 0; i < second::kWorkedRows.size(); ++i) {
        const second::Row& r = second::kWorkedRows[i];
        const std::pair<const char*, double> figures[] = {
            {"first_inheritance_tax", r.t1}, {"reduction", r.red}, {"spouse_pays", r.a}, {"children_pay", r.ch},
            {"first_tax", r.f}, {"second_estate", r.e2}, {"second_deduction", r.d2}, {"second_inheritance_tax", r.t2},
            {"credit", r.k}, {"second_tax", r.g}, {"total_tax", r.total}};
        for (const auto& [key, want] : figures) {
            const std::string path = std::string("second.") + key;
            EXPECT_NEAR(std::stod(at(out.lines[i], path + ".value")), want, 1e-6 * std::max(1.0, want)) << i << key;
            std::string shown = at(out.lines[i], path + ".text");
            std::erase(shown, ',');
            EXPECT_EQ(std::stod(shown), std::nearbyint(want)) << i << key;
        }
    }
    for (std::size_t i = 0; i < second::kOptimumRows.size(); ++i) {
        const std::string& line = out.lines[second::kWorkedRows.size() + i];
        EXPECT_EQ(at(line, "second.optimum_share.value"), std::to_string(second::kOptimumRows[i].share));
        EXPECT_EQ(std::stod(at(line, "second.optimum_total.value")), second::kOptimumRows[i].total);
    }
}

struct BadLine {
    std::string line;
    const char* error;
};

// Each bad line answers with its error and its line number; the good line after it is
// still computed.
TEST(Compute, BadLinesAreAnswered)
{
    const std::string good = R"({"coefficient":{"calculation":"物価上昇率","inputs":{"物価上昇率":1.6,"年数":10}}})";
    const std::string tooLong = "{\"id\":\"" + std::string(cli::kMaxLineBytes, 'x') + "\"}";
    const BadLine bad[] = {
        {"not json", "not JSON: a value expected at column 1"},
        {"[1]", "a case is an object: {\"id\": …, \"sheet\" or \"coefficient\" or \"second\" or \"assets\" or \"family\": {…}}"},
        {R"({"id":1})", "a case has exactly one of \"sheet\", \"coefficient\", \"second\", \"assets\" and \"family\""},
        {R"({"sheet":{"heirs":1},"coefficient":{}})", "a case has exactly one of \"sheet\", \"coefficient\", \"second\", \"assets\" and \"family\""},
        {R"({"id":"x","foo":1})", "case: unknown key \"foo\""},
        {R"({"id":[1],"sheet":{"heirs":1}})", "id: expected a text or a number, got a list"},
        {R"({"sheet":{}})", "sheet.heirs: missing"},
        {R"({"sheet":{"heirs":true}})", "sheet.heirs: expected a number or a text, got true or false"},
        {R"({"sheet":{"heirs":"1,000"}})", "sheet.heirs: \"1,000\" holds characters the field does not take (only 0-9, \"-\" and \".\")"},
        {R"({"sheet":{"heirs":1e400}})", "sheet.heirs: number out of range"},
        {R"({"sheet":{"heirs":1,"law":"h21"}})", "sheet.law: expected \"h20\" or \"r6\""},
        {R"({"sheet":{"heirs":1,"amounts":{"spouse":[1,2,3]}}})", "sheet.amounts.spouse: expected a list of 6 amounts, got a list of 3"},
        {R"({"sheet":{"heirs":1,"amounts":{"heir5":[]}}})", "sheet.amounts: unknown key \"heir5\""},
        {R"({"sheet":{"heirs":1,"amounts":{"heir2":[0,0,0,0,0,null]}}})", "sheet.amounts.heir2[5]: expected a number or a text, got null"},
        {R"({"sheet":{"heirs":1,"shares":{"spouse":[1]}}})", "sheet.shares.spouse: expected [numerator, denominator] or null"},
        {R"({"sheet":{"heirs":1,"minor_years":{"spouse":1}}})", "sheet.minor_years: unknown key \"spouse\""},
        {R"({"coefficient":{"calculation":"終価","inputs":{}}})", "coefficient.calculation: expected one of 元利合計, 物価上昇率, 預ける金額, 将来価格, 毎年の積立額, 元利合計額, 毎年受取れる額, 毎年の返済額, 必要資金"},
        {R"({"coefficient":{"calculation":"元利合計","inputs":{"年数":1,"年利率":1}}})", "coefficient.inputs.運用金額: missing"},
        {R"({"coefficient":{"calculation":"物価上昇率","inputs":{"年数":1,"物価上昇率":1,"運用金額":1}}})", "coefficient.inputs: unknown key \"運用金額\""},
        {R"({"coefficient":{"calculation":"元利合計"}})", "coefficient.inputs: missing"},
        {R"({"second":{"estate":100,"children":11,"spouse_share":0}})", "second.children: \"11\" is outside 1..10"},
        {R"({"second":{"estate":100,"children":1,"spouse_share":"100.6"}})", "second.spouse_share: \"100.6\" is outside 0..100"},
        {R"({"second":{"estate":100,"children":1}})", "second.spouse_share: missing"},
        {R"({"second":{"estate":100,"children":1,"spouse_share":0,"years":-1}})", "second.years: \"-1\" is outside 0..10"},
        {R"({"id":7,"a":1,"a":2})", "not JSON: key \"a\" given twice"},
        {"{\"id\":\"あい\" x}", "not JSON: ',' or '}' expected at column 12"},
        {R"({"sheet":{"heirs":1,"amounts":{"spouse":[3e9,0,0,0,0,0]}}})", "sheet.amounts.spouse[0]: \"3000000000\" is outside -2147483648..2147483647"},
        {R"({"sheet":{"heirs":1,"shares":{"heir2":[1,"0"]}}})", "sheet.shares.heir2[1]: a denominator of 0 gives no share; write null for none"},
        {R"({"coefficient":{"calculation":"元利合計","inputs":{"運用金額":3000000000,"年利率":"4","年数":10}}})", "coefficient.inputs.運用金額: \"3000000000\" is outside -2147483648..2147483647"},
        {R"({"coefficient":{"calculation":"元利合計","inputs":{"運用金額":1,"年利率":"4","年数":40000}}})", "coefficient.inputs.年数: \"40000\" is outside -32768..32767"},
        {R"({"second":{"estate":1,"children":1,"spouse_share":0,"second_law":"r7"}})", "second.second_law: expected \"h20\" or \"r6\""},
        {R"({"a":[[[[[[[[[[[[[[[[1]]]]]]]]]]]]]]]]})", "not JSON: nesting deeper than 16 levels at column 21"},
        {R"({"family":{"children":[{"name":"a","alive":"no"}]}})", "family.children[0].alive: expected true or false, got a text"},
        {R"({"family":{"children":[{"same_as":"x","name":"y"}]}})", "family.children[0]: unknown key \"name\""},
        {R"({"family":{"children":[{"name":"長男"},{"name":"長男"}]}})",
         "family: 「長男」が二度書かれています。養子で代襲相続人でもある人は、二か所目を同一人として指定してください。"},
        {R"({"sheet":{"heirs":1,"surcharge":{"heir2":1}}})", "sheet.surcharge.heir2: expected true or false, got a number"},
        {R"({"id":"\ud800"})", "not JSON: lone high surrogate at column 14"},
        {R"({"id":1} 2)", "not JSON: more after the value at column 10"},
        {"{\"id\":\"\xff\"}", "not JSON: invalid UTF-8 at byte 8"},
        {"{\"id\":\"\xc0\xaf\"}", "not JSON: invalid UTF-8 at byte 8"},
        {R"({"assets":{"law":"r6","death":"2028-06-21","tax_heirs":1,"persons":[{"name":"妻","land":[{"use":"other","area":100,"value":1}]}]}})",
         "妻の宅地1: 「その他（非継続）」の宅地は令和6年の法令等の特例にありません"},
        {R"({"assets":{"death":"2027-02-29","tax_heirs":1,"persons":[]}})", "assets.death: \"2027-02-29\" is no date (YYYY-MM-DD)"},
        {R"({"assets":{"death":"2027-01-01","tax_heirs":1,"persons":[{"land":[{"use":"rental","area":66.666,"value":1}]}]}})",
         "assets.persons[0].land[0].area: expected ㎡ of at least 0 with at most two decimals, got 66.666"},
        {"", "empty line"},
        {tooLong, "line longer than 1 MiB"},
        // An edition named other than by its key is no edition.
        {R"({"sheet":{"heirs":1,"law":20}})", "sheet.law: expected \"h20\" or \"r6\""},
    };
    std::string input;
    for (const BadLine& b : bad)
        input += b.line + "\n" + good + "\n";
    const Output r = compute(input);
    ASSERT_EQ(r.lines.size(), 2 * std::size(bad));
    for (std::size_t i = 0; i < std::size(bad); ++i) {
        const std::string& answer = r.lines[2 * i];
        EXPECT_EQ(at(answer, "error"), bad[i].error) << bad[i].line.substr(0, 80);
        EXPECT_EQ(at(answer, "line"), std::to_string(2 * i + 1));
        EXPECT_EQ(at(r.lines[2 * i + 1], "coefficient.現時の物価.text"), "1.17") << "after " << bad[i].line.substr(0, 80);
    }
    EXPECT_EQ(at(r.lines[8], "id"), "x");
    EXPECT_EQ(at(r.lines[48], "id"), "7"); // read before the key given twice
    EXPECT_EQ(r.status, 1);
}

// The assets' answer in the shape other programs read, every key and figure worked by hand:
// 5,000 × 3 heirs; 16,000 = 20,000 × 80 %; the elder son's 2,000 older than 3 years adds
// 1,000 beside the 500 within; 3,333 = 15,000 × 66.66 ÷ 150 × 50 %; business chosen whole.
TEST(Compute, AssetsInTheBatchShape)
{
    const Output r = compute(
        R"({"id":1,"assets":{"law":"r6","death":"2028-06-21","tax_heirs":3,"persons":[)"
        R"({"name":"妻","heir":true,"insurance":30000,"land":[{"use":"residence","area":100.0,"value":20000,"chosen":100}]},)"
        R"({"name":"長男","heir":true,"insurance":10000,"land":[{"use":"business","area":100,"value":30000}],)"
        R"("gifts":[{"date":"2024-05-01","amount":2000},{"date":"2026-01-10","amount":500}]},)"
        R"({"name":"次男","heir":true,"insurance":10000,"land":[{"use":"rental","area":150,"value":15000,"chosen":66.66}]}]}})"
        "\n");
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0],
              R"({"id":1,"assets":{"law":"r6","exempt_limit":15000,"persons":[)"
              R"({"name":"妻","deemed":30000,"exempt":9000,"land_reduction":16000,"addback":0,"rows":[4000,30000,9000,0,0,0]},)"
              R"({"name":"長男","deemed":10000,"exempt":3000,"land_reduction":24000,"addback":1500,"rows":[6000,10000,3000,0,0,1500]},)"
              R"({"name":"次男","deemed":10000,"exempt":3000,"land_reduction":3333,"addback":0,"rows":[11667,10000,3000,0,0,0]}],)"
              R"("land_total_area":{"residence":"100.00","business":"100.00","rental":"66.66"}}})");
    EXPECT_EQ(r.status, 0);
}

// A byte-order mark before the first case is no part of it; the second inheritance's law is
// chosen as in the window; a tax that is an exact half shows half to even, whatever noise a
// double would have had (60,015 × 30 % − 7,000 = 11,004.5; 60,025 × 30 % − 7,000 = 11,007.5).
TEST(Compute, ByteOrderMarkSecondLawAndHalves)
{
    const Output r = compute("\xEF\xBB\xBF" R"({"id":1,"second":{"estate":100000,"children":2,"spouse_share":40000,"second_law":"h20"}})" "\n"
                             R"({"second":{"estate":0,"children":1,"spouse_share":0,"spouse_assets":96015}})" "\n"
                             R"({"second":{"estate":0,"children":1,"spouse_share":0,"spouse_assets":96025}})" "\n");
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(at(r.lines[0], "second.second_law") + " " + at(r.lines[0], "second.second_deduction.value"), "h20 70000");
    for (const auto& [line, text, value] : {std::tuple{1, "11,004", "11004.5"}, {2, "11,008", "11007.5"}})
        for (const char* key : {"second.second_inheritance_tax", "second.total_tax"})
            EXPECT_EQ(at(r.lines[static_cast<std::size_t>(line)], std::string(key) + ".text") + " " +
                          at(r.lines[static_cast<std::size_t>(line)], std::string(key) + ".value"),
                      std::string(text) + " " + value);
    EXPECT_EQ(r.status, 0);
}

// A family answers with its heirs, renouncers, count, shares for the tax and basic deduction,
// key for key (06/03's second family under 令和6年; 07/03's renouncing grandchild); six
// generations down, the last one inherits. A sheet's heir marked for the 2割加算 pays 120 % of
// his tax before the minors' deduction: 6,000 × 1.2 = 7,200, less 2 × 60, is 7,080.
TEST(Compute, FamilyAndTheSurchargeMark)
{
    std::string deep = R"({"name":"g6"})";
    for (int g = 5; g >= 1; --g)
        deep = R"({"name":"g)" + std::to_string(g) + R"(","alive":false,"children":[)" + deep + "]}";
    const Output r = compute(
        R"({"id":1,"family":{"law":"r6","spouse":{"name":"A"},"children":[{"name":"B","alive":false,)"
        R"("children":[{"name":"C"},{"name":"D"}]},{"name":"E","adopted":true},{"name":"F","adopted":true}]}})" "\n"
        R"({"id":2,"family":{"children":[{"name":"長男"},{"name":"二男","alive":false,"children":[{"name":"孫","renounced":true}]}]}})" "\n"
        R"({"id":3,"family":{"children":[)" + deep + "]}}\n"
        R"({"id":4,"sheet":{"amounts":{"heir2":[100000,0,0,0,0,0]},"heirs":1,"shares":{"heir2":[1,1]},)"
        R"("minor_years":{"heir2":2},"surcharge":{"heir2":true}}})" "\n");
    ASSERT_EQ(r.lines.size(), 4u);
    EXPECT_EQ(r.lines[0],
              R"({"id":1,"family":{"law":"r6","order":"children","heirs":[)"
              R"({"name":"A","relation":"配偶者","share":[1,2],"surcharge":false},)"
              R"({"name":"C","relation":"代襲相続人","share":[1,12],"surcharge":false},)"
              R"({"name":"D","relation":"代襲相続人","share":[1,12],"surcharge":false},)"
              R"({"name":"E","relation":"養子","share":[1,6],"surcharge":false},)"
              R"({"name":"F","relation":"養子","share":[1,6],"surcharge":false}],"renounced":[],"tax_heirs":4,)"
              R"("tax_shares":[{"name":"A","share":[1,2]},{"name":"C","share":[1,8]},{"name":"D","share":[1,8]},)"
              R"({"name":"E","share":[1,4]}],"basic_deduction":{"text":"54,000","value":54000}}})");
    EXPECT_EQ(r.lines[1],
              R"({"id":2,"family":{"law":"h20","order":"children","heirs":[)"
              R"({"name":"長男","relation":"子","share":[1,1],"surcharge":false}],)"
              R"("renounced":[{"name":"孫","surcharge":true}],"tax_heirs":2,)"
              R"("tax_shares":[{"name":"長男","share":[1,2]},{"name":"孫","share":[1,2]}],)"
              R"("basic_deduction":{"text":"70,000","value":70000}}})");
    EXPECT_NE(r.lines[2].find(R"("heirs":[{"name":"g6","relation":"代襲相続人","share":[1,1],"surcharge":false}])"),
              std::string::npos) << r.lines[2];
    EXPECT_EQ(at(r.lines[3], "sheet.heir2.surcharge") + " " + at(r.lines[3], "sheet.heir2.raised_tax.text") + " " +
                  at(r.lines[3], "sheet.heir2.payable.text"),
              "true 7,200 7,080");
    EXPECT_EQ(r.status, 0);
}

} // namespace

// SPDX-License-Identifier: MIT
// The case file read without a window: what each fault is refused as, and a file written by
// hand read and written back to the byte.
#include "core/case/case_file.h"

#include <gtest/gtest.h>

namespace {

using namespace kz::cases;
using Kind = FileError::Kind;

struct Refused {
    std::string bytes;
    Kind kind;
    std::string detail;
};

TEST(CaseFile, RefusedWhole)
{
    const std::string sheet = R"("sheet": {"heirs": 1})";
    const Refused rows[] = {
        {std::string(kMaxFileBytes + 1, ' '), Kind::TooLarge, "1048577 bytes"},
        {"{\"kazenoha\": 1, \"sheet\": {\"heirs\": \"\xff\"}}", Kind::NotUtf8, "byte 37"},
        {"{\"kazenoha\": 1,}", Kind::NotJson, "a key expected at column 16"},
        {"[1]", Kind::NotACase, "no \"kazenoha\" key"},
        {"{" + sheet + "}", Kind::NotACase, "no \"kazenoha\" key"},
        {"{\"kazenoha\": 1.5, " + sheet + "}", Kind::NotACase, "kazenoha: expected a version number 1, 2, …"},
        {"{\"kazenoha\": \"1\", " + sheet + "}", Kind::NotACase, "kazenoha: expected a version number 1, 2, …"},
        {"{\"kazenoha\": 2, " + sheet + "}", Kind::Newer, "2"},
        {R"({"kazenoha": 1})", Kind::BadValue, "a case file holds exactly one of \"sheet\", \"coefficient\" and \"second\""},
        {R"({"kazenoha": 1, "id": 1, "sheet": {"heirs": 1}})", Kind::BadValue, "file: unknown key \"id\""},
        // An edition the program does not know is no edition it knows.
        {R"({"kazenoha": 1, "sheet": {"heirs": 1, "law": "r7"}})", Kind::BadValue, "sheet.law: expected \"h20\" or \"r6\""},
        {R"({"kazenoha": 1, "second": {"estate": 1, "children": 1, "spouse_share": 0, "second_law": "H20"}})",
         Kind::BadValue, "second.second_law: expected \"h20\" or \"r6\""},
        {R"({"kazenoha": 1, "coefficient": {}})", Kind::BadValue, "coefficient: expected a list of calculations, got an object"},
        {R"({"kazenoha": 1, "coefficient": [{"calculation": "物価上昇率", "inputs": {"物価上昇率": 1, "年数": 1}},)"
         R"( {"calculation": "物価上昇率", "inputs": {"物価上昇率": 2, "年数": 1}}]})",
         Kind::BadValue, "coefficient[1]: \"物価上昇率\" given twice"},
        {R"({"kazenoha": 1, "sheet": {"heirs": 1, "minor_years": {"legatee": 1}}})", Kind::BadValue,
         "sheet.minor_years: unknown key \"legatee\""},
        {R"({"kazenoha": 1, "sheet": {"heirs": 1, "amounts": {"legatee": [1, 2, 3, 4, 5, 6, 7]}}})", Kind::BadValue,
         "sheet.amounts.legatee: expected a list of 6 amounts, got a list of 7"},
    };
    for (const Refused& row : rows) {
        const ReadFile r = readCaseFile(row.bytes);
        EXPECT_FALSE(r.kase) << row.bytes.substr(0, 80);
        EXPECT_EQ(static_cast<int>(r.error.kind), static_cast<int>(row.kind)) << row.bytes.substr(0, 80);
        EXPECT_EQ(r.error.detail, row.detail);
    }
}

// Files as the program writes them, typed out by hand (a text that reads as a JSON number
// written as one, any other quoted): each reads and writes back unchanged, also after a
// byte-order mark.
TEST(CaseFile, WrittenBackToTheByte)
{
    const std::string files[] = {
        "{\n  \"kazenoha\": 1,\n  \"sheet\": {\n    \"law\": \"r6\",\n    \"amounts\": {\n"
        "      \"spouse\": [180000, 0, 0, 0, 0, 0],\n      \"legatee\": [0, 0, 0, 1200, 0, 500]\n    },\n"
        "    \"heirs\": 2,\n    \"shares\": {\n      \"spouse\": [1, 2],\n      \"heir2\": [\"1.\", 2]\n    },\n"
        "    \"minor_years\": {\"heir2\": 3, \"heir3\": 0, \"heir4\": 0.00}\n  }\n}\n",
        "{\n  \"kazenoha\": 1,\n  \"sheet\": {\n    \"law\": \"h20\",\n    \"amounts\": {},\n    \"heirs\": 0,\n"
        "    \"shares\": {},\n    \"minor_years\": {\"heir2\": 0, \"heir3\": 0, \"heir4\": 0}\n  }\n}\n",
        "{\n  \"kazenoha\": 1,\n  \"second\": {\"law\": \"h20\", \"second_law\": \"r6\", \"estate\": 420000, "
        "\"children\": 3, \"spouse_share\": 255000, \"spouse_assets\": 5000, \"years\": 4}\n}\n",
        "{\n  \"kazenoha\": 1,\n  \"coefficient\": [\n    {\"calculation\": \"元利合計\", \"inputs\": "
        "{\"運用金額\": 1000, \"年利率\": \".5\", \"年数\": -0}}\n  ]\n}\n",
        "{\n  \"kazenoha\": 1,\n  \"coefficient\": []\n}\n",
    };
    for (const std::string& file : files)
        for (const std::string& bytes : {file, "\xEF\xBB\xBF" + file}) {
            const ReadFile r = readCaseFile(bytes);
            ASSERT_TRUE(r.kase) << r.error.detail;
            EXPECT_EQ(caseFileText(*r.kase), file);
        }
}

} // namespace

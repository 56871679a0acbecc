// SPDX-License-Identifier: MIT
// The batch front end on any bytes: each line of the input is answered as --compute answers
// it. No crash, no leak, and every answer is one line of valid UTF-8 JSON: an object that
// starts with the case's "id" and holds either the error with the line's number or exactly
// one kind of case. The whole input is also read as a case file: refused with a reason, or
// read into a case whose file text reads back to the same text.
#include "core/case/case_file.h"
#include "cli/answer.h"
#include "core/case/json.h"
#include "fuzz_support.h"

using kz::fuzz::failed;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const kz::cases::ReadFile file = kz::cases::readCaseFile(input);
    if (!file.kase && file.error.detail.empty())
        failed("case file refused without a reason", std::string(input));
    if (file.kase) {
        const std::string text = kz::cases::caseFileText(*file.kase);
        const kz::cases::ReadFile again = kz::cases::readCaseFile(text);
        if (!again.kase || kz::cases::caseFileText(*again.kase) != text)
            failed("case file does not read back as written", text + " / " + again.error.detail);
    }
    kz::cases::json::Document check;
    for (long number = 1; !input.empty(); ++number) {
        const std::size_t end = std::min(input.find('\n'), input.size());
        const kz::cli::Answer a = kz::cli::answer(input.substr(0, end), number);
        input.remove_prefix(std::min(end + 1, input.size()));

        if (a.json.find('\n') != std::string::npos || kz::cases::json::invalidUtf8At(a.json) != std::string::npos)
            failed("answer is not one line of UTF-8", a.json);
        const kz::cases::json::Value* root = nullptr;
        try {
            root = &check.parse(a.json, 8);
        } catch (const kz::cases::json::ParseError& e) {
            failed("answer is not JSON", a.json + " (" + e.what() + ")");
        }
        const auto members = check.children(*root);
        if (root->type != kz::cases::json::Type::Object || members.empty() || members[0].key != "id")
            failed("answer does not start with the id", a.json);
        const auto* line = check.find(*root, "line");
        const bool error = check.find(*root, "error") != nullptr;
        if (error != a.error || (error && (!line || line->text != std::to_string(number))))
            failed("error answer without its line", a.json);
        int kinds = 0;
        for (const char* kind : {"sheet", "coefficient", "second", "assets", "family"})
            kinds += check.find(*root, kind) != nullptr;
        if (!error && (kinds != 1 || members.size() != 2))
            failed("answer without exactly one case", a.json);
    }
    return 0;
}

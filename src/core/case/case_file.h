// SPDX-License-Identifier: MIT
#pragma once
// A client's case kept in a file: one UTF-8 JSON object, {"kazenoha": 1, <window>: {…}},
// whose window key is one of --compute's ("sheet", "second"), or "coefficient" with a list
// of --compute's coefficient objects, one for each calculation that holds entries. Inputs
// only: whoever opens it computes. No Qt here.
#include "core/assets/assets.h"
#include "core/case/cases.h"
#include "core/case/json.h"
#include "core/family/family.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kz::cases {

// The suffix names the program rather than the data (".json" would open in an editor):
// a file manager then hands the file to the window that made it.
inline constexpr std::string_view kSuffix = ".kazenoha";
inline constexpr std::string_view kMimeType = "application/x-kazenoha";
// The format's version, the value of the key "kazenoha". A reader refuses a newer one
// rather than guess at keys it does not know.
inline constexpr int kFormatVersion = 1;
inline constexpr std::size_t kMaxFileBytes = json::kMaxCaseBytes;

enum class Window { Sheet, Coefficients, Second };

struct FileCase {
    Window window = Window::Sheet;
    SheetCase sheet;
    // The sheet's 財産の内訳, when its window was used; a file without them opens as before.
    std::optional<assets::Estate> assets;
    std::optional<family::Family> family; // the sheet's, when it was filled from one
    std::vector<CoefficientCase> coefficients; // in the window's order of calculations
    SecondCase second;
};

// Why a file was refused: the kind, for the user's words, and the reader's detail.
struct FileError {
    enum class Kind { TooLarge, NotUtf8, NotJson, NotACase, Newer, BadValue } kind;
    std::string detail;
};

struct ReadFile {
    std::optional<FileCase> kase;
    FileError error{FileError::Kind::NotACase, {}};
};

// The whole file's bytes; refuses it whole (kase empty) at the first fault.
ReadFile readCaseFile(std::string_view bytes);
// The file's text, indented for a reader of it, ending with a newline.
std::string caseFileText(const FileCase& c);

// A window's entries as a case: what typing the case into a fresh model restores.
SheetCase sheetCase(const tax::TaxSheet& sheet);
// The calculations whose entries differ from a fresh window's.
std::vector<CoefficientCase> coefficientCases(const coef::Calculator& model);
SecondCase secondCase(const second::StudyForm& form);

} // namespace kz::cases

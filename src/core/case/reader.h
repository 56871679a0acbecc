// SPDX-License-Identifier: MIT
#pragma once
// A case's JSON objects ("sheet", "coefficient", "second") read into the texts a user would
// type, refusing the whole case at the first key that is not one. The batch front end reads
// each line through this, a case file its one object. No Qt here.
#include "core/case/cases.h"
#include "core/case/json.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace kz::cases {

// A case that cannot be read: what is wrong and where, as the batch answers it.
struct CaseError {
    std::string message;
};

[[noreturn]] void fail(std::string message);

using json::appendString;
// A name from the input, quoted for a message; long ones are cut.
std::string named(std::string_view s);
const char* typeName(const json::Value& v);


class Reader {
public:
    explicit Reader(const json::Document& doc) : doc_(doc) {}

    SheetCase sheet(const json::Value& v) const;
    // `path` names the object in messages ("coefficient", "coefficient[2]").
    CoefficientCase coefficient(const json::Value& v, const std::string& path) const;
    SecondCase second(const json::Value& v) const;

    const json::Value& object(const json::Value& v, const std::string& path,
                              std::span<const std::string_view> allowed) const;
    const json::Value& object(const json::Value& v, const std::string& path,
                              std::initializer_list<std::string_view> allowed) const
    {
        return object(v, path, std::span(allowed.begin(), allowed.size()));
    }
    const json::Value* find(const json::Value& object, std::string_view key) const { return doc_.find(object, key); }
    const json::Value& need(const json::Value& object, const std::string& path, std::string_view key) const;
    const json::Document& document() const { return doc_; }
    // An object's "law": the edition, which keeps its default when the key is absent.
    void law(const json::Value& v, const std::string& path, const tax::LawEdition*& law,
             std::string_view name = "law") const;

private:
    std::array<std::string, 2> share(const json::Value& v, const std::string& path) const;

    const json::Document& doc_;
};

} // namespace kz::cases

// SPDX-License-Identifier: MIT
#include "cli/family_answer.h"

#include "core/case/family_reader.h"
#include "core/common/format.h"

namespace kz::cli {
namespace {

using cases::appendString;

void appendShare(std::string& out, family::Fraction f)
{
    out += "\"share\":[" + std::to_string(f.num) + "," + std::to_string(f.den) + "]";
}

void appendName(std::string& out, const std::string& name)
{
    out += "{\"name\":";
    appendString(out, name);
    out += ',';
}

void appendMark(std::string& out, bool on) { out += on ? "\"surcharge\":true}" : "\"surcharge\":false}"; }

} // namespace

void writeFamily(std::string& out, const cases::Reader& read, const cases::json::Value& v)
{
    const family::Family f = cases::readFamily(read, v);
    family::Judgement j;
    try {
        j = family::judge(f);
    } catch (const family::FamilyError& e) {
        cases::fail("family: " + e.message);
    }
    out += "\"family\":{\"law\":";
    appendString(out, f.law->key);
    out += ",\"order\":";
    appendString(out, family::orderKey(j.order));
    out += ",\"heirs\":[";
    for (std::size_t i = 0; i < j.heirs.size(); ++i) {
        const family::Heir& h = j.heirs[i];
        out += i ? "," : "";
        appendName(out, h.name);
        out += "\"relation\":";
        appendString(out, family::relationWord(h.relation));
        out += ',';
        appendShare(out, h.share);
        out += ',';
        appendMark(out, h.surcharge);
    }
    out += "],\"renounced\":[";
    for (std::size_t i = 0; i < j.renounced.size(); ++i) {
        out += i ? "," : "";
        appendName(out, j.renounced[i].name);
        appendMark(out, j.renounced[i].surcharge);
    }
    out += "],\"tax_heirs\":" + std::to_string(j.taxHeirs) + ",\"tax_shares\":[";
    for (std::size_t i = 0; i < j.taxShares.size(); ++i) {
        out += i ? "," : "";
        appendName(out, j.taxShares[i].name);
        appendShare(out, j.taxShares[i].share);
        out += '}';
    }
    out += "],\"basic_deduction\":{\"text\":";
    appendString(out, formatGrouped(j.basicDeduction));
    out += ",\"value\":" + std::to_string(j.basicDeduction) + "}}";
}

} // namespace kz::cli

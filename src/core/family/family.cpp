// SPDX-License-Identifier: MIT
#include "core/family/family.h"

#include "core/common/arith.h"
#include "core/common/format.h"
#include "core/tax_sheet/rules.h"

#include <algorithm>
#include <limits>
#include <map>
#include <numeric>
#include <set>

namespace kz::family {
namespace {

[[noreturn]] void refuse(std::string message) { throw FamilyError{std::move(message)}; }

std::string quoted(const std::string& name) { return "「" + name + "」"; }

std::int64_t times(std::int64_t a, std::int64_t b)
{
    std::int64_t r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        refuse("家族が大きすぎて相続分を計算できません。");
    return r;
}

std::int64_t plus(std::int64_t a, std::int64_t b)
{
    std::int64_t r = 0;
    if (__builtin_add_overflow(a, b, &r))
        refuse("家族が大きすぎて相続分を計算できません。");
    return r;
}

bool isAdopted(const Person& p) { return p.adopted || p.deemedNatural || p.grandchild; }

// Which world the shares are worked out in: the civil one, where a renouncer is as if he had
// never been an heir, or the tax one (相続税法15②, 16), where nobody renounced and the
// adoptees beyond the limit are left out.
struct World {
    bool renouncing = true;
    std::set<const Person*> leftOut; // the decedent's children, by their place
};

struct Outcome {
    Order order = Order::None;
    std::vector<Heir> heirs;
    std::vector<const Person*> persons; // beside heirs: who each is
};

class Evaluator {
public:
    Evaluator(const Family& f, const std::map<std::string, const Person*>& defs, const World& w)
        : f_(f), defs_(defs), w_(w)
    {
    }

    Outcome run()
    {
        const bool spouse = f_.spouse && inherits(*f_.spouse);
        Outcome out;
        std::vector<const Person*> places;
        for (const Person& c : f_.children)
            if (!w_.leftOut.contains(&c) && yields(c))
                places.push_back(&c);
        if (!places.empty()) {
            // 民法887, 900①④: the children's half (or all) in equal parts, a dead child's part
            // to those who represent him.
            out.order = Order::Children;
            const Fraction part = spouse ? fraction(1, 2) : fraction(1, 1);
            for (const Person* p : places)
                give(*p, part * fraction(1, static_cast<std::int64_t>(places.size())), true);
        } else if (!ascendants()) {
            siblings(spouse);
        }
        if (out.order == Order::None)
            out.order = order_;
        if (spouse) {
            static constexpr Fraction kSpouse[] = {{1, 2}, {2, 3}, {3, 4}, {1, 1}};
            if (out.order == Order::None)
                out.order = Order::SpouseOnly;
            out.heirs.push_back({f_.spouse->name, Relation::Spouse, kSpouse[static_cast<int>(out.order)], false, false});
            out.persons.push_back(&*f_.spouse);
        }
        for (Credit& c : credits_) {
            Relation r = c.relation;
            if (r == Relation::Child)
                r = !c.top                   ? Relation::Representative
                    : !isAdopted(*c.person) ? Relation::Child
                    : c.represents          ? Relation::AdopteeRepresentative
                                            : Relation::Adoptee;
            out.heirs.push_back({c.person->name, r, c.share, surcharge(r, *c.person), false});
            out.persons.push_back(c.person);
        }
        return out;
    }

private:
    struct Credit {
        const Person* person;
        Relation relation;
        Fraction share;
        bool top = false, represents = false;
    };

    const Person& holder(const Person& place) const { return place.sameAs.empty() ? place : *defs_.at(place.sameAs); }
    bool inherits(const Person& p) const { return p.alive && !(w_.renouncing && p.renounced); }

    // A place in the children's tree yields an heir when its holder inherits, or died before
    // the decedent and a child of his represents him, to any depth (民法887②③). A renouncer's
    // children do not represent him.
    bool yields(const Person& place) const
    {
        const Person& p = holder(place);
        if (p.alive)
            return inherits(p);
        return std::any_of(p.children.begin(), p.children.end(),
                           [this](const Person& c) { return !c.beforeAdoption && yields(c); });
    }

    void give(const Person& place, Fraction share, bool top)
    {
        const Person& p = holder(place);
        if (p.alive) {
            credit(p, Relation::Child, share, top);
            return;
        }
        std::vector<const Person*> reps;
        for (const Person& c : p.children)
            if (!c.beforeAdoption && yields(c))
                reps.push_back(&c);
        // 民法901①: those who represent him share his part equally.
        for (const Person* r : reps)
            give(*r, share * fraction(1, static_cast<std::int64_t>(reps.size())), false);
    }

    void credit(const Person& p, Relation r, Fraction share, bool top)
    {
        auto it = std::find_if(credits_.begin(), credits_.end(), [&](const Credit& c) { return c.person == &p; });
        if (it == credits_.end())
            it = credits_.insert(credits_.end(), Credit{&p, r, {0, 1}});
        // One person in two places: both parts, one heir.
        it->share = it->share + share;
        it->top = it->top || top;
        it->represents = it->represents || !top;
    }

    // 民法889①一: the ascendants of the nearest degree among those who inherit.
    bool ascendants()
    {
        int nearest = std::numeric_limits<int>::max();
        for (const Person& a : f_.ascendants)
            if (inherits(a))
                nearest = std::min(nearest, a.degree);
        std::vector<const Person*> heirs;
        for (const Person& a : f_.ascendants)
            if (inherits(a) && a.degree == nearest)
                heirs.push_back(&a);
        if (heirs.empty())
            return false;
        order_ = Order::Ascendants;
        const Fraction part = spouseInherits() ? fraction(1, 3) : fraction(1, 1);
        for (const Person* a : heirs)
            credit(*a, nearest == 1 ? Relation::Parent : Relation::Grandparent,
                   part * fraction(1, static_cast<std::int64_t>(heirs.size())), true);
        return true;
    }

    bool spouseInherits() const { return f_.spouse && inherits(*f_.spouse); }

    // 民法889①二, ②: siblings, a dead one represented by his children, one generation only;
    // a half-blood sibling's part is half a full one's (900④ただし書).
    void siblings(bool spouse)
    {
        auto represented = [this](const Person& s) {
            std::vector<const Person*> reps;
            if (!s.alive)
                for (const Person& c : s.children)
                    if (!c.beforeAdoption && inherits(c))
                        reps.push_back(&c);
            return reps;
        };
        std::vector<const Person*> places;
        std::int64_t weights = 0;
        for (const Person& s : f_.siblings)
            if (inherits(s) || !represented(s).empty()) {
                places.push_back(&s);
                weights += s.half ? 1 : 2;
            }
        if (places.empty())
            return;
        order_ = Order::Siblings;
        const Fraction part = spouse ? fraction(1, 4) : fraction(1, 1);
        for (const Person* s : places) {
            const Fraction share = part * fraction(s->half ? 1 : 2, weights);
            if (s->alive) {
                credit(*s, s->half ? Relation::HalfSibling : Relation::Sibling, share, true);
                continue;
            }
            const auto reps = represented(*s);
            for (const Person* r : reps)
                credit(*r, Relation::NephewNiece, share * fraction(1, static_cast<std::int64_t>(reps.size())), false);
        }
    }

    static bool surcharge(Relation r, const Person& p)
    {
        switch (r) {
        case Relation::Adoptee: return p.grandchild; // 相続税法18②: a 孫養子 is no 一親等 here
        case Relation::Grandparent:
        case Relation::Sibling:
        case Relation::HalfSibling:
        case Relation::NephewNiece: return true;
        default: return false; // the spouse, 一親等, and 代襲 heirs (18①括弧書)
        }
    }

    const Family& f_;
    const std::map<std::string, const Person*>& defs_;
    const World& w_;
    std::vector<Credit> credits_;
    Order order_ = Order::None;
};

// The checks before any share: every refusal names the person and what to change.
class Validator {
public:
    explicit Validator(const Family& f) : f_(f) {}

    std::map<std::string, const Person*> run()
    {
        if (f_.spouse) {
            define(*f_.spouse);
            if (!f_.spouse->children.empty())
                refuse(quoted(f_.spouse->name) + "（配偶者）の子は、被相続人の子の欄に書いてください。");
        }
        for (const Person& c : f_.children) {
            if (!c.sameAs.empty())
                refuse("同一人の指定（" + quoted(c.sameAs) + "）は孫より下の欄にだけ書けます。被相続人の子としての欄には本人を書いてください。");
            tree(c, true);
        }
        const std::map<std::string, const Person*> inChildren = children_;
        for (const Person& a : f_.ascendants) {
            tree(a, false);
            if (a.degree != 1 && a.degree != 2)
                refuse(quoted(a.name) + "の親等は 1（父母）か 2（祖父母）で書いてください。");
            if (!a.children.empty())
                refuse(quoted(a.name) + "の子は兄弟姉妹の欄に書いてください。");
        }
        for (const Person& s : f_.siblings)
            tree(s, false);
        for (const Person& a : f_.ascendants)
            if (a.degree == 2)
                for (const Person& p : f_.ascendants)
                    if (p.degree == 1 && p.alive && !p.renounced)
                        refuse(quoted(a.name) + "（祖父母）は、" + quoted(p.name) +
                               "（父母）が存命で放棄していないため相続人になりません（民法889条1項1号）。祖父母を外すか、父母の死亡・放棄を入力してください。");
        for (const std::string& target : sameAs_)
            if (!inChildren.contains(target))
                refuse(quoted(target) + "という人は被相続人の子・孫の欄にいません（同一人の指定）。");
        std::vector<const Person*> path;
        for (const Person& c : f_.children)
            descend(c, path);
        return inChildren;
    }

private:
    void define(const Person& p)
    {
        if (p.name.empty())
            refuse("名前のない人がいます。名前を入れてください。");
        if (!names_.insert(p.name).second)
            refuse(quoted(p.name) + "が二度書かれています。養子で代襲相続人でもある人は、二か所目を同一人として指定してください。");
        if (!p.alive && p.renounced)
            refuse(quoted(p.name) + "は被相続人より先に死亡していて、放棄もしています。どちらか一方にしてください。");
    }

    void tree(const Person& p, bool children)
    {
        if (!p.sameAs.empty()) {
            if (!children)
                refuse("同一人の指定（" + quoted(p.sameAs) + "）は被相続人の子・孫の欄にだけ書けます。");
            sameAs_.push_back(p.sameAs);
            return;
        }
        define(p);
        if (children)
            children_[p.name] = &p;
        std::set<std::string> here;
        for (const Person& c : p.children) {
            const std::string& name = c.sameAs.empty() ? c.name : c.sameAs;
            if (!here.insert(name).second)
                refuse(quoted(name) + "が同じ親の下に二度書かれています。");
            tree(c, children);
        }
    }

    // A person held in a place below himself would represent himself without end.
    void descend(const Person& place, std::vector<const Person*>& path)
    {
        const Person* p = place.sameAs.empty() ? &place : children_.at(place.sameAs);
        if (std::find(path.begin(), path.end(), p) != path.end())
            refuse(quoted(p->name) + "が自分の子孫の欄に書かれています。");
        path.push_back(p);
        for (const Person& c : p->children)
            descend(c, path);
        path.pop_back();
    }

    const Family& f_;
    std::set<std::string> names_;
    std::map<std::string, const Person*> children_;
    std::vector<std::string> sameAs_;
};

// What a renouncer still takes by bequest is surcharged unless he is the spouse or of the
// first degree; having renounced, he represents nobody (相続税法18①括弧書 no longer applies).
void collectRenouncers(const Family& f, std::vector<Renouncer>& out)
{
    auto add = [&out](const Person& p, bool surcharge) {
        if (p.sameAs.empty() && p.alive && p.renounced)
            out.push_back({p.name, surcharge});
    };
    auto below = [&](auto&& self, const Person& p) -> void {
        for (const Person& c : p.children) {
            add(c, true);
            self(self, c);
        }
    };
    if (f.spouse)
        add(*f.spouse, false);
    for (const Person& c : f.children) {
        add(c, c.grandchild);
        below(below, c);
    }
    for (const Person& a : f.ascendants)
        add(a, a.degree != 1);
    for (const Person& s : f.siblings) {
        add(s, true);
        below(below, s);
    }
}

} // namespace

Fraction fraction(std::int64_t num, std::int64_t den)
{
    if (den < 0) {
        num = times(num, -1);
        den = times(den, -1);
    }
    const std::int64_t g = std::gcd(num, den);
    return g > 1 ? Fraction{num / g, den / g} : Fraction{num, den};
}

Fraction operator+(Fraction a, Fraction b)
{
    const std::int64_t g = std::gcd(a.den, b.den);
    return fraction(plus(times(a.num, b.den / g), times(b.num, a.den / g)), times(a.den / g, b.den));
}

Fraction operator*(Fraction a, Fraction b)
{
    const std::int64_t g1 = std::max<std::int64_t>(1, std::gcd(a.num, b.den));
    const std::int64_t g2 = std::max<std::int64_t>(1, std::gcd(b.num, a.den));
    return fraction(times(a.num / g1, b.num / g2), times(a.den / g2, b.den / g1));
}

std::string text(Fraction f)
{
    return f.den == 1 ? std::to_string(f.num) : std::to_string(f.num) + "/" + std::to_string(f.den);
}

std::string percent(Fraction f)
{
    return formatTwoDecimals(static_cast<double>(f.num) * 100.0 / static_cast<double>(f.den)) + "%";
}

Judgement judge(const Family& f)
{
    const std::map<std::string, const Person*> defs = Validator(f).run();
    Judgement j;
    const Outcome civil = Evaluator(f, defs, World{true, {}}).run();
    j.order = civil.order;
    j.heirs = civil.heirs;
    collectRenouncers(f, j.renounced);

    // 相続税法15②: as if nobody renounced; adoptees up to 1 beside a 実子 (15③: 特別養子,
    // the spouse's own child, a 代襲 heir), else up to 2, the first in the children's order.
    World tax{false, {}};
    Outcome counted = Evaluator(f, defs, tax).run();
    std::vector<const Person*> adoptees;
    for (std::size_t i = 0; i < counted.heirs.size(); ++i) {
        const Heir& h = counted.heirs[i];
        if (h.relation == Relation::Adoptee && !counted.persons[i]->deemedNatural)
            adoptees.push_back(counted.persons[i]);
        else if (counted.order == Order::Children && h.relation != Relation::Spouse)
            j.natural = true;
    }
    const std::size_t limit = j.natural || adoptees.size() <= 1 ? 1 : 2;
    j.adoptees = static_cast<int>(adoptees.size());
    j.adopteesCounted = static_cast<int>(std::min(adoptees.size(), limit));
    for (std::size_t i = limit; i < adoptees.size(); ++i)
        tax.leftOut.insert(adoptees[i]);
    if (!tax.leftOut.empty())
        counted = Evaluator(f, defs, tax).run();
    j.taxOrder = counted.order;
    j.taxShares = counted.heirs;
    for (std::size_t i = 0; i < counted.heirs.size(); ++i)
        j.taxShares[i].renounced = counted.persons[i]->renounced;
    j.taxHeirs = static_cast<int>(counted.heirs.size());
    if (j.taxHeirs > std::numeric_limits<std::int16_t>::max())
        refuse("相続人が多すぎて基礎控除額を計算できません。");
    j.basicDeduction = tax::basicDeduction(*f.law, static_cast<std::int16_t>(j.taxHeirs));
    return j;
}

std::string_view relationWord(Relation r)
{
    static constexpr std::string_view kWords[] = {"配偶者", "子",     "養子",       "代襲相続人",       "養子・代襲相続人",
                                                  "父母",   "祖父母", "兄弟姉妹",   "半血の兄弟姉妹", "甥姪"};
    return kWords[static_cast<int>(r)];
}

std::string_view orderKey(Order o)
{
    static constexpr std::string_view kKeys[] = {"children", "ascendants", "siblings", "spouse_only", "none"};
    return kKeys[static_cast<int>(o)];
}

std::string_view orderWord(Order o)
{
    static constexpr std::string_view kWords[] = {"第1順位（子）", "第2順位（直系尊属）", "第3順位（兄弟姉妹）",
                                                  "配偶者のみ", "相続人なし"};
    return kWords[static_cast<int>(o)];
}

std::string article(const Heir& h, Order order)
{
    switch (h.relation) {
    case Relation::Spouse: {
        static constexpr const char* kWith[] = {"民法890条・900条1号", "民法890条・900条2号", "民法890条・900条3号",
                                                "民法890条", "民法890条"};
        return kWith[static_cast<int>(order)];
    }
    case Relation::Child: return "民法887条1項・900条4号";
    case Relation::Adoptee: return "民法809条・887条1項・900条4号";
    case Relation::Representative: return "民法887条2項・3項・901条1項";
    case Relation::AdopteeRepresentative: return "民法887条1項・2項・900条4号・901条1項";
    case Relation::Parent:
    case Relation::Grandparent: return "民法889条1項1号・900条4号";
    case Relation::Sibling: return "民法889条1項2号・900条4号";
    case Relation::HalfSibling: return "民法889条1項2号・900条4号ただし書";
    case Relation::NephewNiece: return "民法889条2項・901条2項";
    }
    return {};
}

} // namespace kz::family

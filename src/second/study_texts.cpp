// SPDX-License-Identifier: MIT
#include "second/study_texts.h"

#include "core/common/format.h"
#include "ui/app.h"

using namespace Qt::StringLiterals;

namespace kz::second {

const char16_t* entryCaption(Entry e)
{
    constexpr const char16_t* kCaptions[kEntryCount] = {
        u"一次相続の課税価格の合計（千円）", u"子の人数（人）",       u"配偶者の取得額（千円）",
        u"配偶者の取得割合（％）",           u"配偶者の固有財産（千円）", u"二次相続までの年数（10は10年以上）",
    };
    return kCaptions[static_cast<std::size_t>(e)];
}

QString shownAmount(double v) { return kz::ui::qs(formatGrouped(static_cast<double>(shown(v)))); }

QString minimumShares(const Optimum& best, std::int32_t estate)
{
    const auto percent = [estate](std::int32_t s) { return QString::number(estate > 0 ? 100.0 * s / estate : 0.0, 'f', 1); };
    QStringList ranges;
    for (const ShareRange& r : best.equalRanges)
        ranges << (r.from == r.to ? percent(r.from) : percent(r.from) + u"〜"_s + percent(r.to));
    if (ranges.isEmpty())
        ranges << percent(best.share);
    return u"最小 "_s + ranges.join(u"、"_s) + u" %"_s;
}

QString headline(const StudyForm& form)
{
    const Optimum& best = form.best();
    const std::int32_t estate = form.input().estate - form.input().legatee; // the spouse's range
    const auto percent = [estate](std::int32_t s) { return QString::number(estate > 0 ? 100.0 * s / estate : 0.0, 'f', 1); };
    // The share as amounts: a tie's whole stretch where there is one stretch.
    QString amounts = shownAmount(best.share);
    if (best.equalRanges.size() == 1 && best.equalRanges.front().from != best.equalRanges.front().to)
        amounts = shownAmount(best.equalRanges.front().from) + u"〜"_s + shownAmount(best.equalRanges.front().to);
    QString text = u"最も少ない割合：%1（%2千円）　合計 %3千円"_s.arg(minimumShares(best, estate).mid(3), amounts,
                                                                   shownAmount(best.total));
    // Savings as the shown figures subtract, so that the sentence adds up with the table.
    const auto against = [&](const QString& what, double total) {
        const std::int64_t saved = shown(total) - shown(best.total);
        return saved > 0 ? what + u"より "_s + kz::ui::qs(formatGrouped(static_cast<double>(saved))) + u"千円少ない"_s
                         : what + u"と同じ"_s;
    };
    QStringList savings;
    for (const TableRow& row : form.table())
        if (row.kind == TableRow::Kind::Statutory)
            savings << against(u"法定相続分（%1 %）"_s.arg(percent(row.share)), row.figures.total);
    savings << against(u"選んだ割合（%1 %）"_s.arg(percent(form.input().spouseShare)), form.figures().total);
    return text + u" — "_s + savings.join(u"、"_s);
}

QStringList tableColumns() { return {u"取得割合"_s, u"配偶者の取得額"_s, u"一次相続"_s, u"二次相続"_s, u"合計"_s}; }

QStringList tableCells(const TableRow& row, const StudyForm& form)
{
    using Kind = TableRow::Kind;
    const QString percent = QString::number(row.percent, 'f', row.kind == Kind::Step ? 0 : 1) + u" %"_s;
    QString share = shownAmount(row.share);
    QString caption = percent;
    switch (row.kind) {
    case Kind::Step: break;
    case Kind::Statutory: caption = u"法定相続分 "_s + percent; break;
    case Kind::Limit: caption = u"1億6千万円 "_s + percent; break;
    case Kind::Chosen: caption = u"選択 "_s + percent; break;
    case Kind::Optimum: {
        const Optimum& best = form.best();
        caption = minimumShares(best, form.input().estate - form.input().legatee);
        if (best.equalRanges.size() == 1 && best.equalRanges.front().from != best.equalRanges.front().to)
            share = shownAmount(best.equalRanges.front().from) + u"〜"_s + shownAmount(best.equalRanges.front().to);
        break;
    }
    }
    return {caption, share, shownAmount(row.figures.firstPayable), shownAmount(row.figures.secondPayable),
            shownAmount(row.figures.total)};
}

} // namespace kz::second

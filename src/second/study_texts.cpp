// SPDX-License-Identifier: MIT
#include "second/study_texts.h"

#include "common/format.h"
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

QStringList tableColumns() { return {u"取得割合"_s, u"配偶者の取得額"_s, u"一次相続"_s, u"二次相続"_s, u"合計"_s}; }

QStringList tableCells(const TableRow& row)
{
    const QString percent = QString::number(row.percent, 'f', row.kind == TableRow::Kind::Step ? 0 : 1) + u" %"_s;
    const QString share = row.kind == TableRow::Kind::Step      ? percent
                          : row.kind == TableRow::Kind::Optimum ? u"最小 "_s + percent
                                                                : u"選択 "_s + percent;
    return {share, shownAmount(row.share), shownAmount(row.figures.firstPayable), shownAmount(row.figures.secondPayable),
            shownAmount(row.figures.total)};
}

} // namespace kz::second

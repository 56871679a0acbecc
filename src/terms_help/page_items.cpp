// SPDX-License-Identifier: MIT
#include "terms_help/page_items.h"

#include "ui/twips.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

using namespace Qt::StringLiterals;

namespace kz::terms {

FractionLabel::FractionLabel(const QString& numerator, const QString& denominator, QWidget* parent)
    : QWidget(parent)
    , numerator_(numerator)
    , denominator_(denominator)
{
    // Read aloud the Japanese way, denominator first: "2分の1".
    setAccessibleName(u"%1分の%2"_s.arg(denominator, numerator));
}

void FractionLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QFontMetrics fm = fontMetrics();
    const int textH = fm.height();
    const int gap = 2;
    const int top = (height() - (2 * textH + 2 * gap + 1)) / 2;
    const int ruleW = std::max(fm.horizontalAdvance(numerator_), fm.horizontalAdvance(denominator_)) + 6;
    const int ruleX = (width() - ruleW) / 2;
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(0, top, width(), textH), Qt::AlignCenter, numerator_);
    p.drawLine(ruleX, top + textH + gap, ruleX + ruleW - 1, top + textH + gap);
    p.drawText(QRect(0, top + textH + 2 * gap + 1, width(), textH), Qt::AlignCenter, denominator_);
}

ButtonFace::ButtonFace(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setAlignment(Qt::AlignCenter);
}

void ButtonFace::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    opt.initFrom(this);
    opt.state |= QStyle::State_Raised;
    opt.state &= ~QStyle::State_HasFocus;
    opt.text = text();
    p.drawControl(QStyle::CE_PushButton, opt);
}

QString pictureDescription(const Picture& picture, const tax::LawEdition& law)
{
    const QString caption = QString::fromUtf16(picture.which == SheetPicture::Upper ? law.giftRowCaption
                                                                                     : tax::yearsCaption(law));
    return QString::fromUtf16(picture.description).arg(caption);
}

QString lawText(const char16_t* text, const tax::LawEdition& law)
{
    return QString::fromUtf16(text)
        .replace(u"{法令}"_s, QString::fromUtf16(law.name))
        .replace(u"{元号}"_s, QString::fromUtf16(law.era))
        .replace(u"{精算課税の条件}"_s, QString::fromUtf16(law.settlementConditions));
}

std::vector<QLabel*> buildPage(const PageTable& table, QWidget* page, const PictureSource& pictures,
                               std::vector<LawText>* lawTexts)
{
    const auto followsLaw = [&](const ui::Control& c, QWidget* w) {
        auto* label = qobject_cast<QLabel*>(w);
        if (!label || !QString::fromUtf16(c.text).contains(u'{'))
            return;
        label->setText(lawText(c.text, tax::statedLaw()));
        if (lawTexts)
            lawTexts->push_back({c.text, label});
    };
    std::vector<QLabel*> pictureLabels;
    ui::buildControls(table.backdrop, page);
    for (const Picture& pic : table.pictures) {
        auto* label = new QLabel(page);
        label->setGeometry(ui::twipsRect(pic.left, pic.top, pic.width, pic.height));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (pictures)
            label->setPixmap(pictures(pic.which, label->size()));
        label->setAccessibleName(QString::fromUtf16(pic.name));
        label->setAccessibleDescription(pictureDescription(pic, tax::statedLaw()));
        pictureLabels.push_back(label);
    }
    for (const ui::Control& c : table.controls)
        followsLaw(c, ui::buildControl(c, page));
    for (const ui::Control& c : table.paragraphs) {
        auto* label = static_cast<QLabel*>(ui::buildControl(c, page));
        label->setWordWrap(true);
        followsLaw(c, label);
    }
    for (const Fraction& f : table.fractions) {
        auto* w = new FractionLabel(QString::fromUtf16(f.numerator), QString::fromUtf16(f.denominator), page);
        w->setGeometry(ui::twipsRect(f.left, f.top, f.width, f.height));
    }
    for (const ui::Control& c : table.buttonFaces) {
        auto* w = new ButtonFace(QString::fromUtf16(c.text), page);
        w->setGeometry(ui::twipsRect(c.left, c.top, c.width, c.height));
    }
    return pictureLabels;
}

} // namespace kz::terms

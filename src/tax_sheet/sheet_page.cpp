// SPDX-License-Identifier: MIT
#include "tax_sheet/sheet_page.h"

#include "core/tax_sheet/figures.h"

#include "tax_sheet/law_chooser.h"
#include "tax_sheet/sheet_layout.h"
#include "ui/app.h"
#include "ui/action_box.h"
#include "ui/command_button.h"
#include "ui/controls.h"
#include "ui/entry_field.h"
#include "ui/text_fit.h"
#include "ui/twips.h"
#include "ui/modal.h"
#include "ui/placement.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace kz::tax {

using kz::ui::ActionBox;
using kz::ui::CommandButton;
using kz::ui::EntryField;
using kz::ui::qs;
using kz::ui::twipsRect;

namespace {

QRect pixels(const layout::Rect& r) { return twipsRect(r.left, r.top, r.width, r.height); }

// What the law's drop-down takes beside the longest law's name: its mark and margins.
constexpr int kChooserMark = 24;

std::optional<Arrow> arrowOf(int key)
{
    switch (key) {
    case Qt::Key_Left: return Arrow::Left;
    case Qt::Key_Up: return Arrow::Up;
    case Qt::Key_Right: return Arrow::Right;
    case Qt::Key_Down: return Arrow::Down;
    default: return std::nullopt;
    }
}

} // namespace

SheetPage::SheetPage(TaxSheet& sheet, QWidget* parent)
    : QWidget(parent)
    , sheet_(sheet)
{
    setObjectName(u"Picture3"_s);
    resize(kz::ui::twipsSize(layout::kPageWidth, layout::kPageHeight));
    kz::ui::setBackground(this, kz::ui::kWhite);

    // The heading is built like every caption, its text being the law's.
    const layout::Rect h = layout::kSheetHeading;
    heading_ = static_cast<QLabel*>(kz::ui::buildControl(
        {kz::ui::Kind::Label, u"", h.left, h.top, h.width, h.height, Qt::AlignLeft | Qt::AlignVCenter, 0, 0,
         layout::kHeadingPointSize, true},
        this));
    heading_->setText(layout::heading(sheet_.law()));
    // The heading and the law's drop-down over its bracket stay in the heading's box, clear of
    // the commands beside it: drawn smaller where the system's font is wider than the stated one.
    QFont headingFont = heading_->font();
    headingFont.setPointSizeF(kz::ui::fittingSize(headingFont, heading_->width(), [&](const QFont& f) {
        const QFontMetrics m(f);
        int name = 0;
        for (const LawEdition& law : lawEditions())
            name = std::max(name, m.horizontalAdvance(QString::fromUtf16(law.name)));
        return qreal(m.horizontalAdvance(layout::heading(sheet_.law()).section(u'[', 0, 0)) - 4 + name + kChooserMark);
    }));
    heading_->setFont(headingFont);
    buildCaptions();

    QFont amountFont(u"ＭＳ Ｐゴシック"_s);
    amountFont.setPointSizeF(9.75);
    for (int tab = 0; tab < kFieldCount; ++tab) {
        const Field f = fieldAtTab(tab);
        auto* e = new EntryField(this);
        e->setObjectName(qs(fieldName(f)));
        e->setGeometry(pixels(layout::fieldRect(f)));
        e->setAccessibleName(layout::fieldCaption(f, sheet_.law()));
        e->setAlignment(isShareField(f) ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
        // The sheet's fields take text of any length; the commit reads only its leading number.
        e->setMaxLength(std::numeric_limits<int>::max());
        if (f.array == FieldArray::Num1 || f.array == FieldArray::Num2)
            e->setFont(amountFont);
        if (!keepsInputMethod(f))
            e->setInputMethodAllowed(false);
        e->setText(qs(sheet_.text(f)));
        connect(e, &QLineEdit::textChanged, this, [this, f] { Num_Change(f); });
        e->onFocusIn = [this, f] { Num_GotFocus(f); };
        e->onFocusOut = [this, f] { Num_LostFocus(f); };
        e->onKeyDown = [this, f](int key) { return Num_KeyDown(f, key); };
        e->onEnter = [this, f] { Num_Enter(f); };
        fields_[static_cast<std::size_t>(tab)] = e;
    }

    for (int slot = 0; slot < kLabelCount; ++slot) {
        const Label l = labelAtSlot(slot);
        const layout::Rect r = layout::labelRect(l);
        QLabel* label = kz::ui::makeLabel(qs(sheet_.labelText(l)), r.left, r.top, r.width, r.height, this,
                                          Qt::AlignRight | Qt::AlignVCenter);
        label->setObjectName(qs(labelName(l)));
        kz::ui::setBackground(label, kz::ui::kPaleYellow);
        label->setFrameShape(QFrame::Box);
        label->setIndent(3);
        label->setAccessibleDescription(layout::labelCaption(l, sheet_.law()));
        // A result can be selected and copied, though the Tab key passes it by.
        kz::ui::makeSelectable(label);
        kz::ui::fitText(label);
        if (l == kHiddenLabel)
            label->hide();
        labels_[static_cast<std::size_t>(slot)] = label;
    }

    for (const ClearLabel c : layout::kClearingLabels) {
        const QString caption = QString::fromUtf16(layout::clearingCaption(c));
        if (c == ClearLabel::Label7) {
            // "CE" heads the column and clears nothing: a heading, so no control.
            const layout::Rect r = layout::clearingLabelRect(c);
            QLabel* heading = kz::ui::makeLabel(caption, r.left, r.top, r.width, r.height, this, Qt::AlignCenter);
            heading->setObjectName(layout::clearingLabelName(c));
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            continue;
        }
        auto* box = new ActionBox(caption, this);
        box->setObjectName(layout::clearingLabelName(c));
        box->setGeometry(pixels(layout::clearingLabelRect(c)));
        box->setAlignment(Qt::AlignCenter);
        box->setAccessibleName(layout::clearingActionName(c));
        kz::ui::setBackground(box, kz::ui::kLightCyan);
        box->setFrameShape(QFrame::Box);
        box->setCursor(Qt::PointingHandCursor);
        box->onClick = [this, c] { Label_Click(c); };
        clearing_[static_cast<std::size_t>(c)] = box;
    }

    Command4 = new CommandButton(u"納付税額計算"_s, this);
    Command4->setObjectName(u"Command4"_s);
    Command4->setGeometry(pixels(layout::kCommand4));
    connect(Command4, &QPushButton::clicked, this, &SheetPage::Command4_Click);

    // The law's drop-down lies over the heading's bracket, in its font, wide enough for
    // every edition's name and the drop-down mark.
    Combo1 = new LawChooser(this);
    Combo1->setObjectName(u"Combo1"_s);
    Combo1->setAccessibleName(u"適用する法令"_s);
    // On Linux a combo box's accessible name is its current text, and a screen reader names
    // it by the label whose buddy it is: a hidden one carries the name there.
    auto* chooserName = new QLabel(Combo1->accessibleName(), this);
    chooserName->setBuddy(Combo1);
    chooserName->hide();
    Combo1->setFont(headingFont);
    const QFontMetrics heading(headingFont);
    int nameWidth = 0;
    for (const LawEdition& law : lawEditions()) {
        Combo1->addItem(QString::fromUtf16(law.name));
        nameWidth = std::max(nameWidth, heading.horizontalAdvance(QString::fromUtf16(law.name)));
    }
    const int bracketLeft = heading.horizontalAdvance(layout::heading(sheet_.law()).section(u'[', 0, 0));
    Combo1->setGeometry(heading_->x() + bracketLeft - 4, heading_->y(), nameWidth + kChooserMark, heading_->height());
    Combo1->setCurrentIndex(static_cast<int>(&sheet_.law() - lawEditions().data()));
    connect(Combo1, &QComboBox::currentIndexChanged, this, &SheetPage::Combo1_Change);

    // The 2割加算 marks of heirs 2..4 in the free band under ⑤, in the notes' small face.
    for (int p = 2; p <= 4; ++p) {
        auto* box = new QCheckBox(this);
        box->setObjectName(u"Surcharge%1"_s.arg(p));
        box->setGeometry(pixels(layout::surchargeRect(p)));
        QFont small = box->font();
        small.setPointSizeF(8);
        box->setFont(small);
        connect(box, &QCheckBox::clicked, this, [this, p](bool on) { sheet_.setSurcharged(p, on); });
        surchargeBoxes[static_cast<std::size_t>(p - 2)] = box;
        mirrorColumn(p);
    }

    for (std::size_t tab = 1; tab < fields_.size(); ++tab)
        setTabOrder(fields_[tab - 1], fields_[tab]);
    setTabOrder(fields_.back(), Command4);

    sheet_.inputChanged = [this](Field f) { mirrorField(f); };
    sheet_.labelChanged = [this](Label l) { mirrorLabel(l); };
    sheet_.lawChanged = [this] { followLaw(); };
    sheet_.columnChanged = [this](int p) { mirrorColumn(p); };
}

SheetPage::~SheetPage()
{
    sheet_.inputChanged = nullptr;
    sheet_.labelChanged = nullptr;
    sheet_.lawChanged = nullptr;
    sheet_.columnChanged = nullptr;
    for (EntryField* e : fields_) {
        e->onFocusIn = nullptr;
        e->onFocusOut = nullptr;
    }
}

EntryField* SheetPage::field(Field f) const { return fields_.at(static_cast<std::size_t>(tabIndex(f))); }
QLabel* SheetPage::resultLabel(Label l) const { return labels_.at(static_cast<std::size_t>(labelSlot(l))); }
ActionBox* SheetPage::clearingLabel(ClearLabel c) const { return clearing_.at(static_cast<std::size_t>(c)); }

void SheetPage::enterField(Field f) { field(f)->enter(); }

// A run that stops on a figure beyond the sheet's range says so, and the user starts again
// at the first amount.
void SheetPage::Command4_Click()
{
    const auto stop = stopMessage(sheet_.command4());
    // On a screen smaller than the sheet the answers come into sight below the command.
    kz::ui::showInView(this, pixels(layout::kCommand4).united(pixels(layout::kPayableRow)));
    tellStop(stop);
}

void SheetPage::tellStop(std::string_view message)
{
    if (message.empty())
        return;
    QMessageBox box(QMessageBox::Warning, u"相続税計算"_s, qs(message), QMessageBox::Ok, this);
    kz::ui::runModal(box, window());
    enterField(amountField(1, 0));
}

void SheetPage::adopt(const TaxSheet& computed)
{
    // The window's own wiring stays: only the model's state is the computed one.
    auto input = std::move(sheet_.inputChanged);
    auto label = std::move(sheet_.labelChanged);
    auto law = std::move(sheet_.lawChanged);
    auto column = std::move(sheet_.columnChanged);
    sheet_ = computed;
    sheet_.inputChanged = std::move(input);
    sheet_.labelChanged = std::move(label);
    sheet_.lawChanged = std::move(law);
    sheet_.columnChanged = std::move(column);
    for (int p = 2; p <= 4; ++p)
        mirrorColumn(p);
    followLaw();
    for (int tab = 0; tab < kFieldCount; ++tab)
        sheet_.inputChanged(fieldAtTab(tab));
    for (int slot = 0; slot < kLabelCount; ++slot)
        sheet_.labelChanged(labelAtSlot(slot));
}

void SheetPage::Label_Click(ClearLabel label) { sheet_.click(label); }

void SheetPage::Combo1_Change(int index)
{
    const auto editions = lawEditions();
    if (index >= 0 && index < static_cast<int>(editions.size()))
        sheet_.setLaw(editions[static_cast<std::size_t>(index)]);
}

// Captions and frames lie under the fields and labels, also when a law rebuilds them.
void SheetPage::buildCaptions()
{
    for (QWidget* w : captions_)
        delete w;
    captions_.clear();
    // A caption longer than its box wraps where its box has the height for the lines, and is
    // drawn smaller where it has not: a system font wider than the stated one must not push
    // half a line out of a one-line box. Measuring every caption is a good part of a sheet's
    // build and gives the same answer for every sheet of one law, so the first sheet of the
    // process measures each law's captions.
    enum class Fit : char { AsIs, Wrap, Smaller };
    static std::map<const LawEdition*, std::vector<Fit>> fitsByLaw;
    std::vector<Fit>& fits = fitsByLaw[&sheet_.law()];
    const bool measure = fits.empty();
    std::size_t index = 0;
    for (const kz::ui::Control& c : layout::fixedControls(sheet_.law())) {
        QWidget* w = kz::ui::buildControl(c, this);
        auto* label = qobject_cast<QLabel*>(w);
        if (measure) {
            Fit fit = Fit::AsIs;
            if (label && label->sizeHint().width() > label->width()) {
                label->setWordWrap(true);
                // A pixel over, as a caption's box is drawn to its font's line height.
                fit = label->heightForWidth(label->width()) <= label->height() + 1 ? Fit::Wrap : Fit::Smaller;
                label->setWordWrap(false);
            }
            fits.push_back(fit);
        }
        switch (fits[index++]) {
        case Fit::Wrap: label->setWordWrap(true); break;
        case Fit::Smaller: kz::ui::fitText(label); break;
        case Fit::AsIs: break;
        }
        captions_.push_back(w);
    }
    for (auto it = captions_.rbegin(); it != captions_.rend(); ++it) {
        (*it)->lower();
        (*it)->show();
    }
}

void SheetPage::followLaw()
{
    const LawEdition& law = sheet_.law();
    heading_->setText(layout::heading(law));
    buildCaptions();
    for (int tab = 0; tab < kFieldCount; ++tab)
        fields_[static_cast<std::size_t>(tab)]->setAccessibleName(layout::fieldCaption(fieldAtTab(tab), law));
    for (int slot = 0; slot < kLabelCount; ++slot)
        labels_[static_cast<std::size_t>(slot)]->setAccessibleDescription(layout::labelCaption(labelAtSlot(slot), law));
    Combo1->setCurrentIndex(static_cast<int>(&law - lawEditions().data()));
    emit lawChanged();
}

void SheetPage::Num_Change(Field f) { sheet_.setText(f, kz::ui::utf8(field(f)->text())); }

void SheetPage::Num_GotFocus(Field f)
{
    sheet_.gotFocus(f);
    // Caret at the start with everything selected: the first key typed replaces the value.
    // Every field, not only the amounts: a count "4" and a typed "5" must not make 45 heirs.
    EntryField* e = field(f);
    const auto length = static_cast<int>(e->text().size());
    e->setSelection(length, -length);
}

void SheetPage::Num_LostFocus(Field f) { sheet_.lostFocus(f); }

bool SheetPage::Num_KeyDown(Field f, int key)
{
    const std::optional<Arrow> arrow = arrowOf(key);
    if (!arrow)
        return false;
    const std::optional<Field> target = arrowTarget(f, *arrow);
    if (!target)
        return false;
    moveFocus(FocusTarget::to(*target));
    return true;
}

void SheetPage::Num_Enter(Field f)
{
    if (const std::optional<FocusTarget> target = enterTarget(f))
        moveFocus(*target);
}

void SheetPage::moveFocus(const FocusTarget& target)
{
    QWidget* w = target.kind == FocusTarget::Kind::Command4 ? static_cast<QWidget*>(Command4) : field(target.field);
    // A target that cannot take the focus leaves it where it is.
    if (w->isEnabled() && w->isVisible())
        w->setFocus(Qt::OtherFocusReason);
}

void SheetPage::mirrorField(Field f)
{
    EntryField* e = field(f);
    const QString text = qs(sheet_.text(f));
    // Only the model's own rewrites differ; the user's edit is already there, caret and all.
    if (e->text() != text)
        e->setText(text);
}

// "相続人 2 ２割加算", with the person the family put in the column: "相続人 2（長男）２割加算".
void SheetPage::mirrorColumn(int p)
{
    if (p < 2 || p > 4)
        return;
    QCheckBox* box = surchargeBoxes[static_cast<std::size_t>(p - 2)];
    const QString name = qs(sheet_.columnName(p));
    box->setText(layout::columnHeading(p) + (name.isEmpty() ? u" "_s : u"（"_s + name + u"）"_s) + u"２割加算"_s);
    box->setChecked(sheet_.surcharged(p));
}

void SheetPage::mirrorLabel(Label l) { resultLabel(l)->setText(qs(sheet_.labelText(l))); }

} // namespace kz::tax

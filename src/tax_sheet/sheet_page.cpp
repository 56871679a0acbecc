#include "tax_sheet/sheet_page.h"

#include "tax_sheet/sheet_layout.h"
#include "ui/app.h"
#include "ui/click_label.h"
#include "ui/command_button.h"
#include "ui/controls.h"
#include "ui/entry_field.h"
#include "ui/twips.h"

#include <QLabel>

#include <limits>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace kz::tax {

using kz::ui::ClickLabel;
using kz::ui::CommandButton;
using kz::ui::EntryField;
using kz::ui::qs;
using kz::ui::twipsRect;

namespace {

QRect pixels(const layout::Rect& r) { return twipsRect(r.left, r.top, r.width, r.height); }

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
    , m_sheet(sheet)
{
    setObjectName(u"Picture3"_s);
    resize(kz::ui::twipsSize(layout::kPageWidth, layout::kPageHeight));
    kz::ui::setBackground(this, kz::ui::kWhite);

    // Captions and frames first, so that the fields and labels lie on top of them. A caption
    // longer than its box wraps; measuring every caption is a good part of a sheet's build
    // and gives the same answer for every sheet, so the first sheet of the process measures.
    static std::vector<bool> wraps;
    const bool measure = wraps.empty();
    std::size_t index = 0;
    for (const kz::ui::Control& c : layout::fixedControls()) {
        auto* label = qobject_cast<QLabel*>(kz::ui::buildControl(c, this));
        if (measure)
            wraps.push_back(label && label->sizeHint().width() > label->width());
        if (wraps[index++])
            label->setWordWrap(true);
    }

    QFont amountFont(u"ＭＳ Ｐゴシック"_s);
    amountFont.setPointSizeF(9.75);
    for (int tab = 0; tab < kFieldCount; ++tab) {
        const Field f = fieldAtTab(tab);
        auto* e = new EntryField(this);
        e->setObjectName(qs(fieldName(f)));
        e->setGeometry(pixels(layout::fieldRect(f)));
        e->setAccessibleName(layout::fieldCaption(f));
        e->setAlignment(isShareField(f) ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
        // The sheet's fields take text of any length; the commit reads only its leading number.
        e->setMaxLength(std::numeric_limits<int>::max());
        if (f.array == FieldArray::Num1 || f.array == FieldArray::Num2)
            e->setFont(amountFont);
        if (!keepsInputMethod(f))
            e->setInputMethodAllowed(false);
        e->setText(qs(m_sheet.text(f)));
        connect(e, &QLineEdit::textChanged, this, [this, f] { Num_Change(f); });
        e->onFocusIn = [this, f] { Num_GotFocus(f); };
        e->onFocusOut = [this, f] { Num_LostFocus(f); };
        e->onKeyDown = [this, f](int key) { return Num_KeyDown(f, key); };
        e->onEnter = [this, f] { Num_Enter(f); };
        m_fields[static_cast<std::size_t>(tab)] = e;
    }

    for (int slot = 0; slot < kLabelCount; ++slot) {
        const Label l = labelAtSlot(slot);
        const layout::Rect r = layout::labelRect(l);
        QLabel* label = kz::ui::makeLabel(qs(m_sheet.labelText(l)), r.left, r.top, r.width, r.height, this,
                                          Qt::AlignRight | Qt::AlignVCenter);
        label->setObjectName(qs(labelName(l)));
        kz::ui::setBackground(label, kz::ui::kPaleYellow);
        label->setFrameShape(QFrame::Box);
        label->setIndent(3);
        label->setAccessibleDescription(layout::labelCaption(l));
        if (l == sheetLabel(1))
            label->hide();
        m_labels[static_cast<std::size_t>(slot)] = label;
    }

    for (const ClearLabel c : layout::kClearingLabels) {
        auto* label = new ClickLabel(QString::fromUtf16(layout::clearingCaption(c)), this);
        label->setObjectName(layout::clearingLabelName(c));
        label->setGeometry(pixels(layout::clearingLabelRect(c)));
        label->setAlignment(Qt::AlignCenter);
        if (c == ClearLabel::Label7) {
            // "CE" heads the column and clears nothing.
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        } else {
            kz::ui::setBackground(label, kz::ui::kLightCyan);
            label->setFrameShape(QFrame::Box);
            label->setCursor(Qt::PointingHandCursor);
            label->onClick = [this, c] { Label_Click(c); };
        }
        m_clearing[static_cast<std::size_t>(c)] = label;
    }

    Command4 = new CommandButton(u"納付税額計算"_s, this);
    Command4->setObjectName(u"Command4"_s);
    Command4->setGeometry(pixels(layout::kCommand4));
    connect(Command4, &QPushButton::clicked, this, &SheetPage::Command4_Click);

    for (std::size_t tab = 1; tab < m_fields.size(); ++tab)
        setTabOrder(m_fields[tab - 1], m_fields[tab]);
    setTabOrder(m_fields.back(), Command4);

    m_sheet.inputChanged = [this](Field f) { mirrorField(f); };
    m_sheet.labelChanged = [this](Label l) { mirrorLabel(l); };
}

SheetPage::~SheetPage()
{
    m_sheet.inputChanged = nullptr;
    m_sheet.labelChanged = nullptr;
    for (EntryField* e : m_fields) {
        e->onFocusIn = nullptr;
        e->onFocusOut = nullptr;
    }
}

EntryField* SheetPage::field(Field f) const { return m_fields.at(static_cast<std::size_t>(tabIndex(f))); }
QLabel* SheetPage::resultLabel(Label l) const { return m_labels.at(static_cast<std::size_t>(labelSlot(l))); }
ClickLabel* SheetPage::clearingLabel(ClearLabel c) const { return m_clearing.at(static_cast<std::size_t>(c)); }

void SheetPage::enterField(Field f) { field(f)->enter(); }

void SheetPage::Command4_Click() { m_sheet.command4(); }
void SheetPage::Label_Click(ClearLabel label) { m_sheet.click(label); }

void SheetPage::Num_Change(Field f) { m_sheet.setText(f, kz::ui::utf8(field(f)->text())); }

void SheetPage::Num_GotFocus(Field f)
{
    if (!m_sheet.gotFocus(f))
        return;
    // Caret at the start with everything selected: the first key typed replaces the value.
    EntryField* e = field(f);
    const auto length = static_cast<int>(e->text().size());
    e->setSelection(length, -length);
}

void SheetPage::Num_LostFocus(Field f) { m_sheet.lostFocus(f); }

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
    const QString text = qs(m_sheet.text(f));
    // Only the model's own rewrites differ; the user's edit is already there, caret and all.
    if (e->text() != text)
        e->setText(text);
}

void SheetPage::mirrorLabel(Label l) { resultLabel(l)->setText(qs(m_sheet.labelText(l))); }

} // namespace kz::tax

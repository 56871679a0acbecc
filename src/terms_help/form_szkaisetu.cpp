// SPDX-License-Identifier: MIT
#include "terms_help/form_szkaisetu.h"

#include "terms_help/pages.h"
#include "terms_help/sheet_pictures.h"
#include "terms_help/tab_dialog.h"
#include "ui/app.h"
#include "ui/command_button.h"
#include "ui/controls.h"
#include "ui/twips.h"
#include "ui/placement.h"

#include <QLabel>
#include <QShortcut>

using namespace Qt::StringLiterals;

namespace kz::terms {

namespace {
constexpr Twips kTabRowHeight = 360; // two rows of captions above the pages
} // namespace

FormSZkaisetu::FormSZkaisetu(QWidget* parent)
    : QWidget(parent, kz::ui::kFixedWindow)
{
    kz::ui::setWindowFont(this);
    setObjectName(u"FormSZkaisetu"_s);
    setWindowTitle(u"相続税の用語と解説"_s);
    setFixedSize(ui::twipsSize(9015, 7065));

    SSTab1 = new TabDialog(3, kTabRowHeight, this);
    SSTab1->setObjectName(u"SSTab1"_s);
    SSTab1->setGeometry(ui::twipsRect(0, 0, 9015, 7095));

    int index = 0;
    for (const PageTable& table : helpPages()) {
        QWidget* page = SSTab1->addPage(QString::fromUtf16(table.caption));
        const std::vector<QLabel*> shown =
            buildPage(table, page, [this](SheetPicture which, QSize size) { return sheetPicture(which, size, *law_); },
                      &lawTexts_);
        for (std::size_t i = 0; i < shown.size(); ++i)
            pictures_.emplace_back(&table.pictures[i], shown[i]);
        if (table.lawNote)
            notePlaces_.emplace_back(table.lawNote, page);
        auto* close = new ui::CommandButton(u"閉じる"_s, page);
        close->setObjectName(u"Command1(%1)"_s.arg(index));
        close->setGeometry(ui::twipsRect(table.close.x, table.close.y, 1335, 375));
        connect(close, &QPushButton::clicked, this, [this, index] { Command1_Click(index); });
        Command1[static_cast<std::size_t>(index)] = close;
        ++index;
    }
    // Esc closes the window, as each "閉じる" does.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { Command1_Click(SSTab1->currentIndex()); });
    Form_Load();
}

void FormSZkaisetu::followLaw(const tax::LawEdition& law)
{
    if (&law == law_)
        return;
    law_ = &law;
    // The first page's pictures show the sheet under this law, captions and all.
    for (const auto& [picture, label] : pictures_) {
        label->setPixmap(sheetPicture(picture->which, label->size(), law));
        label->setAccessibleDescription(pictureDescription(*picture, law));
    }
    for (const auto& [text, label] : lawTexts_)
        label->setText(lawText(text, law));
    showLawNotes();
}

// A law with figures of its own beside the stated text shows them in a framed note.
void FormSZkaisetu::showLawNotes()
{
    for (QLabel* note : notes_)
        delete note;
    notes_.clear();
    if (law_->settlementNote.empty())
        return;
    QString text = u"<b>%1</b>"_s.arg(QString::fromUtf16(law_->settlementNote.front()).toHtmlEscaped());
    for (const char16_t* line : law_->settlementNote.subspan(1))
        text += u"<br>"_s + QString::fromUtf16(line).toHtmlEscaped();
    for (const auto& [place, page] : notePlaces_) {
        auto* note = static_cast<QLabel*>(ui::buildControl({ui::Kind::Box, u"", place->left, place->top, place->width,
                                                            place->height, place->align, ui::kPaleYellow},
                                                           page));
        note->setTextFormat(Qt::RichText);
        note->setText(text);
        note->setWordWrap(true);
        note->setMargin(4);
        note->show();
        notes_.push_back(note);
    }
}

void FormSZkaisetu::Form_Load() { ui::placeOnScreen(this, kHelpAcross, kHelpDown); }

void FormSZkaisetu::Command1_Click(int) { close(); }

} // namespace kz::terms

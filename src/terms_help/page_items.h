// SPDX-License-Identifier: MIT
#pragma once
// What the help pages are made of, beyond the shared control tables: paragraphs that wrap,
// fractions drawn the way they are written on paper, the picture of a button, and the
// pictures of the tax sheet.
// moc cannot parse the standard <concepts> header that the model's headers pull in.
#ifndef Q_MOC_RUN
#include "core/tax_sheet/law.h"
#endif
#include "ui/controls.h"

#include <QLabel>
#include <QPixmap>

#include <functional>
#include <span>
#include <vector>

namespace kz::terms {

// numerator over a short rule over denominator, centred in its box.
class FractionLabel : public QWidget {
    Q_OBJECT
public:
    FractionLabel(const QString& numerator, const QString& denominator, QWidget* parent);
    QString numerator() const { return numerator_; }
    QString denominator() const { return denominator_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString numerator_, denominator_;
};

// A caption drawn as a raised push button that does nothing: it shows the user which
// button of the sheet the note beside it means. A screen reader reads it as text.
class ButtonFace : public QLabel {
    Q_OBJECT
public:
    ButtonFace(const QString& text, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

struct Fraction {
    const char16_t* numerator;
    const char16_t* denominator;
    Twips left, top, width, height;
};

enum class SheetPicture { Upper, Lower };

struct Picture {
    SheetPicture which;
    Twips left, top, width, height;
    const char16_t* name;        // what a screen reader announces
    const char16_t* description; // what the picture shows; %1: the law's caption named in it
};

// A picture's description under a law: the upper names the gift row, the lower the years.
QString pictureDescription(const Picture& picture, const tax::LawEdition& law);

// One page of the window, in the order its parts are stacked: backdrop panels, pictures,
// then captions, frames and rules, wrapped paragraphs, fractions and button pictures on top.
struct PageTable {
    const char16_t* caption;
    std::span<const ui::Control> backdrop;
    std::span<const Picture> pictures;
    std::span<const ui::Control> controls;
    std::span<const ui::Control> paragraphs;
    std::span<const Fraction> fractions;
    std::span<const ui::Control> buttonFaces;
    Point close; // the page's "閉じる"
    // Where a law edition's own note on this page stands, framed; nullptr: nowhere.
    const ui::Control* lawNote = nullptr;
};

using PictureSource = std::function<QPixmap(SheetPicture which, QSize size)>;

// A text of a page that names the law edition or its era, which belong to the law: "{法令}"
// stands for the edition's name, "{元号}" for its era, "{精算課税の条件}" for the conditions
// of settlement taxation at inheritance.
QString lawText(const char16_t* text, const tax::LawEdition& law);

// A label whose text names the law, with the text it was built from.
struct LawText {
    const char16_t* text;
    QLabel* label;
};

// Builds a page's fixed contents on `page`; `pictures` renders the sheet's images. Returns
// the picture labels, in the table's order, so that a window can render them again. Texts
// that name the law read the stated one; `lawTexts`, if given, gets their labels.
std::vector<QLabel*> buildPage(const PageTable& table, QWidget* page, const PictureSource& pictures,
                               std::vector<LawText>* lawTexts = nullptr);

} // namespace kz::terms

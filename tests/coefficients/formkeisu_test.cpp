// SPDX-License-Identifier: MIT
#include "qtest_support.h"

#include "coefficients/formkeisu.h"
#include "core/common/geometry.h"
#include "ui/action_box.h"
#include "ui/command_button.h"
#include "ui/focus_frame.h"
#include "ui/print.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

using namespace Qt::StringLiterals;
using namespace kz::coef;

namespace {

using Texts = QList<QString>;

using kz::test::focused;
using kz::test::press;

void keys(const QString& text) { QTest::keyClicks(focused(), text); }

} // namespace

class FormkeisuTest : public QObject {
    Q_OBJECT

    QPointer<Formkeisu> w;

    QLineEdit* num(int i) const { return w->controls.Num1[static_cast<std::size_t>(i)]; }
    QPushButton* button(Calc c) const { return w->controls.calculate[static_cast<std::size_t>(indexOf(c))]; }
    QString text(int i) const { return num(i)->text(); }

    void showTab(int tab)
    {
        QTabBar* bar = w->SSTab1->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
        QCOMPARE(w->SSTab1->currentIndex(), tab);
    }

    // Arrives by a click (which selects the whole text), so typing replaces the text.
    void typeInto(int field, const QString& typed)
    {
        QTest::mouseClick(num(field), Qt::LeftButton);
        QCOMPARE(focused(), num(field));
        if (typed.isEmpty())
            press(Qt::Key_Backspace);
        else
            keys(typed);
        QCOMPARE(text(field), typed);
    }

    // The worked examples, in the order of each calculation's input fields.
    static void addExamples()
    {
        QTest::addColumn<int>("calc");
        QTest::addColumn<Texts>("typed");
        QTest::addColumn<QString>("amountShown");
        QTest::addColumn<Texts>("results");
        QTest::newRow("future value") << 0 << Texts{u"1000000"_s, u"4"_s, u"10"_s} << u"1,000,000"_s
                                      << Texts{u"1,480,244"_s};
        QTest::newRow("price rise") << 1 << Texts{u"1.6"_s, u"10"_s} << QString() << Texts{u"1.17"_s};
        QTest::newRow("present value") << 2 << Texts{u"10"_s, u"5000000"_s, u"3"_s} << u"5,000,000"_s
                                       << Texts{u"3,720,470"_s};
        QTest::newRow("land decline") << 3 << Texts{u"10"_s, u"2"_s, u"10000000"_s} << u"10,000,000"_s
                                      << Texts{u"8,203,482"_s, u"82"_s};
        QTest::newRow("sinking fund") << 4 << Texts{u"1000000"_s, u"10"_s, u"3"_s} << u"1,000,000"_s
                                      << Texts{u"87,231"_s};
        QTest::newRow("annuity future") << 5 << Texts{u"100000"_s, u"10"_s, u"3"_s} << u"100,000"_s
                                        << Texts{u"1,146,388"_s};
        QTest::newRow("withdrawal") << 6 << Texts{u"10000000"_s, u"10"_s, u"3"_s} << u"10,000,000"_s
                                    << Texts{u"1,172,305"_s};
        QTest::newRow("loan repayment") << 7 << Texts{u"20000000"_s, u"25"_s, u"5"_s} << u"20,000,000"_s
                                        << Texts{u"1,419,049"_s};
        QTest::newRow("annuity present") << 8 << Texts{u"1000000"_s, u"10"_s, u"3"_s} << u"1,000,000"_s
                                         << Texts{u"8,530,203"_s};
    }

    Texts resultTexts(Calc c) const
    {
        Texts out;
        for (int r : calc(c).results)
            if (r != kNone)
                out << text(r);
        return out;
    }

    // An amount of 1000 at 10 % over 10 years: every result of a run is well above zero.
    void fillForAResult(Calc c)
    {
        Texts typed;
        for (int f = kz::coef::calc(c).first; f <= kz::coef::calc(c).last; ++f)
            if (isInput(f))
                typed << (field(f).kind == FieldKind::Amount ? u"1000"_s : u"10"_s);
        fillByKeys(c, typed);
    }

    void fillByKeys(Calc c, const Texts& typed)
    {
        const CalcInfo& ci = calc(c);
        showTab(ci.tab);
        int i = 0;
        for (int f = ci.first; f <= ci.last; ++f)
            if (isInput(f))
                typeInto(f, typed.at(i++));
    }

private slots:
    void init()
    {
        w = new Formkeisu;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

    void cleanup() { delete w; }

    void opensOnTheFirstTabReadyForTheFirstAmount()
    {
        QCOMPARE(w->windowTitle(), u"基本係数"_s);
        QCOMPARE(w->size(), QSize(585, 375));
        QCOMPARE(w->SSTab1->geometry(), QRect(0, 0, 585, 377));
        const Texts captions{u"終価係数"_s, u"現価係数"_s, u"減債基金"_s, u"年金終価"_s, u"資本回収"_s, u"年金現価"_s};
        QCOMPARE(w->SSTab1->count(), 6);
        for (int t = 0; t < 6; ++t)
            QCOMPARE(w->SSTab1->tabText(t), captions[t]);
        QCOMPARE(w->SSTab1->currentIndex(), 0);
        QCOMPARE(focused(), num(0));
        QCOMPARE(num(0)->selectedText(), u"0"_s);
        const QRect screen = w->screen()->geometry();
        const kz::Point at = kz::placeWindow({screen.width(), screen.height()},
                                             {w->frameGeometry().width(), w->frameGeometry().height()}, 2, 4);
        QCOMPARE(w->frameGeometry().topLeft(), QPoint(at.x, at.y) + screen.topLeft());
    }

    void fieldsAsDesigned()
    {
        for (int i = 0; i < kFieldCount; ++i) {
            const bool result = !isInput(i);
            const bool decimals = field(i).kind == FieldKind::Rate || i == 6;
            QCOMPARE(text(i), decimals ? u"0.00"_s : u"0"_s);
            QCOMPARE(num(i)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
            QCOMPARE(num(i)->height(), 18);
            QCOMPARE(num(i)->palette().color(QPalette::Base), result ? QColor(255, 255, 192) : QColor(Qt::white));
            QCOMPARE(num(i)->isReadOnly(), result);
            QCOMPARE(num(i)->focusPolicy(), result ? Qt::ClickFocus : Qt::StrongFocus);
            QVERIFY(!num(i)->testAttribute(Qt::WA_InputMethodEnabled)); // inputs and results
        }
        QCOMPARE(num(0)->accessibleName(), u"終価係数 元利合計の計算 運用金額"_s);
        QCOMPARE(num(5)->accessibleName(), u"終価係数 物価上昇率の計算 年数"_s);
        QCOMPARE(num(33)->accessibleName(), u"年金現価 必要資金の計算 受給年数"_s);
        QCOMPARE(button(Calc::PriceRise)->accessibleName(), u"計算（物価上昇率）"_s);
        QCOMPARE(num(3)->accessibleDescription(), u"元利合計"_s);
        QCOMPARE(num(35)->accessibleDescription(), u"必要資金（原資）"_s);
        QCOMPARE(num(15)->accessibleDescription(), u"現在の…％まで下落しています。"_s);
        QCOMPARE(w->controls.Label2[4]->accessibleName(), u"毎年の積立額の計算をクリア"_s);
    }

    void pagesShowTheirTexts_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<Texts>("labels");
        QTest::addColumn<Texts>("buttons");
        QTest::newRow("終価係数") << 0
            << Texts{u"※ 【 終 価 係 数 】　現在の額から将来の額を求めるときに使用します。"_s,
                     u"例 ：　100万円を年利率4％で10年間複利で運用したときの元利合計は？"_s,
                     u"例 ：　物価上昇率を年1.6％とすると、10年後の物価は現在の何倍になりますか？"_s,
                     u"運用金額"_s, u"元利合計"_s, u"年利率"_s, u"年　数"_s, u"物価上昇率"_s, u"現時の物価"_s,
                     u"円"_s, u"％"_s, u"年"_s, u"倍"_s, u"CE"_s}
            << Texts{u"計　算"_s, u"計　算"_s, u"閉じる"_s};
        QTest::newRow("現価係数") << 1
            << Texts{u"※ 【 現 価 係 数 】  将来の額から運用率を考慮して、現在必要な額を求めるときに使います。"_s,
                     u"例 ：　10年後に500万円が必要になります。年利3％で複利運用できた場合、今いくら預ければ\n"
                     u"500万円になりますか。"_s,
                     u"例 ：　土地の価格が下がっていて、毎年2％ずつ下がっています。このまま下がり続け場合、\n"
                     u"10年後の土地の価格はいくらになっているか求めよ。"_s,
                     u"年　数"_s, u"預ける金額"_s, u"必要額"_s, u"年利率"_s, u"将来価格"_s, u"現在の"_s,
                     u"％まで下落しています。"_s, u"現在価格"_s}
            << Texts{u"計 算"_s, u"計 算"_s, u"閉じる"_s};
        QTest::newRow("減債基金") << 2
            << Texts{u"※ 【 減債基金係数 】  将来目標とする額を貯めるために必要な毎年の積立額を求めるときに使います。"_s,
                     u"例 ：　10年後に100万円貯めたい。年利率3％で複利運用ができる場合、毎年いくらずつ\n"
                     u"積み立てればよいか。"_s,
                     u"将来目標金額"_s, u"毎年の積立額"_s, u"目標年数"_s, u"年利率"_s}
            << Texts{u"計　算"_s, u"閉じる"_s};
        QTest::newRow("年金終価") << 3
            << Texts{u"※ 【 年金終価係数 】  毎年の積立額から将来の元利合計を求めます。"_s,
                     u"例 ：　毎年10万円を10年間、年利3％の複利で積み立てたら10年後の元利合計はいくらですか。"_s,
                     u"毎年の積立額"_s, u"元利合計額"_s, u"積立期間"_s, u"年利率"_s}
            << Texts{u"計 算"_s, u"閉じる"_s};
        QTest::newRow("資本回収") << 4
            << Texts{u"※ ① 【 資本回収係数 】  現在の額を運用しながら受け取れる額"_s,
                     u"例 ：　1,000万円を年利3％で複利運用しながら、10年間にわたって年金として取り崩す場合\n"
                     u"毎年受け取れる年金の額はいくらですか。"_s,
                     u"② 【 資本回収係数 】  借り入れ額に対する利息を含めた毎年の返済額を求めるときに使用する。"_s,
                     u"例 ：　2,000万円を年利5％で借りて、25年で返済する場合の毎年の返済額はいくらか。"_s,
                     u"預入金"_s, u"毎年受取れる額"_s, u"受取り年数"_s, u"借入額"_s, u"毎年の返済額"_s, u"返済年数"_s}
            << Texts{u"計　算"_s, u"計　算"_s, u"閉じる"_s};
        QTest::newRow("年金現価") << 5
            << Texts{u"※ 【 年金現価係数 】  希望する年金額を受け取りために必要な、年金原資を求めるときに使用します。"_s,
                     u"例 ：　毎年100万円の年金を10年間受け取りたい。年利率3％で複利運用できる場合\n"
                     u"いくらの原資が必要か求めよ。"_s,
                     u"毎年の目標金額"_s, u"必要資金（原資）"_s, u"受給年数"_s, u"年利率"_s}
            << Texts{u"計　算"_s, u"閉じる"_s};
    }

    void pagesShowTheirTexts()
    {
        QFETCH(int, tab);
        QFETCH(Texts, labels);
        QFETCH(Texts, buttons);
        showTab(tab);
        QWidget* page = w->SSTab1->widget(tab);
        Texts shown;
        for (QLabel* l : page->findChildren<QLabel*>())
            if (l->isVisible())
                shown << l->text();
        for (const QString& t : labels)
            QVERIFY2(shown.contains(t), qPrintable(t));
        // The report's and the case file's, on every page.
        buttons << u"計算過程"_s << u"PDFに保存…"_s << u"印刷プレビュー…"_s << u"開く…"_s << u"保存…"_s;
        Texts captions;
        for (QPushButton* b : page->findChildren<QPushButton*>())
            captions << b->text();
        std::sort(captions.begin(), captions.end());
        std::sort(buttons.begin(), buttons.end());
        QCOMPARE(captions, buttons);
        QVERIFY(page->findChild<QLabel*>(u"Picture1(%1)"_s.arg(tab))->isVisible());
        // Nothing of another page shows through.
        for (QWidget* other : w->findChildren<QLineEdit*>())
            QCOMPARE(other->isVisible(), page->isAncestorOf(other));
    }

    // Every control of a page stands whole on the white panel, apart from the others,
    // and every text fits in its control at the window's font.
    void everyTextFitsAndNothingOverlaps()
    {
        for (int tab = 0; tab < kTabCount; ++tab) {
            showTab(tab);
            QWidget* page = w->SSTab1->widget(tab);
            QWidget* shape = page->findChild<QWidget*>(u"Shape%1"_s.arg(tab + 1));
            const QRect panel(shape->mapTo(w, QPoint()), shape->size());
            QVERIFY(w->rect().contains(panel));
            QList<std::pair<QString, QRect>> boxes;
            for (QWidget* c : shape->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (c == shape || !c->isVisible())
                    continue;
                const QRect r(c->mapTo(w, QPoint()), c->size());
                QVERIFY2(panel.contains(r), qPrintable(c->objectName()));
                auto* l = qobject_cast<QLabel*>(c);
                boxes.append({u"%1 on tab %2"_s.arg(l ? l->text() : c->objectName()).arg(tab), r});
                if (l && !l->text().isEmpty())
                    kz::test::checkTextFits(l);
                if (auto* b = qobject_cast<QPushButton*>(c))
                    QVERIFY(b->fontMetrics().horizontalAdvance(b->text()) + 12 <= b->width());
            }
            kz::test::checkApart(boxes);
        }
    }

    void enterRunsThroughACalculationToItsButton_data() { addExamples(); }

    void enterRunsThroughACalculationToItsButton()
    {
        QFETCH(int, calc);
        QFETCH(Texts, typed);
        QFETCH(QString, amountShown);
        QFETCH(Texts, results);
        const Calc c = calcAt(calc);
        const CalcInfo& ci = kz::coef::calc(c);
        showTab(ci.tab);
        QTest::mouseClick(num(ci.first), Qt::LeftButton);
        int i = 0;
        for (int f = ci.first; f <= ci.last; ++f) {
            if (!isInput(f))
                continue;
            QCOMPARE(focused(), num(f));
            QCOMPARE(num(f)->selectedText(), text(f)); // arriving selects, so typing replaces
            keys(typed.at(i++));
            press(Qt::Key_Return);
        }
        QCOMPARE(focused(), button(c));
        for (const QString& r : resultTexts(c))
            QCOMPARE(r, u"0"_s); // Enter only moved the focus
        if (ci.amountField != kNone)
            QCOMPARE(text(ci.amountField), amountShown);
        press(Qt::Key_Return);
        QCOMPARE(resultTexts(c), results);
        QCOMPARE(focused(), button(c));
        press(Qt::Key_Return); // again: the same result
        QCOMPARE(resultTexts(c), results);
    }

    void arrowKeys_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("clickThenType"); // a click into the field reached keeps its selection
        QTest::newRow("Down 2 -> 4 across the tab") << 2 << int(Qt::Key_Down) << 4 << false;
        QTest::newRow("Up 4 -> 2") << 4 << int(Qt::Key_Up) << 2 << false;
        QTest::newRow("Down 0 -> 1") << 0 << int(Qt::Key_Down) << 1 << false;
        QTest::newRow("Up 0 stays") << 0 << int(Qt::Key_Up) << 0 << false;
        QTest::newRow("Down 5 stays") << 5 << int(Qt::Key_Down) << 5 << false;
        QTest::newRow("Down 9 stays") << 9 << int(Qt::Key_Down) << 9 << false;
        QTest::newRow("Up 11 stays") << 11 << int(Qt::Key_Up) << 11 << false;
        QTest::newRow("Up 30 -> 29") << 30 << int(Qt::Key_Up) << 29 << false;
        QTest::newRow("Down 33 -> 34") << 33 << int(Qt::Key_Down) << 34 << false;
        QTest::newRow("Down 0 -> 1, a click, 4") << 0 << int(Qt::Key_Down) << 1 << true;
    }

    void arrowKeys()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        QFETCH(bool, clickThenType);
        showTab(calc(field(from).calc).tab);
        QTest::mouseClick(num(from), Qt::LeftButton);
        const QString before = text(from);
        QTest::keyClick(focused(), Qt::Key(key));
        QCOMPARE(focused(), num(to));
        QCOMPARE(num(to)->selectedText(), text(to));
        QCOMPARE(text(from), before);
        if (clickThenType) {
            QTest::mouseClick(num(to), Qt::LeftButton, {}, QPoint(num(to)->width() - 4, num(to)->height() / 2));
            keys(u"4"_s);
            QCOMPARE(text(to), u"4"_s); // not "0.004", nor 40.00 once left
        }
    }

    void charactersOnAButton_data()
    {
        QTest::addColumn<int>("calc");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("computes");
        QTest::newRow("digit on Command8") << indexOf(Calc::AnnuityFuture) << u"5"_s << true;
        QTest::newRow("letter on Command13") << indexOf(Calc::AnnuityPresent) << u"a"_s << true;
        QTest::newRow("digit on Command1") << indexOf(Calc::FutureValue) << u"5"_s << false;
        QTest::newRow("digit on Command2") << indexOf(Calc::PriceRise) << u"1"_s << false;
        QTest::newRow("digit on Command4") << indexOf(Calc::PresentValue) << u"9"_s << false;
    }

    void charactersOnAButton()
    {
        QFETCH(int, calc);
        QFETCH(QString, typed);
        QFETCH(bool, computes);
        const Calc c = calcAt(calc);
        fillForAResult(c);
        button(c)->setFocus(Qt::TabFocusReason);
        keys(typed);
        QCOMPARE(focused(), button(c));
        QCOMPARE(resultTexts(c).first() != u"0"_s, computes);
    }

    // Keys that type a control character are typed characters as well; Delete is not.
    void controlKeysOnAButton_data()
    {
        QTest::addColumn<int>("calc");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("computes");
        QTest::newRow("Backspace on Command8") << indexOf(Calc::AnnuityFuture) << int(Qt::Key_Backspace) << true;
        QTest::newRow("Escape on Command11") << indexOf(Calc::LoanRepayment) << int(Qt::Key_Escape) << true;
        QTest::newRow("Delete on Command8") << indexOf(Calc::AnnuityFuture) << int(Qt::Key_Delete) << false;
        QTest::newRow("Backspace on Command4") << indexOf(Calc::PresentValue) << int(Qt::Key_Backspace) << false;
        QTest::newRow("Escape on Command1") << indexOf(Calc::FutureValue) << int(Qt::Key_Escape) << false;
    }

    void controlKeysOnAButton()
    {
        QFETCH(int, calc);
        QFETCH(int, key);
        QFETCH(bool, computes);
        const Calc c = calcAt(calc);
        fillForAResult(c);
        button(c)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button(c), Qt::Key(key));
        QCOMPARE(focused(), button(c));
        QCOMPARE(resultTexts(c).first() != u"0"_s, computes);
    }

    // Space presses every button on its release; on the buttons that take typed
    // characters it is typed too, so their calculation runs already at the press.
    void spaceOnAButton_data()
    {
        QTest::addColumn<int>("calc");
        QTest::addColumn<bool>("computesAtPress");
        QTest::newRow("Command5") << indexOf(Calc::LandDecline) << true;
        QTest::newRow("Command7") << indexOf(Calc::SinkingFund) << true;
        QTest::newRow("Command8") << indexOf(Calc::AnnuityFuture) << true;
        QTest::newRow("Command10") << indexOf(Calc::Withdrawal) << true;
        QTest::newRow("Command11") << indexOf(Calc::LoanRepayment) << true;
        QTest::newRow("Command13") << indexOf(Calc::AnnuityPresent) << true;
        QTest::newRow("Command1") << indexOf(Calc::FutureValue) << false;
        QTest::newRow("Command2") << indexOf(Calc::PriceRise) << false;
        QTest::newRow("Command4") << indexOf(Calc::PresentValue) << false;
    }

    void spaceOnAButton()
    {
        QFETCH(int, calc);
        QFETCH(bool, computesAtPress);
        const Calc c = calcAt(calc);
        fillForAResult(c);
        button(c)->setFocus(Qt::TabFocusReason);
        QTest::keyPress(button(c), Qt::Key_Space);
        QCOMPARE(resultTexts(c).first() != u"0"_s, computesAtPress);
        const Texts atPress = resultTexts(c);
        QTest::keyRelease(button(c), Qt::Key_Space);
        QVERIFY(resultTexts(c).first() != u"0"_s);
        if (computesAtPress)
            QCOMPARE(resultTexts(c), atPress); // the second run gives the same result
        QCOMPARE(focused(), button(c));
    }

    // The message moves the focus to the field: the button is not left pressed, and the
    // release of the key cannot press it a second time.
    void spaceOnAButtonWithABadYear()
    {
        showTab(3);
        typeInto(21, u"-"_s);
        button(Calc::AnnuityFuture)->setFocus(Qt::TabFocusReason);
        auto seen = kz::test::answerNextMessageBox(QMessageBox::Ok);
        QTest::keyPress(button(Calc::AnnuityFuture), Qt::Key_Space);
        QVERIFY(seen->shown);
        QTRY_COMPARE(focused(), num(21));
        QVERIFY(!button(Calc::AnnuityFuture)->isDown());
        QTest::keyRelease(focused(), Qt::Key_Space);
        QCOMPARE(focused(), num(21));
        QCOMPARE(text(21), u"-"_s);
    }

    void arrivalResetsTheResultsOfItsCalculation()
    {
        fillByKeys(Calc::PriceRise, {u"1.6"_s, u"10"_s});
        QTest::mouseClick(button(Calc::PriceRise), Qt::LeftButton);
        QCOMPARE(text(6), u"1.17"_s);
        QTest::mouseClick(num(4), Qt::LeftButton);
        QCOMPARE(text(6), u"0"_s);

        fillByKeys(Calc::LandDecline, {u"10"_s, u"2"_s, u"10000000"_s});
        QTest::mouseClick(button(Calc::LandDecline), Qt::LeftButton);
        QCOMPARE(resultTexts(Calc::LandDecline), (Texts{u"8,203,482"_s, u"82"_s}));
        QTest::mouseClick(num(13), Qt::LeftButton);
        press(Qt::Key_Up);
        QCOMPARE(focused(), num(12));
        QCOMPARE(resultTexts(Calc::LandDecline), (Texts{u"0"_s, u"0"_s}));
        // Another calculation's result stays.
        QTest::mouseClick(button(Calc::PresentValue), Qt::LeftButton);
        QCOMPARE(text(10), u"0"_s);
    }

    void aResultStaysWhileTheTabsAreLookedAt()
    {
        fillByKeys(Calc::FutureValue, {u"1000000"_s, u"4"_s, u"10"_s});
        press(Qt::Key_Return);
        press(Qt::Key_Return);
        QCOMPARE(text(3), u"1,480,244"_s);
        showTab(3);
        showTab(0);
        QCOMPARE(focused(), w->SSTab1->tabBar());
        QCOMPARE(text(3), u"1,480,244"_s);
        press(Qt::Key_Tab); // into the page, at its first field
        QCOMPARE(focused(), num(0));
        QCOMPARE(text(3), u"0"_s);
    }

    void anAmountTypedIsStoredBeforeAClickedButtonReadsIt()
    {
        fillByKeys(Calc::FutureValue, {u"1"_s, u"4"_s, u"10"_s});
        typeInto(0, u"1000000"_s);
        QTest::mouseClick(button(Calc::FutureValue), Qt::LeftButton);
        QCOMPARE(text(0), u"1,000,000"_s);
        QCOMPARE(w->model().amount(0), 1000000);
        QCOMPARE(text(3), u"1,480,244"_s);
    }

    // A click chose a control of this window while another window was in front: the
    // control gets the focus only as this window comes back. It is still a move from the
    // field under edit, which stores its amount; a field so reached arrives as on any move.
    // Coming back to the same field is no move: the text under edit stays.
    void controlChosenWhileTheWindowWasInactive_data()
    {
        QTest::addColumn<int>("chosen"); // kNone: the calculate button Command1
        QTest::addColumn<QString>("shownInNum0");
        QTest::addColumn<int>("stored");
        QTest::newRow("the next field") << 1 << u"1,234"_s << 1234;
        QTest::newRow("a field of the price rise") << 4 << u"1,234"_s << 1234;
        QTest::newRow("the calculate button") << int(kNone) << u"1,234"_s << 1234;
        QTest::newRow("the same field") << 0 << u"1234"_s << 0;
    }

    void controlChosenWhileTheWindowWasInactive()
    {
        QFETCH(int, chosen);
        QFETCH(QString, shownInNum0);
        QFETCH(int, stored);
        fillByKeys(Calc::PriceRise, {u"1.6"_s, u"10"_s});
        QTest::mouseClick(button(Calc::PriceRise), Qt::LeftButton);
        QCOMPARE(text(6), u"1.17"_s);
        typeInto(0, u"1234"_s);

        QWidget* target = chosen == kNone ? static_cast<QWidget*>(button(Calc::FutureValue)) : num(chosen);
        QVERIFY(kz::test::chooseWhileInactive(w, target));

        QCOMPARE(focused(), target);
        QCOMPARE(text(0), shownInNum0);
        QCOMPARE(w->model().amount(0), stored);
        QCOMPARE(text(6), chosen == 4 ? u"0"_s : u"1.17"_s);
        if (chosen != kNone && chosen != 0)
            QCOMPARE(num(chosen)->selectedText(), text(chosen));
    }

    void tabVisitsInputsAndButtonsOnly()
    {
        const QList<QWidget*> order{num(1), num(2), button(Calc::FutureValue), num(4), num(5),
                                    button(Calc::PriceRise), w->controls.close[0], w->controls.Label2[0],
                                    w->controls.Label2[1], w->controls.Picture1[0], w->controls.extra[0][0],
                                    w->controls.extra[0][1], w->controls.extra[0][2],
                                    w->controls.extra[0][3], w->controls.extra[0][4],
                                    w->SSTab1->tabBar(), num(0)};
        for (QWidget* next : order) {
            press(Qt::Key_Tab);
            QCOMPARE(focused(), next);
        }
        showTab(4);
        const QList<QWidget*> order4{num(24), num(25), num(26), button(Calc::Withdrawal), num(28), num(29),
                                     num(30), button(Calc::LoanRepayment), w->controls.close[4],
                                     w->controls.Label2[6], w->controls.Label2[7], w->controls.Picture1[4]};
        for (QWidget* next : order4) {
            press(Qt::Key_Tab);
            QCOMPARE(focused(), next);
        }
    }

    void filterKeepsDigitsSignAndPoint()
    {
        QTest::mouseClick(num(1), Qt::LeftButton);
        kz::test::typeText(focused(), u"1a ,+2-.５"_s);
        QCOMPARE(text(1), u"12-."_s);
    }

    void invalidInputIsReported_data()
    {
        QTest::addColumn<int>("calc");
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<int>("reported");
        QTest::addColumn<bool>("byCharKey");
        QTest::addColumn<QString>("message");
        const QString kNotANumber = u"数値を入力してください"_s;
        QTest::newRow("future value, both empty: rate first") << 0 << QString() << QString() << 1 << false << kNotANumber;
        QTest::newRow("future value, years -") << 0 << u"-"_s << u"4"_s << 2 << false << kNotANumber;
        QTest::newRow("price rise, rate .") << 1 << u"10"_s << u"."_s << 4 << false << kNotANumber;
        QTest::newRow("present value, both .: years first") << 2 << u"."_s << u"."_s << 7 << false << kNotANumber;
        QTest::newRow("land decline, years empty") << 3 << QString() << u"2"_s << 11 << true << kNotANumber;
        QTest::newRow("sinking fund, rate -") << 4 << u"10"_s << u"-"_s << 18 << false << kNotANumber;
        QTest::newRow("annuity future, rate 1.2.3, by a digit") << 5 << u"10"_s << u"1.2.3"_s << 22 << true << kNotANumber;
        // A stop that no check foresaw: the message says why, the calculation starts again.
        QTest::newRow("price rise beyond a double") << 1 << u"1000"_s << u"1000"_s << 4 << false
                                                    << u"数値が大きすぎるため計算できません。"_s;
        QTest::newRow("sinking fund, rate 0") << 4 << u"10"_s << u"0"_s << 16 << false
                                              << u"この年利率と年数では計算できません。"_s;
    }

    void invalidInputIsReported()
    {
        QFETCH(int, calc);
        QFETCH(QString, years);
        QFETCH(QString, rate);
        QFETCH(int, reported);
        QFETCH(bool, byCharKey);
        QFETCH(QString, message);
        const Calc c = calcAt(calc);
        const CalcInfo& ci = kz::coef::calc(c);
        showTab(ci.tab);
        typeInto(ci.yearsField, years);
        typeInto(ci.rateField, rate);
        auto seen = kz::test::answerNextMessageBox(QMessageBox::Ok);
        if (byCharKey) {
            button(c)->setFocus(Qt::TabFocusReason);
            keys(u"7"_s);
        } else {
            QTest::mouseClick(button(c), Qt::LeftButton);
        }
        QVERIFY(seen->shown);
        QCOMPARE(seen->title, u"エラー"_s);
        QCOMPARE(seen->text, message);
        QCOMPARE(seen->icon, QMessageBox::Warning);
        QCOMPARE(seen->buttons, Texts{u"OK"_s});
        QTRY_COMPARE(focused(), num(reported));
        QCOMPARE(num(reported)->selectedText(), text(reported));
        if (!text(reported).isEmpty())
            QCOMPARE(num(reported)->selectionStart(), 0);
        for (const QString& r : resultTexts(c))
            QCOMPARE(r, u"0"_s);
    }

    void clearLabels_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("rateField");
        QTest::addColumn<QString>("rateText");
        QTest::newRow("CE 0") << 0 << 0 << 1 << u"0.00"_s;
        QTest::newRow("CE 1 price rise") << 1 << 4 << 4 << u"0.00"_s;
        QTest::newRow("CE 2") << 2 << 7 << 9 << u"0.00"_s;
        QTest::newRow("CE 3") << 3 << 11 << 12 << u"0.00"_s;
        QTest::newRow("CE 4 sinking fund: rate to 0") << 4 << 16 << 18 << u"0"_s;
        QTest::newRow("CE 5") << 5 << 20 << 22 << u"0.00"_s;
        QTest::newRow("CE 6") << 6 << 24 << 26 << u"0.00"_s;
        QTest::newRow("CE 7") << 7 << 28 << 30 << u"0.00"_s;
        QTest::newRow("CE 8") << 8 << 32 << 34 << u"0.00"_s;
    }

    void clearLabels()
    {
        QFETCH(int, index);
        QFETCH(int, first);
        QFETCH(int, rateField);
        QFETCH(QString, rateText);
        const Calc c = calcAt(index);
        // Every amount on the window holds a value, to see which one the clear touches.
        for (int f = 0; f < kFieldCount; ++f) {
            if (field(f).kind == FieldKind::Amount) {
                showTab(calc(field(f).calc).tab);
                typeInto(f, u"5"_s);
            }
        }
        fillByKeys(c, c == Calc::PriceRise ? Texts{u"1.6"_s, u"10"_s} : Texts{u"10"_s, u"10"_s, u"10"_s});
        press(Qt::Key_Return); // to the button
        press(Qt::Key_Return); // computes
        QVERIFY(resultTexts(c).first() != u"0"_s);
        QTest::mouseClick(w->controls.Label2[static_cast<std::size_t>(index)], Qt::LeftButton);
        QCOMPARE(focused(), num(first));
        QCOMPARE(num(first)->selectedText(), text(first));
        QCOMPARE(text(rateField), rateText);
        // The clear writes the design texts; the arrival in the first field then shows "0".
        for (const QString& r : resultTexts(c))
            QCOMPARE(r, u"0"_s);
        for (int s = 0; s < kAmountCount; ++s) {
            const bool cleared = calc(c).amountField != kNone && field(calc(c).amountField).slot == s;
            QCOMPARE(w->model().amount(s), cleared ? 0 : 5);
        }
    }

    void clearWhileTheFirstFieldIsBeingEdited()
    {
        QTest::mouseClick(num(0), Qt::LeftButton);
        keys(u"123"_s);
        QTest::mouseClick(w->controls.Label2[0], Qt::LeftButton);
        QCOMPARE(focused(), num(0));
        QCOMPARE(num(0)->selectedText(), u"0"_s);
        press(Qt::Key_Return);
        QCOMPARE(w->model().amount(0), 0);
        QCOMPARE(text(0), u"0"_s);
    }

    void printingHidesTheIconOfTheTab()
    {
        showTab(2);
        typeInto(16, u"1234567"_s);
        kz::ui::ActionBox* icon = w->controls.Picture1[2];
        kz::test::PrintCapture printed(icon);
        auto seen = kz::test::answerNextMessageBox(QMessageBox::Yes);
        QTest::mouseClick(icon, Qt::LeftButton);
        QTRY_VERIFY(icon->isVisible());
        QCOMPARE(printed.pages, 1);
        QVERIFY(printed.iconHidden);
        QCOMPARE(printed.orientation, kz::ui::PageOrientation::AsPrinterIs);
        QCOMPARE(printed.page.boundingRect(), w->rect());
        // The amount being typed was stored and grouped before the picture was taken.
        QCOMPARE(text(16), u"1,234,567"_s);
        icon->hide();
        const QImage shown = w->grab().toImage();
        icon->show();
        QCOMPARE_LT(kz::test::unlikePerMille(kz::test::renderPage(printed.page, w->devicePixelRatio()), shown), 10);
        QCOMPARE(seen->title, u"印刷"_s);
        QVERIFY(icon->isVisible());

        const auto answered = kz::test::answerNextMessageBox(QMessageBox::No);
        QTest::mouseClick(icon, Qt::LeftButton);
        QCOMPARE(printed.pages, 1);
        QVERIFY(icon->isVisible());
    }

    void closeButtonsClose_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("Command3 by Enter") << 0 << true;
        QTest::newRow("Command14 by click") << 5 << false;
    }

    void closeButtonsClose()
    {
        QFETCH(int, tab);
        QFETCH(bool, byEnter);
        showTab(tab);
        kz::ui::CommandButton* close = w->controls.close[static_cast<std::size_t>(tab)];
        if (byEnter) {
            close->setFocus(Qt::TabFocusReason);
            press(Qt::Key_Return);
        } else {
            QTest::mouseClick(close, Qt::LeftButton);
        }
        QTRY_VERIFY(w.isNull());
    }

    // The longest figures of an amount, a rate and a narrow result field are drawn whole, or at
    // the legible floor in a shorter form; Ctrl+C on a result copies the whole text.
    void longestFiguresShowWhole()
    {
        for (const QString& typed : {u"-2147483648"_s, u"0.0000000000000000000001"_s}) {
            keys(typed);
            press(Qt::Key_Return);
        }
        num(15)->setText(u"-2,147,483,648"_s);
        num(3)->setText(u"1,234,567,890,123,456,789"_s + u",123"_s); // 25 characters of 元利合計
        for (int f : {0, 1, 15, 3}) {
            const QString fails = kz::test::showsLegibly(num(f));
            QVERIFY2(fails.isEmpty(), qPrintable(text(f) + u' ' + fails));
        }
        num(3)->setFocus(Qt::MouseFocusReason);
        press(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), text(3));
    }

    // Enter on the last field puts the same focus frame on the button as Tab does.
    void focusShownAfterEnterAsAfterTab()
    {
        QImage looks[2];
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Tab}) {
            QTest::mouseClick(num(2), Qt::LeftButton);
            press(key);
            looks[key == Qt::Key_Tab] = button(Calc::FutureValue)->grab().toImage();
        }
        QCOMPARE(looks[0], looks[1]);
        QCOMPARE(looks[0].pixel(1, looks[0].height() / 2), kz::ui::kFocusColour);
    }

    // From a field under edit the pages turn; the amount is stored, and the focus goes to the
    // tab strip, so that no field of the page shown arrives. A dropped text is refused.
    void controlTabTurnsThePages()
    {
        keys(u"1000"_s);
        press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(w->SSTab1->currentIndex(), 1);
        QCOMPARE(focused(), w->SSTab1->tabBar());
        press(Qt::Key_PageUp, Qt::ControlModifier);
        press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w->SSTab1->currentIndex(), 5);
        QVERIFY(!kz::test::dropText(num(0), u"777770"_s));
        QCOMPARE(text(0), u"1,000"_s);
    }
};

KZ_QTEST_MAIN(FormkeisuTest)
#include "formkeisu_test.moc"

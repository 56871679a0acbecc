// SPDX-License-Identifier: MIT
#include "terms_help/pages.h"

namespace kz::terms {

using ui::Control;
using ui::Kind;

namespace {

constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr Qt::Alignment kTopLeft = Qt::AlignLeft | Qt::AlignTop;

// ---- Page 1: how to fill in the sheet ----
// The white panel and the two pictures of the sheet; the notes beside the lower picture
// are placed in its own coordinates.
constexpr Twips kPanelX = 240, kPanelY = 1200;
constexpr Twips kUpperX = kPanelX + 120, kUpperY = kPanelY + 360;
constexpr Twips kLowerX = kPanelX + 120, kLowerY = kPanelY + 2400;
constexpr Twips kPictureW = 4065;
// The table of statutory shares: two columns over three framed rows.
constexpr Twips kTableX = 4680, kColumnW = 1935, kHeadY = 1560, kRowH = 855;
constexpr Twips kRow1 = 1800, kRow2 = 2640, kRow3 = 3480;
constexpr Twips kShareX = kTableX + kColumnW, kHalfW = 967;
constexpr Twips kExampleW = 1290;

constexpr Control kSheetHelpBackdrop[] = {
    {Kind::Panel, u"", kPanelX, kPanelY, 4215, 4935, {}, ui::kWhite},
};

constexpr Picture kSheetHelpPictures[] = {
    {SheetPicture::Upper, kUpperX, kUpperY, kPictureW, 1935, u"計算シートの入力例（配偶者の列）",
     u"計算シート左上の画面。「相続・遺贈で取得した額」から「%1」までの行と"
     u"配偶者の列が写り、配偶者の最初の入力欄が選択されています。配偶者の入力欄の列を赤い輪で囲んでいます。"},
    {SheetPicture::Lower, kLowerX, kLowerY, kPictureW, 2535, u"計算シートの入力例（法定相続人数・法定相続分・年数）",
     u"計算シートの法定相続人数の入力欄、配偶者の法定相続分の分子と分母の入力欄、"
     u"相続人2から4の%1の入力欄の画面。右の例のとおり、法定相続人数に3、"
     u"配偶者の法定相続分に2分の1が入っています。それぞれを赤い輪で囲み、右側に説明を添えています。"},
};

constexpr Control kSheetHelpControls[] = {
    {Kind::Label, u"■使用方法　　太枠で囲んだところが入力場所です。", 240, 960, 4380, 240},
    {Kind::Label, u"手入力、Enterキー、↓、↑、←、→キーで移動します", kPanelX, kPanelY + 120, 4380, 240},
    {Kind::Label, u"←相続分を入力", kLowerX + 2640, kLowerY + 720, kPictureW - 2640, 240},
    {Kind::Label, u"←未成年者控除", kLowerX + 2760, kLowerY + 1800, kPictureW - 2760, 240},
    {Kind::Label, u"年数を入力", kLowerX + 3000, kLowerY + 2040, kPictureW - 3000, 240},

    {Kind::Label, u"法定相続分（民法900条）", kTableX, 1320, 2 * kColumnW, 240},
    {Kind::Frame, u"", kTableX, kHeadY, 2 * kColumnW, kRow3 + kRowH - kHeadY},
    {Kind::Line, u"", kShareX, kHeadY, 0, kRow3 + kRowH - kHeadY},
    {Kind::Line, u"", kTableX, kRow1, 2 * kColumnW, 0},
    {Kind::Line, u"", kTableX, kRow2, 2 * kColumnW, 0},
    {Kind::Line, u"", kTableX, kRow3, 2 * kColumnW, 0},
    {Kind::Label, u"相続人", kTableX, kHeadY, kColumnW, 240, kCentre},
    {Kind::Label, u"法定相続分", kShareX, kHeadY, kColumnW, 240, kCentre},

    {Kind::Label, u"① 配偶者と子", kTableX + 60, kRow1 + 60, kColumnW - 90, 240},
    {Kind::Label, u"配偶者", kShareX, kRow1 + 60, kHalfW, 240, kCentre},
    {Kind::Label, u"子", kShareX + kHalfW, kRow1 + 60, kHalfW, 240, kCentre},
    {Kind::Label, u"② 配偶者と直系尊属", kTableX + 60, kRow2 + 60, kColumnW - 90, 240},
    {Kind::Label, u"配偶者", kShareX, kRow2 + 60, kHalfW, 240, kCentre},
    {Kind::Label, u"直系尊属", kShareX + kHalfW, kRow2 + 60, kHalfW, 240, kCentre},
    {Kind::Label, u"③ 配偶者と兄弟姉妹", kTableX + 60, kRow3 + 60, kColumnW - 90, 240},
    {Kind::Label, u"配偶者", kShareX, kRow3 + 60, kHalfW, 240, kCentre},
    {Kind::Label, u"兄弟姉妹", kShareX + kHalfW, kRow3 + 60, kHalfW, 240, kCentre},

    {Kind::Label, u"←　例　：　配偶者、子1、子2（放棄）", 4560, 4560, 4200, 240},
    {Kind::Label, u"相続人1", kTableX, 4920, kExampleW, 240, kCentre},
    {Kind::Label, u"相続人2", kTableX + kExampleW, 4920, kExampleW, 240, kCentre},
    {Kind::Label, u"相続人3", kTableX + 2 * kExampleW, 4920, kExampleW, 240, kCentre},
    {Kind::Label, u"※法定相続分に上記の数値を設定する。", kTableX, 5640, 4200, 240},
    {Kind::Label, u"すべて入力してからこのボタンで計算します。", 360, 6720, 4800, 240},
};

// Notes that need more than one line where they stand.
constexpr Control kSheetHelpWrapped[] = {
    {Kind::Label, u"相続放棄の相続人も含めた人数", kLowerX + 2760, kLowerY, kPictureW - 2760, 480, kTopLeft},
    {Kind::Label, u"（相続放棄をした相続人も設定する）", kLowerX + 2760, kLowerY + 960, kPictureW - 2760, 720,
     kTopLeft},
    {Kind::Label, u"（子が複数の時は均分する）", kTableX + 60, kRow1 + 300, kColumnW - 90, 480, kTopLeft},
    {Kind::Label, u"（兄弟姉妹が複数の時は均分する）", kTableX + 60, kRow3 + 300, kColumnW - 90, 480, kTopLeft},
};

constexpr Fraction kSheetHelpFractions[] = {
    {u"1", u"2", kShareX, kRow1 + 300, kHalfW, 510},
    {u"1", u"2", kShareX + kHalfW, kRow1 + 300, kHalfW, 510},
    {u"2", u"3", kShareX, kRow2 + 300, kHalfW, 510},
    {u"1", u"3", kShareX + kHalfW, kRow2 + 300, kHalfW, 510},
    {u"3", u"4", kShareX, kRow3 + 300, kHalfW, 510},
    {u"1", u"4", kShareX + kHalfW, kRow3 + 300, kHalfW, 510},
    {u"1", u"2", kTableX, 5160, kExampleW, 480},
    {u"1", u"4", kTableX + kExampleW, 5160, kExampleW, 480},
    {u"1", u"4", kTableX + 2 * kExampleW, 5160, kExampleW, 480},
};

constexpr Control kSheetHelpButtons[] = {
    {Kind::Label, u"納付税額計算", 480, 6240, 2415, 375},
};

// ---- Page 2: terms ----
constexpr Control kTermsControls[] = {
    {Kind::Label, u"1、遺贈", 360, 960, 4000, 240},
    {Kind::Label, u"遺言によって財産を無償で譲り渡すこと。", 360, 1320, 8400, 240},
    {Kind::Label, u"2、みなし相続財産", 360, 1680, 4000, 240},
    {Kind::Label, u"3、非課税財産", 360, 3840, 4000, 240},
};

constexpr Control kTermsParagraphs[] = {
    {Kind::Label,
     u"本来の相続財産ではありませんが、相続税の計算上は相続財産とみなされ、相続税が課税される財産です。\n"
     u"次のものがあります。\n"
     u"　① 死亡保険金\n"
     u"　② 死亡退職金\n"
     u"　③ 生命保険契約に関する権利\n"
     u"　④ 上記以外の一定の利益の享受",
     480, 2040, 8280, 1800, kTopLeft},
    {Kind::Label,
     u"相続や遺贈によって取得した財産のうち、次のものには相続税がかかりません。\n"
     u"①墓地、墓碑、仏壇・仏具など\n"
     u"　これらは相続税の対象となる財産から除かれます。また、香典も相続財産にはなりません。\n"
     u"②生命保険の死亡保険金のうち一定額\n"
     u"　相続人が受け取った死亡保険金のうち、500万円×法定相続人の数までの金額は非課税です。\n"
     u"③死亡退職金のうち一定額\n"
     u"　相続人が受け取った死亡退職金についても、500万円×法定相続人の数までの金額は非課税です。",
     360, 4200, 8400, 2160, kTopLeft},
};

// ---- Page 3: settlement taxation at inheritance ----
// The gift as a bar: the part up to the allowance, and the part above it that is taxed.
constexpr Twips kBarX = 1080, kBarSplit = 4560, kBarEnd = 7680, kBarY = 4080, kBarH = 720;
// The same gift once the giver has died: both parts go into the estate.
constexpr Twips kEstateBarY = 5280, kEstateBarH = 480, kEstateSplit = 3240, kEstateEnd = 4440;

constexpr Control kSettlementBackdrop[] = {
    {Kind::Panel, u"", kBarX, kBarY, kBarSplit - kBarX, kBarH, {}, ui::kWhite},
    {Kind::Panel, u"", kBarSplit, kBarY, kBarEnd - kBarSplit, kBarH, {}, ui::kPaleYellow},
    {Kind::Panel, u"", kBarX, kEstateBarY, kEstateSplit - kBarX, kEstateBarH, {}, ui::kWhite},
    {Kind::Panel, u"", kEstateSplit, kEstateBarY, kEstateEnd - kEstateSplit, kEstateBarH, {}, ui::kPaleYellow},
};

constexpr Control kSettlementControls[] = {
    {Kind::Label, u"■ 贈与をした場合", 240, 3600, 3000, 240},
    {Kind::Frame, u"", kBarX, kBarY, kBarEnd - kBarX, kBarH},
    {Kind::Line, u"", kBarSplit, kBarY, 0, kBarH},
    {Kind::Label, u"贈与額：非課税枠を超える", 2400, 3840, 2400, 240},
    {Kind::Label, u"一律20％の贈与額が課税される", 4800, 3840, 3600, 240},
    {Kind::Label, u"非課税額", 1200, 4200, 1320, 240},
    {Kind::Label, u"2,500万円", 1200, 4440, 1320, 240},
    {Kind::Label, u"贈与額：非課税範囲", 2640, 4320, 1860, 240},

    {Kind::Label, u"■ 相続が発生した場合", 240, 4920, 3000, 240},
    {Kind::Frame, u"", kBarX, kEstateBarY, kEstateEnd - kBarX, kEstateBarH},
    {Kind::Line, u"", kEstateSplit, kEstateBarY, 0, kEstateBarH},

    {Kind::Label, u"■ すでに支払った贈与税はつぎの処理をする。", 2160, 6240, 5000, 240},
    {Kind::Label, u"納付税額（相続税）＝確定した相続税　－　支払済贈与税額", 2160, 6480, 5100, 240},
};

// A law edition's own note, under the stated conditions and above the diagrams.
constexpr Control kSettlementLawNote{Kind::Label, u"", 240, 2400, 8520, 1140, kTopLeft};

constexpr Control kSettlementParagraphs[] = {
    {Kind::Label,
     u"相続時精算課税制度は、平成15年1月1日から導入された制度です。贈与を受けた時に贈与税を納め、"
     u"その後、贈与をした人が亡くなった時に、その贈与財産の贈与時の価額を相続財産に加えて相続税を計算し、"
     u"すでに納めた贈与税額を相続税額から控除します。\n"
     u"　この制度を選択するための条件等は次のとおりです。\n"
     u"{精算課税の条件}",
     240, 960, 8520, 2640, kTopLeft},
    {Kind::Label, u"非課税範囲、課税範囲にかかわらず相続の課税価格に算入する", 4680, 5400, 4200, 480, kTopLeft},
};

// ---- Page 4: the spouse's tax reduction ----
constexpr Control kSpouseControls[] = {
    {Kind::Label, u"配偶者の税額の軽減 {法令}", 360, 840, 8400, 240},
    {Kind::Label, u"国税庁ホームページより抜粋", 4920, 6600, 2385, 240},
};

constexpr Control kSpouseParagraphs[] = {
    {Kind::Label,
     u"1　制度の概要\n"
     u"　配偶者の税額の軽減とは、被相続人の配偶者が遺産分割や遺贈により実際に取得した正味の遺産額が、"
     u"次の金額のどちらか多い金額までは、配偶者に相続税はかからないという制度です。\n"
     u"　(1) 1億6千万円\n"
     u"　(2) 配偶者の法定相続分相当額\n"
     u"　なお、この制度の対象となる財産には、隠ぺい又は仮装されていた財産は含まれません。\n"
     u"　また、相続税の申告期限までに分割されていない財産は、税額軽減の対象になりません。"
     u"ただし、相続税の申告書に「申告期限後3年以内の分割見込書」を添付した上で、"
     u"申告期限から3年以内に分割したときは、税額軽減の対象になります。\n"
     u"　なお、申告期限から3年以内に分割できないやむを得ない事情があり、税務署長の承認を受けた場合で、"
     u"その事情がなくなった日の翌日から4か月以内に分割されたときも、税額軽減の対象になります。",
     360, 1200, 8400, 3720, kTopLeft},
    {Kind::Label,
     u"2　配偶者の税額軽減を受けるための手続\n"
     u"　配偶者の税額の軽減を受けるためには、相続税の申告書に戸籍謄本と、遺言書の写し又は"
     u"遺産分割協議書の写し（印鑑証明書を添付）を添えて提出する必要があります。\n"
     u"　なお、相続税の申告後に行われた遺産分割に基づいて配偶者の税額軽減を受ける場合は、"
     u"分割が成立した日の翌日から4か月以内に更正の請求をする必要があります。",
     360, 4920, 8400, 1560, kTopLeft},
};

// ---- Page 5: wills ----
constexpr Control kWillParagraphs[] = {
    {Kind::Label,
     u"３種類の普通方式の遺言\n"
     u"\n"
     u"(1) 自筆証書遺言\n"
     u"　遺言者が遺言の全文、日付及び氏名を自分で書き、押印して作成します。遺言書は遺言者が自分で保管するため、"
     u"紛失や偽造・変造のおそれ、死後に発見されないおそれがあります。また、方式に不備があると無効になるおそれがあります。\n"
     u"\n"
     u"(2) 公正証書遺言\n"
     u"　遺言者が証人2人以上の立会いのもとで遺言の内容を公証人に口述し、公証人がそれを筆記して作成します。"
     u"原本は公証役場に保管されるため、紛失や偽造・変造のおそれがありません。\n"
     u"\n"
     u"(3) 秘密証書遺言\n"
     u"　遺言者が署名押印した遺言書を封筒に入れて封印し、公証人と証人2人以上の前に提出して、"
     u"自分の遺言書であることを申し述べます。内容を秘密にしておくことができますが、遺言書は遺言者が保管するため"
     u"紛失などのおそれがあり、方式に不備があると無効になるおそれもあります。\n"
     u"\n"
     u"　(1)と(3)の遺言は、遺言者が亡くなった後、家庭裁判所の検認を受けなければなりません。"
     u"(2)の公正証書遺言は、家庭裁判所の検認を受ける必要がありません。",
     360, 960, 8400, 5400, kTopLeft},
};

// ---- Page 6: compensatory division and the division agreement ----
constexpr Control kDivisionParagraphs[] = {
    {Kind::Label,
     u"■代償分割\n"
     u"　代償分割とは、共同相続人のうちの一人が遺産の大部分を取得し、その代わりに自分の財産から"
     u"他の相続人に代償金を支払う遺産分割の方法です。相続税の申告では、代償金を支払った相続人は"
     u"取得した財産の価額から代償金の額を差し引き、代償金を受け取った相続人は代償金の額を"
     u"取得した財産の価額に加えて、それぞれの課税価格を計算します。\n"
     u"\n"
     u"■遺産分割協議書\n"
     u"\n"
     u"　　　　　　　　　　　　　　遺産分割協議書\n"
     u"\n"
     u"　被相続人Ａ（{元号}　　年　　月　　日死亡）の遺産については、同人の相続人全員で分割協議を行った結果、"
     u"次のとおり分割し、取得することに決定した。\n"
     u"１　相続人Ｂが取得する財産　　（財産の所在、種類、数量などを記載する）\n"
     u"２　相続人Ｃが取得する財産　　（財産の所在、種類、数量などを記載する）\n"
     u"　上記のとおり相続人全員による遺産分割の協議が成立したので、これを証するため本書を作成し、"
     u"各自署名押印する。\n"
     u"\n"
     u"　　{元号}　　年　　月　　日\n"
     u"\n"
     u"　　住所　　　　　　　　　　　　　　　　相続人　Ｂ　　　　　　　　　　印\n"
     u"　　住所　　　　　　　　　　　　　　　　相続人　Ｃ　　　　　　　　　　印\n"
     u"　　住所　　　　　　　　　　　　　　　　相続人　Ｄ\n"
     u"　　住所　　　　　　　　　　　　　　　　上記相続人Ｄの特別代理人　Ｓ　 印",
     240, 840, 8520, 5520, kTopLeft},
};

constexpr PageTable kPages[] = {
    {u"計算シートHELP", kSheetHelpBackdrop, kSheetHelpPictures, kSheetHelpControls, kSheetHelpWrapped,
     kSheetHelpFractions, kSheetHelpButtons, {7200, 6240}},
    {u"用語の解説", {}, {}, kTermsControls, kTermsParagraphs, {}, {}, {7320, 6480}},
    {u"相続時精算課税制度", kSettlementBackdrop, {}, kSettlementControls, kSettlementParagraphs, {}, {}, {7320, 6480},
     &kSettlementLawNote},
    {u"配偶者の税額の軽減", {}, {}, kSpouseControls, kSpouseParagraphs, {}, {}, {7320, 6480}},
    {u"遺言", {}, {}, {}, kWillParagraphs, {}, {}, {7320, 6480}},
    {u"代償分割と協議書", {}, {}, {}, kDivisionParagraphs, {}, {}, {7320, 6480}},
};

} // namespace

std::span<const PageTable> helpPages() { return kPages; }

} // namespace kz::terms

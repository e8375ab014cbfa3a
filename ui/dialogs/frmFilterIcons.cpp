#include "ui/dialogs/frmFilterIcons.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <initializer_list>

#include "toolkit/Prompter.h"
#include "ui/widgets/DesignedLayout.h"

namespace {

// Designed client size, and the margins and gaps the design keeps between controls.
constexpr int kDesignWidth = 345;
constexpr int kDesignHeight = 217;
constexpr int kRadioGap = 47;       // chkShowAll's right edge to chkFilter
constexpr int kRadioToPanel = 15;   // radio buttons' bottom to Panel1
constexpr int kRightMargin = 16;    // Panel1's right edge to the dialog's
constexpr int kColumnGap = 15;      // left column's right edge to the right column
constexpr int kRowGap = 3;          // between two boxes of a column
constexpr int kPanelBottom = 16;    // last box's bottom to Panel1's bottom
constexpr int kPanelToButtons = 7;  // Panel1's bottom to the buttons
constexpr int kButtonGap = 7;       // between OK and Cancel
constexpr int kButtonMargin = 24;   // Cancel's right edge to the dialog's
constexpr int kBottomMargin = 16;   // buttons' bottom to the dialog's

const QString kNoSizeText =
    QStringLiteral("You must select at least one icon size\r\nto show or no icons will be listed.");
const QString kNoDepthText = QStringLiteral(
    "You must select at least one color depth\r\nto show or no icons will be listed.");

// Each box: the flag it edits, its name and text, and its designed bounds in Panel1.
struct TBoxFlag {
    QCheckBox* TFilterIcons::*box;
    bool TIconFilter::*flag;
    const char* name;
    const char* text;
    QRect designed;
};
constexpr TBoxFlag kBoxFlags[] = {
    {&TFilterIcons::chk16x16, &TIconFilter::Show16x16, "chk16x16", "Show 16x16 pixel icons",
     QRect(0, 0, 145, 17)},
    {&TFilterIcons::chk32x32, &TIconFilter::Show32x32, "chk32x32", "Show 32x32 pixel icons",
     QRect(0, 20, 145, 17)},
    {&TFilterIcons::chk48x48, &TIconFilter::Show48x48, "chk48x48", "Show 48x48 pixel icons",
     QRect(0, 40, 145, 17)},
    {&TFilterIcons::chkOtherSizes, &TIconFilter::ShowOtherSizes, "chkOtherSizes",
     "Show other size icons", QRect(0, 60, 145, 17)},
    {&TFilterIcons::chkMonochrome, &TIconFilter::ShowMonochrome, "chkMonochrome",
     "Show monochrome icons", QRect(160, 0, 145, 17)},
    {&TFilterIcons::chk16color, &TIconFilter::Show16Color, "chk16color", "Show 16 color icons",
     QRect(160, 20, 145, 17)},
    {&TFilterIcons::chk256color, &TIconFilter::Show256Color, "chk256color", "Show 256 color icons",
     QRect(160, 40, 145, 17)},
    {&TFilterIcons::chk24bitcolor, &TIconFilter::Show24BitColor, "chk24bitcolor",
     "Show 24-bit color icons", QRect(160, 60, 145, 17)},
    {&TFilterIcons::chk32bitcolor, &TIconFilter::Show32BitColor, "chk32bitcolor",
     "Show 32-bit color icons", QRect(160, 80, 145, 17)},
};

int WidestHint(std::initializer_list<QWidget*> controls, int least) {
    for (QWidget* control : controls) least = std::max(least, control->sizeHint().width());
    return least;
}

int TallestHint(std::initializer_list<QWidget*> controls, int least) {
    for (QWidget* control : controls) least = std::max(least, control->sizeHint().height());
    return least;
}

void PlaceColumn(std::initializer_list<QWidget*> boxes, int left, int width, int height) {
    int top = 0;
    for (QWidget* box : boxes) {
        box->setGeometry(left, top, width, height);
        top += height + kRowGap;
    }
}

bool AnyTicked(std::initializer_list<const QCheckBox*> boxes) {
    return std::any_of(boxes.begin(), boxes.end(),
                       [](const QCheckBox* b) { return b->isChecked(); });
}

// Whether confirming edited changes what before shows: switching between all and filtered
// always does, the boxes count only when filtering before and after.
bool FilterChanged(const TIconFilter& before, const TIconFilter& edited) {
    if (before.ShowAllIcons != edited.ShowAllIcons) return true;
    return !before.ShowAllIcons && !(before == edited);
}

}  // namespace

TFilterIcons::TFilterIcons(QWidget* parent) : QDialog(parent, kDialogFrame) {
    setWindowTitle(QStringLiteral("Filter Icons"));
    UseDesignFont(this);
    chkShowAll = Place(new QRadioButton(QStringLiteral("Show all icons"), this), "chkShowAll",
                       {24, 24, 113, 17});
    chkFilter = Place(new QRadioButton(QStringLiteral("Filter icons"), this), "chkFilter",
                      {184, 24, 113, 17});
    Panel1 = Place(new QWidget(this), "Panel1", {24, 56, 305, 113});
    for (const TBoxFlag& box : kBoxFlags) {
        this->*box.box =
            Place(new QCheckBox(QString::fromLatin1(box.text), Panel1), box.name, box.designed);
    }
    btnOK = Place(new QPushButton(QStringLiteral("OK"), this), "btnOK", {168, 176, 73, 25});
    btnOK->setDefault(true);
    btnCancel =
        Place(new QPushButton(QStringLiteral("Cancel"), this), "btnCancel", {248, 176, 73, 25});
    for (QRadioButton* radio : {chkShowAll, chkFilter}) {
        connect(radio, &QRadioButton::toggled, this, [this, radio](bool checked) {
            if (checked) chkShowAllClick(radio);
        });
    }
    connect(btnOK, &QPushButton::clicked, this, &TFilterIcons::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TFilterIcons::btnCancelClick);
    SetTabOrder();
    FitTexts();
}

bool TFilterIcons::Execute(TIconFilter& filter) {
    Cancelled = true;
    LoadBoxes(filter);
    QRadioButton* chosen = filter.ShowAllIcons ? chkShowAll : chkFilter;
    chosen->setChecked(true);
    chkShowAllClick(chosen);
    CentreOnScreen(this);
    exec();
    if (Cancelled) return false;
    TIconFilter edited = ReadBoxes();
    edited.ShowAllIcons = chkShowAll->isChecked();
    if (!FilterChanged(filter, edited)) return false;
    filter = edited;
    return true;
}

void TFilterIcons::chkShowAllClick(QObject* Sender) {
    const bool enabled = Sender != chkShowAll;
    for (QWidget* control : Panel1->findChildren<QWidget*>()) control->setEnabled(enabled);
}

void TFilterIcons::btnOKClick() {
    const QString* refusal = nullptr;
    if (!AnyTicked({chk16x16, chk32x32, chk48x48, chkOtherSizes})) {
        refusal = &kNoSizeText;
    } else if (!AnyTicked({chkMonochrome, chk16color, chk256color, chk24bitcolor, chk32bitcolor})) {
        refusal = &kNoDepthText;
    }
    if (refusal) {
        Prompter().Message(this, QStringLiteral("Warning"), *refusal, TPromptButtons::Ok);
        return;
    }
    Cancelled = false;
    accept();
}

void TFilterIcons::btnCancelClick() {
    reject();
}

void TFilterIcons::LoadBoxes(const TIconFilter& filter) {
    for (const TBoxFlag& pair : kBoxFlags) (this->*pair.box)->setChecked(filter.*pair.flag);
}

TIconFilter TFilterIcons::ReadBoxes() const {
    TIconFilter filter;
    for (const TBoxFlag& pair : kBoxFlags) filter.*pair.flag = (this->*pair.box)->isChecked();
    return filter;
}

void TFilterIcons::SetTabOrder() {
    QWidget* const order[] = {chkShowAll,    chkFilter,  chk16x16,    chk32x32,      chk48x48,
                              chkOtherSizes, chk16color, chk256color, chk24bitcolor, chkMonochrome,
                              chk32bitcolor, btnOK,      btnCancel};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

// Grows the controls whose texts would be clipped at their designed sizes, moves what lies
// right of or below them, and grows the dialog just as much; nothing moves when all fits.
void TFilterIcons::FitTexts() {
    GrowToText(chkShowAll);
    GrowToText(chkFilter);
    chkFilter->move(std::max(chkFilter->x(), RightEdge(chkShowAll) + kRadioGap), chkFilter->y());
    const int radioBottom = chkShowAll->y() + std::max(chkShowAll->height(), chkFilter->height());
    Panel1->move(Panel1->x(), std::max(Panel1->y(), radioBottom + kRadioToPanel));
    FitPanel();
    GrowToText(btnOK);
    GrowToText(btnCancel);
    const int width = std::max(
        {kDesignWidth, RightEdge(Panel1) + kRightMargin, RightEdge(chkFilter) + kRightMargin,
         kButtonMargin + btnOK->width() + kButtonGap + btnCancel->width() + kButtonMargin});
    const int buttonsTop = std::max(btnOK->y(), BottomEdge(Panel1) + kPanelToButtons);
    btnCancel->move(width - kButtonMargin - btnCancel->width(), buttonsTop);
    btnOK->move(btnCancel->x() - kButtonGap - btnOK->width(), buttonsTop);
    const int buttonsHeight = std::max(btnOK->height(), btnCancel->height());
    setFixedSize(width, std::max(kDesignHeight, buttonsTop + buttonsHeight + kBottomMargin));
}

// Lays the two columns of boxes out at the width and row height their texts need.
void TFilterIcons::FitPanel() {
    const std::initializer_list<QWidget*> sizes = {chk16x16, chk32x32, chk48x48, chkOtherSizes};
    const std::initializer_list<QWidget*> depths = {chkMonochrome, chk16color, chk256color,
                                                    chk24bitcolor, chk32bitcolor};
    const int rowHeight = std::max(TallestHint(sizes, chk16x16->height()), TallestHint(depths, 0));
    const int leftWidth = WidestHint(sizes, chk16x16->width());
    const int rightLeft = std::max(chkMonochrome->x(), leftWidth + kColumnGap);
    const int rightWidth = WidestHint(depths, chkMonochrome->width());
    PlaceColumn(sizes, 0, leftWidth, rowHeight);
    PlaceColumn(depths, rightLeft, rightWidth, rowHeight);
    const int lastBottom = chk32bitcolor->y() + rowHeight;
    Panel1->resize(std::max(Panel1->width(), rightLeft + rightWidth),
                   std::max(Panel1->height(), lastBottom + kPanelBottom));
}

#include "ui/properties/ChannelColumn.h"

#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/properties/PaintBox.h"
#include "ui/widgets/DesignedLayout.h"
#include "ui/widgets/Glyphs.h"

namespace {

constexpr int kTop = 12;
constexpr int kButtonTop = 104;
constexpr int kCaptionHeight = 16;
constexpr int kRuleHeight = 2;
constexpr QSize kButtonSize{23, 21};

QWidget* Filled(QWidget* control, QPalette::ColorRole background) {
    control->setAutoFillBackground(true);
    QPalette colours = control->palette();
    colours.setColor(QPalette::Window, colours.color(background));
    control->setPalette(colours);
    return control;
}

// The caption bar: text in the window colour on the button-shadow colour.
QLabel* MakeCaption(QWidget* panel, const TChannelDesign& design) {
    auto* caption =
        Named(new QLabel(QString::fromLatin1(design.CaptionText), panel), design.Caption);
    Filled(caption, QPalette::Dark);
    QPalette colours = caption->palette();
    colours.setColor(QPalette::WindowText, colours.color(QPalette::Base));
    caption->setPalette(colours);
    caption->setFixedHeight(std::max(kCaptionHeight, caption->sizeHint().height()));
    return caption;
}

QToolButton* MakeButton(QWidget* panel, const char* name, const char* hint, const QIcon& glyph,
                        int top) {
    auto* button = Place(new QToolButton(panel), name, {{0, top}, kButtonSize});
    button->setAutoRaise(true);
    button->setIcon(glyph);
    button->setToolTip(QString::fromLatin1(hint));
    return button;
}

}  // namespace

TChannelColumn MakeChannelColumn(QWidget* Page, const TChannelDesign& Design) {
    TChannelColumn column;
    column.Channel = Design.Channel;
    column.SaveTitle = Design.SaveTitle;
    column.Panel = Place(new QWidget(Page), Design.Panel, {Design.Left, kTop, 81, 85});
    auto* stack = new QVBoxLayout(column.Panel);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    column.PaintBox = Named(new TPaintBox(column.Panel), Design.PaintBox);
    column.Rule = Filled(Named(new QWidget(column.Panel), Design.Rule), QPalette::Button);
    column.Rule->setFixedHeight(kRuleHeight);
    column.Caption = MakeCaption(column.Panel, Design);
    stack->addWidget(column.PaintBox, 1);
    stack->addWidget(column.Rule);
    stack->addWidget(column.Caption);
    column.ButtonPanel =
        Place(new QWidget(Page), Design.ButtonPanel, {Design.Left, kButtonTop, 23, 42});
    column.SaveButton = MakeButton(column.ButtonPanel, Design.SaveButton, Design.SaveHint,
                                   GlyphIcon(TGlyph::Save), 0);
    column.CopyButton = MakeButton(column.ButtonPanel, Design.CopyButton, Design.CopyHint,
                                   GlyphIcon(TGlyph::Copy), kButtonSize.height());
    return column;
}

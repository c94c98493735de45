// The window as laid out, and the constructor that builds it from the table.
#include "app/colours.h"
#include "app/frmday.h"

#include <QFont>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

using namespace runtime;

namespace {

constexpr const char* Caption = "Which Day.........?";
constexpr int Width = 5730; // twips
constexpr int Height = 5760;

struct Font {
    const char* face;
    double points; // every font of the window is bold
};

// Each row binds its control to the frmday member that holds it.
template <typename T>
using MemberOf = T* frmday::*;
using Member = std::variant<MemberOf<CommandButton>, MemberOf<TextBox>, MemberOf<Timer>, MemberOf<Label>>;

// Positions and sizes in twips, colours as 0x00BBGGRR.
struct Control {
    Member member;
    const char* name;
    const char* text = "";
    int left = 0, top = 0, width = 0, height = 0;
    std::optional<std::uint32_t> foreColor = std::nullopt; // none: the system's colour
    Font font = {};
    int tabIndex = -1;
    bool centred = false;
    Label::Sizing sizing = Label::Sizing::Fixed;
    bool announced = false; // a screen reader speaks each new caption
    int interval = 0; // milliseconds, timers only
    const char* accessibleName = nullptr; // for screen readers; a label's own text serves it
    const char* accessibleDescription = nullptr;
};

constexpr Font buttonFont = {"MS Sans Serif", 9.75};
constexpr Font captionFont = {"MS Sans Serif", 13.5};
constexpr Font bannerFont = {"MS Sans Serif", 18};
constexpr Font contactFont = {"Times New Roman", 12};
constexpr auto ToText = Label::Sizing::ToText;

// The rows in the order the window creates its controls.
// clang-format off
const Control controls[] = {
    {.member = &frmday::cmdshow, .name = "cmdshow", .text = "SHOW", .left = 364, .top = 3480, .width = 1455, .height = 495, .font = buttonFont, .tabIndex = 3, .accessibleName = "Show", .accessibleDescription = "Shows the day of the week of the date entered"},
    {.member = &frmday::cmdclear, .name = "cmdclear", .text = "CLEAR", .left = 2160, .top = 3480, .width = 1455, .height = 495, .font = buttonFont, .tabIndex = 4, .accessibleName = "Clear", .accessibleDescription = "Puts back the date 15 August 1947 and removes the result"},
    {.member = &frmday::cmdexit, .name = "cmdexit", .text = "EXIT", .left = 3911, .top = 3480, .width = 1455, .height = 495, .font = buttonFont, .tabIndex = 5, .accessibleName = "Exit", .accessibleDescription = "Ends the program"},
    {.member = &frmday::txtyear, .name = "txtyear", .left = 3458, .top = 1800, .width = 1095, .height = 495, .font = buttonFont, .tabIndex = 2, .accessibleName = "Year", .accessibleDescription = "The year, 1 to 4000"},
    {.member = &frmday::txtmonth, .name = "txtmonth", .left = 3458, .top = 1080, .width = 1095, .height = 495, .font = buttonFont, .tabIndex = 1, .accessibleName = "Month", .accessibleDescription = "The month, 1 to 12"},
    {.member = &frmday::txtdate, .name = "txtdate", .left = 3458, .top = 360, .width = 1095, .height = 495, .font = buttonFont, .tabIndex = 0, .accessibleName = "Day", .accessibleDescription = "The day of the month, 1 to 31"},
    {.member = &frmday::Timer1, .name = "Timer1", .interval = 5},
    {.member = &frmday::Label2, .name = "Label2", .text = "http://t.example.org/", .left = 0, .top = 5400, .width = 2175, .height = 285, .foreColor = colours::Purple, .font = contactFont, .tabIndex = 13, .centred = true, .sizing = ToText},
    {.member = &frmday::lbltime, .name = "lbltime", .text = "Enter The Date..................", .left = 1000, .top = 2640, .width = 8175, .height = 495, .foreColor = colours::Red, .font = bannerFont, .tabIndex = 12},
    {.member = &frmday::lblyear, .name = "lblyear", .text = "Enter The Year", .left = 825, .top = 1867, .width = 2145, .height = 360, .foreColor = colours::Blue, .font = captionFont, .tabIndex = 11, .sizing = ToText},
    {.member = &frmday::lblmonth, .name = "lblmonth", .text = "Enter The Month", .left = 840, .top = 1147, .width = 2370, .height = 360, .foreColor = colours::Blue, .font = captionFont, .tabIndex = 10, .sizing = ToText},
    {.member = &frmday::lbldate, .name = "lbldate", .text = "Enter The Date", .left = 825, .top = 427, .width = 2130, .height = 360, .foreColor = colours::Blue, .font = captionFont, .tabIndex = 9, .sizing = ToText},
    {.member = &frmday::Label1, .name = "Label1", .text = "mail@t.example.org", .left = 3600, .top = 5400, .width = 2055, .height = 285, .foreColor = colours::Purple, .font = contactFont, .tabIndex = 8, .centred = true, .sizing = ToText},
    {.member = &frmday::lblshow2, .name = "lblshow2", .left = 2798, .top = 4800, .width = 135, .height = 360, .foreColor = colours::Red, .font = captionFont, .tabIndex = 7, .centred = true, .sizing = ToText, .announced = true, .accessibleDescription = "The day of the week"},
    {.member = &frmday::lblshow1, .name = "lblshow1", .left = 2798, .top = 4200, .width = 135, .height = 360, .foreColor = colours::Red, .font = captionFont, .tabIndex = 6, .centred = true, .sizing = ToText, .accessibleDescription = "The date shown"},
};
// clang-format on

// In pixels of the layout's grid, as its positions are: Qt scales both alike
// by the device pixel ratio, where a size in points would follow the font
// DPI alone and outgrow the layout on a desktop that sets a larger one.
QFont fontOf(const Font& font)
{
    QFont f;
    // The desktop's face (runtime/platform.cpp) alone: given a second one, Qt
    // would look up every fallback face for each font before the first frame.
    f.setFamily(QFont::substitute(font.face));
    f.setPixelSize(static_cast<int>(std::lround(font.points * TwipsPerPoint / TwipsPerPixel)));
    f.setBold(true);
    f.setKerning(false); // the desktop the layout was drawn on did not kern
    return f;
}

// Buttons and boxes take the layout's box as it stands; labels place
// themselves, since those sized to their text follow their captions.
void setBox(QWidget* widget, const Control& c)
{
    widget->setFont(fontOf(c.font));
    widget->setGeometry(c.left / TwipsPerPixel, c.top / TwipsPerPixel, c.width / TwipsPerPixel,
                        c.height / TwipsPerPixel);
}

QObject* createControl(frmday& f, MemberOf<CommandButton> member, const Control& c)
{
    auto* button = f.*member = new CommandButton(&f);
    setBox(button, c);
    button->setText(c.text);
    button->setAutoDefault(true); // Enter presses the focused button, as Space does
    return button;
}

QObject* createControl(frmday& f, MemberOf<TextBox> member, const Control& c)
{
    auto* box = f.*member = new TextBox(&f);
    setBox(box, c);
    return box;
}

QObject* createControl(frmday& f, MemberOf<Label> member, const Control& c)
{
    auto* label = f.*member = new Label(&f, c.sizing, c.centred ? Qt::AlignHCenter : Qt::AlignLeft);
    label->setFont(fontOf(c.font));
    label->place(c.left, c.top, c.width, c.height);
    if (c.foreColor)
        label->setForeColor(*c.foreColor);
    label->setAnnounced(c.announced);
    label->setCaption(c.text);
    return label;
}

QObject* createControl(frmday& f, MemberOf<Timer> member, const Control& c)
{
    auto* timer = f.*member = new Timer(&f);
    timer->setInterval(c.interval);
    return timer;
}

} // namespace

frmday::frmday()
    : Form(Width, Height)
{
    setObjectName("frmday");
    setWindowTitle(Caption);

    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const Control& c : controls) {
        QObject* control = std::visit([&](auto member) { return createControl(*this, member, c); }, c.member);
        control->setObjectName(c.name);
        auto* widget = qobject_cast<QWidget*>(control);
        if (!widget)
            continue;
        if (c.accessibleName)
            widget->setAccessibleName(c.accessibleName);
        if (c.accessibleDescription)
            widget->setAccessibleDescription(c.accessibleDescription);
        if (c.tabIndex >= 0 && widget->focusPolicy() != Qt::NoFocus) // labels never take the focus
            tabOrder.emplace_back(c.tabIndex, widget);
    }
    std::ranges::sort(tabOrder);
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    tabOrder.front().second->setFocus(); // where the focus goes when first shown

    setDefaultButton(cmdshow);
}

#include "app/layout.h"

namespace layout {

namespace {
constexpr Font buttonFont = {"MS Sans Serif", 9.75};
constexpr Font captionFont = {"MS Sans Serif", 13.5};
constexpr Font bannerFont = {"MS Sans Serif", 18};
constexpr Font contactFont = {"Times New Roman", 12};
constexpr std::uint32_t red = 0x000000FF, blue = 0x00FF0000, purple = 0x00C000C0;
} // namespace

using enum Kind;

const std::array<Control, 15> controls = {{
    {.name = "cmdshow", .kind = CommandButton, .text = "SHOW", .left = 364, .top = 3480, .width = 1455, .height = 495, .font = buttonFont, .tabIndex = 3, .accessibleName = "Show", .accessibleDescription = "Shows the day of the week of the date entered"},
    {.name = "cmdclear", .kind = CommandButton, .text = "CLEAR", .left = 2160, .top = 3480, .width = 1455, .height = 495, .font = buttonFont, .tabIndex = 4, .accessibleName = "Clear", .accessibleDescription = "Puts back the date 15 August 1947 and removes the result"},
    {.name = "cmdexit", .kind = CommandButton, .text = "EXIT", .left = 3911, .top = 3480, .width = 1455, .height = 495, .font = buttonFont, .tabIndex = 5, .accessibleName = "Exit", .accessibleDescription = "Ends the program"},
    {.name = "txtyear", .kind = TextBox, .left = 3458, .top = 1800, .width = 1095, .height = 495, .font = buttonFont, .tabIndex = 2, .accessibleName = "Year", .accessibleDescription = "The year, 1 to 4000"},
    {.name = "txtmonth", .kind = TextBox, .left = 3458, .top = 1080, .width = 1095, .height = 495, .font = buttonFont, .tabIndex = 1, .accessibleName = "Month", .accessibleDescription = "The month, 1 to 12"},
    {.name = "txtdate", .kind = TextBox, .left = 3458, .top = 360, .width = 1095, .height = 495, .font = buttonFont, .tabIndex = 0, .accessibleName = "Day", .accessibleDescription = "The day of the month, 1 to 31"},
    {.name = "Timer1", .kind = Timer, .interval = 5},
    {.name = "Label2", .kind = Label, .text = "http://t.example.org/", .left = 0, .top = 5400, .width = 2175, .height = 285, .foreColor = purple, .font = contactFont, .tabIndex = 13, .centred = true, .sizing = Sizing::ToText},
    {.name = "lbltime", .kind = Label, .text = "Enter The Date..................", .left = 1000, .top = 2640, .width = 8175, .height = 495, .foreColor = red, .font = bannerFont, .tabIndex = 12},
    {.name = "lblyear", .kind = Label, .text = "Enter The Year", .left = 825, .top = 1867, .width = 2145, .height = 360, .foreColor = blue, .font = captionFont, .tabIndex = 11, .sizing = Sizing::ToText},
    {.name = "lblmonth", .kind = Label, .text = "Enter The Month", .left = 840, .top = 1147, .width = 2370, .height = 360, .foreColor = blue, .font = captionFont, .tabIndex = 10, .sizing = Sizing::ToText},
    {.name = "lbldate", .kind = Label, .text = "Enter The Date", .left = 825, .top = 427, .width = 2130, .height = 360, .foreColor = blue, .font = captionFont, .tabIndex = 9, .sizing = Sizing::ToText},
    {.name = "Label1", .kind = Label, .text = "mail@t.example.org", .left = 3600, .top = 5400, .width = 2055, .height = 285, .foreColor = purple, .font = contactFont, .tabIndex = 8, .centred = true, .sizing = Sizing::ToText},
    {.name = "lblshow2", .kind = Label, .left = 2798, .top = 4800, .width = 135, .height = 360, .foreColor = red, .font = captionFont, .tabIndex = 7, .centred = true, .sizing = Sizing::ToText, .accessibleDescription = "The day of the week"},
    {.name = "lblshow1", .kind = Label, .left = 2798, .top = 4200, .width = 135, .height = 360, .foreColor = red, .font = captionFont, .tabIndex = 6, .centred = true, .sizing = Sizing::ToText, .accessibleDescription = "The date shown"},
}};

} // namespace layout

#pragma once

#include <array>
#include <cstdint>
#include <optional>

// The window and its controls as laid out: positions and sizes in twips,
// colours as 0x00BBGGRR. Rows are in the order the window creates them.
namespace layout {

constexpr const char* Caption = "Which Day.........?";
constexpr int Width = 5730;
constexpr int Height = 5760;

enum class Kind { CommandButton, TextBox, Timer, Label };
enum class Sizing { Fixed, ToText };

struct Font {
    const char* face;
    double points; // every font of the window is bold
};

struct Control {
    const char* name;
    Kind kind;
    const char* text = "";
    int left = 0, top = 0, width = 0, height = 0;
    std::optional<std::uint32_t> foreColor = std::nullopt; // none: the system's colour
    Font font = {};
    int tabIndex = -1;
    bool centred = false;
    Sizing sizing = Sizing::Fixed;
    int interval = 0; // milliseconds, timers only
    const char* accessibleName = nullptr;        // for screen readers; a label's own text serves it
    const char* accessibleDescription = nullptr;
};

extern const std::array<Control, 15> controls;

} // namespace layout

#include <pango/pangocairo.h>
#include <string>

#include "core/lock/lock_texts.h"
#include "platform/wayland/lock/lock_drawing.h"

namespace {

// Fontconfig picks the system's CJK face for the Chinese captions.
constexpr char kFont[] = "Noto Sans CJK SC 11";

struct Colour {
    double r, g, b;
};
constexpr Colour kWhite{1, 1, 1};
constexpr Colour kRed{1, 0, 0};
constexpr Colour kBlack{0, 0, 0};
constexpr Colour kPanel{0.93, 0.93, 0.93};
constexpr Colour kFocus{0.27, 0.63, 0.94};

void Fill(cairo_t* cairo, const Spot& spot, Colour colour) {
    cairo_set_source_rgb(cairo, colour.r, colour.g, colour.b);
    cairo_rectangle(cairo, spot.x, spot.y, spot.width, spot.height);
    cairo_fill(cairo);
}

void Frame(cairo_t* cairo, const Spot& spot, Colour colour) {
    cairo_set_source_rgb(cairo, colour.r, colour.g, colour.b);
    cairo_set_line_width(cairo, 1);
    cairo_rectangle(cairo, spot.x + 0.5, spot.y + 0.5, spot.width - 1, spot.height - 1);
    cairo_stroke(cairo);
}

PangoLayout* Layout(cairo_t* cairo, const char* text, bool underline = false) {
    PangoLayout* layout = pango_cairo_create_layout(cairo);
    PangoFontDescription* font = pango_font_description_from_string(kFont);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    if (underline) {
        PangoAttrList* attributes = pango_attr_list_new();
        pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        pango_layout_set_attributes(layout, attributes);
        pango_attr_list_unref(attributes);
    }
    pango_layout_set_text(layout, text, -1);
    return layout;
}

// Draws `text` with its top left at x, y; returns where it stands.
Spot Text(cairo_t* cairo, int x, int y, const std::string& text, Colour colour,
          bool underline = false) {
    PangoLayout* layout = Layout(cairo, text.c_str(), underline);
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    cairo_set_source_rgb(cairo, colour.r, colour.g, colour.b);
    cairo_move_to(cairo, x, y);
    pango_cairo_show_layout(cairo, layout);
    g_object_unref(layout);
    return {x, y, width, height};
}

// A password entry: white, one "#" per typed character.
void Entry(cairo_t* cairo, const Spot& spot, std::size_t mask, bool focused) {
    Fill(cairo, spot, kWhite);
    Frame(cairo, spot, focused ? kFocus : Colour{0.5, 0.5, 0.5});
    Text(cairo, spot.x + 3, spot.y + (spot.height - 17) / 2, std::string(mask, '#'), kBlack);
}

void UnlockButton(cairo_t* cairo, const Spot& spot) {
    const double cx = spot.x + spot.width / 2.0;
    const double cy = spot.y + spot.height / 2.0;
    cairo_set_source_rgb(cairo, 70 / 255.0, 160 / 255.0, 240 / 255.0);
    cairo_arc(cairo, cx, cy, 10, 0, 6.2832);
    cairo_fill(cairo);
    cairo_set_source_rgb(cairo, 1, 1, 1);
    cairo_move_to(cairo, cx - 3, cy - 6);
    cairo_line_to(cairo, cx + 6, cy);
    cairo_line_to(cairo, cx - 3, cy + 6);
    cairo_close_path(cairo);
    cairo_fill(cairo);
}

void Button(cairo_t* cairo, const Spot& spot, const char* caption) {
    Fill(cairo, spot, Colour{0.85, 0.85, 0.85});
    Frame(cairo, spot, Colour{0.45, 0.45, 0.45});
    PangoLayout* probe = Layout(cairo, caption);
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(probe, &width, &height);
    g_object_unref(probe);
    Text(cairo, spot.x + (spot.width - width) / 2, spot.y + (spot.height - height) / 2, caption,
         kBlack);
}

// The lock window's row: prompt, entry, unlock button, change link; the
// red notice under the entry.
void DrawUnlock(cairo_t* cairo, int left, int top, const LockPrompt& prompt, LockSpots& spots) {
    Text(cairo, left, top + 4, kLockPromptText, kWhite);
    const Spot entry{left + 65, top, 177, 19};
    Entry(cairo, entry, prompt.UnlockMaskLength(), true);
    spots.unlock = {left + 249, top - 1, 26, 26};
    UnlockButton(cairo, spots.unlock);
    spots.changeLink = Text(cairo, left + 277, top + 3, kLockChangeLinkText, kWhite, true);
    if (prompt.WrongPassword())
        Text(cairo, left + 66, top + 26, kLockWrongPasswordText, kRed);
    if (prompt.CapsLock())
        Text(cairo, left + 66, top + 46, kLockCapsLockHint, kWhite);
}

// The password dialog's change mode, at its own positions in a panel.
void DrawChange(cairo_t* cairo, int left, int top, const LockPrompt& prompt, LockSpots& spots) {
    Fill(cairo, {left, top, 318, 251}, kPanel);
    Text(cairo, left + 10, top + 4, kPasswordDialogCaption, kBlack);
    top += 24;
    const char* labels[3] = {kCurrentPasswordLabel, kNewPasswordLabel, kRepeatPasswordLabel};
    const int labelLeft[3] = {48, 74, 32};
    for (int field = 0; field < 3; ++field) {
        const int y = top + 52 + 40 * field;
        Text(cairo, left + labelLeft[field], y + 3, labels[field], kBlack);
        spots.fields[field] = {left + 130, y, 161, 22};
        const auto which = static_cast<LockPrompt::Field>(field);
        Entry(cairo, spots.fields[field], prompt.MaskLength(which), prompt.FocusedField() == which);
    }
    if (!prompt.Notice().empty())
        Text(cairo, left + 130, top + 155, prompt.Notice(), kRed);
    if (prompt.CapsLock())
        Text(cairo, left + 10, top + 155, kLockCapsLockHint, kBlack);
    spots.ok = {left + 84, top + 178, 80, 27};
    spots.cancel = {left + 184, top + 178, 80, 27};
    Button(cairo, spots.ok, kPasswordOkText);
    Button(cairo, spots.cancel, kPasswordCancelText);
}

} // namespace

LockSpots DrawLock(cairo_t* cairo, int width, int height, const LockPrompt& prompt) {
    LockSpots spots;
    cairo_set_source_rgb(cairo, 0, 0, 0);
    cairo_paint(cairo);
    if (prompt.CurrentMode() == LockPrompt::Mode::Unlock)
        DrawUnlock(cairo, width / 2 - 190, height / 2 - 10, prompt, spots);
    else
        DrawChange(cairo, width / 2 - 159, height / 2 - 125, prompt, spots);
    return spots;
}

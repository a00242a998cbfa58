#include <algorithm>
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

// A password entry: white, one "#" per typed character; the last ones
// when they are more than it holds, as a line edit scrolls.
void Entry(cairo_t* cairo, const Spot& spot, std::size_t mask, bool focused) {
    Fill(cairo, spot, kWhite);
    Frame(cairo, spot, focused ? kFocus : Colour{0.5, 0.5, 0.5});
    PangoLayout* layout = Layout(cairo, std::string(mask, '#').c_str());
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    cairo_save(cairo);
    cairo_rectangle(cairo, spot.x + 1, spot.y + 1, spot.width - 2, spot.height - 2);
    cairo_clip(cairo);
    cairo_set_source_rgb(cairo, kBlack.r, kBlack.g, kBlack.b);
    cairo_move_to(cairo, std::min(spot.x + 3, spot.x + spot.width - 3 - width),
                  spot.y + (spot.height - 17) / 2);
    pango_cairo_show_layout(cairo, layout);
    cairo_restore(cairo);
    g_object_unref(layout);
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

// A line of text across the whole surface from `y`: a hint or notice that
// comes and goes, with room for the font's ascent and descent.
Spot Line(int width, int y) {
    return {0, y - 2, width, 26};
}

// Where the pieces of the lock window's row stand: prompt, entry, unlock
// button, change link; the red notice and the Caps Lock hint under them.
struct UnlockPlaces {
    int left, top;
    Spot entry, unlock, wrongLine, capsLine;
};
UnlockPlaces PlaceUnlock(int width, int height) {
    const int left = width / 2 - 190;
    const int top = height / 2 - 10;
    return {left,
            top,
            {left + 65, top, 177, 19},
            {left + 249, top - 1, 26, 26},
            Line(width, top + 26),
            Line(width, top + 46)};
}

// The password dialog's change mode, at its own positions in a panel.
struct ChangePlaces {
    int left, top;
    Spot panel;
    std::array<Spot, 3> fields;
    Spot noticeLine, ok, cancel;
};
ChangePlaces PlaceChange(int width, int height) {
    const int left = width / 2 - 159;
    const int top = height / 2 - 125;
    const int rows = top + 24;
    ChangePlaces places{left,
                        top,
                        {left, top, 318, 251},
                        {},
                        Line(width, rows + 155),
                        {left + 84, rows + 178, 80, 27},
                        {left + 184, rows + 178, 80, 27}};
    for (int field = 0; field < 3; ++field)
        places.fields[field] = {left + 130, rows + 52 + 40 * field, 161, 22};
    return places;
}

void DrawUnlock(cairo_t* cairo, const UnlockPlaces& at, const LockPrompt& prompt,
                LockSpots& spots) {
    Text(cairo, at.left, at.top + 4, kLockPromptText, kWhite);
    Entry(cairo, at.entry, prompt.UnlockMaskLength(), true);
    spots.unlock = at.unlock;
    UnlockButton(cairo, spots.unlock);
    spots.changeLink = Text(cairo, at.left + 277, at.top + 3, kLockChangeLinkText, kWhite, true);
    if (prompt.WrongPassword())
        Text(cairo, at.left + 66, at.wrongLine.y + 2, kLockWrongPasswordText, kRed);
    if (prompt.CapsLock())
        Text(cairo, at.left + 66, at.capsLine.y + 2, kLockCapsLockHint, kWhite);
}

void DrawChange(cairo_t* cairo, const ChangePlaces& at, const LockPrompt& prompt,
                LockSpots& spots) {
    Fill(cairo, at.panel, kPanel);
    Text(cairo, at.left + 10, at.top + 4, kPasswordDialogCaption, kBlack);
    const char* labels[3] = {kCurrentPasswordLabel, kNewPasswordLabel, kRepeatPasswordLabel};
    const int labelLeft[3] = {48, 74, 32};
    for (int field = 0; field < 3; ++field) {
        Text(cairo, at.left + labelLeft[field], at.fields[field].y + 3, labels[field], kBlack);
        spots.fields[field] = at.fields[field];
        const auto which = static_cast<LockPrompt::Field>(field);
        Entry(cairo, spots.fields[field], prompt.MaskLength(which), prompt.FocusedField() == which);
    }
    const int noticeTop = at.noticeLine.y + 2;
    if (!prompt.Notice().empty())
        Text(cairo, at.left + 130, noticeTop, prompt.Notice(), kRed);
    if (prompt.CapsLock())
        Text(cairo, at.left + 10, noticeTop, kLockCapsLockHint, kBlack);
    spots.ok = at.ok;
    spots.cancel = at.cancel;
    Button(cairo, spots.ok, kPasswordOkText);
    Button(cairo, spots.cancel, kPasswordCancelText);
}

} // namespace

LockLook LookOf(const LockPrompt& prompt, int width, int height, double scale) {
    LockLook look;
    look.width = width;
    look.height = height;
    look.scale = scale;
    look.mode = prompt.CurrentMode();
    look.focus = prompt.FocusedField();
    look.unlockMask = prompt.UnlockMaskLength();
    for (int field = 0; field < 3; ++field)
        look.masks[field] = prompt.MaskLength(static_cast<LockPrompt::Field>(field));
    look.wrong = prompt.WrongPassword();
    look.caps = prompt.CapsLock();
    look.notice = prompt.Notice();
    return look;
}

std::vector<Spot> Changes(const LockLook& before, const LockLook& after) {
    if (before.width != after.width || before.height != after.height ||
        before.scale != after.scale || before.mode != after.mode)
        return {{0, 0, after.width, after.height}};
    std::vector<Spot> changes;
    if (after.mode == LockPrompt::Mode::Unlock) {
        const UnlockPlaces at = PlaceUnlock(after.width, after.height);
        if (before.unlockMask != after.unlockMask)
            changes.push_back(at.entry);
        if (before.wrong != after.wrong)
            changes.push_back(at.wrongLine);
        if (before.caps != after.caps)
            changes.push_back(at.capsLine);
        return changes;
    }
    const ChangePlaces at = PlaceChange(after.width, after.height);
    for (int field = 0; field < 3; ++field)
        if (before.masks[field] != after.masks[field] ||
            (before.focus == field) != (after.focus == field))
            changes.push_back(at.fields[field]);
    if (before.notice != after.notice || before.caps != after.caps)
        changes.push_back(at.noticeLine);
    return changes;
}

LockSpots DrawLock(cairo_t* cairo, int width, int height, const LockPrompt& prompt) {
    LockSpots spots;
    cairo_set_source_rgb(cairo, 0, 0, 0);
    cairo_paint(cairo);
    if (prompt.CurrentMode() == LockPrompt::Mode::Unlock)
        DrawUnlock(cairo, PlaceUnlock(width, height), prompt, spots);
    else
        DrawChange(cairo, PlaceChange(width, height), prompt, spots);
    return spots;
}

#pragma once
// TImageEx: the skinned button every window is made of. An owner-painted control that raises mouse
// enter and mouse leave (through TrackMouseEvent), click, and keeps the selection mark in Tag
// (2 selected, 0 idle). How it looks is its painter's business.
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "app/views/skin.h"
#include "app/views/window_base.h"

namespace trenmoor::views {

class TImageEx : public WindowBase {
  public:
    using Painter = std::function<void(HDC dc, const RECT& r, const TImageEx& self)>;

    bool Create(HWND parent, std::wstring_view caption, int x, int y, int w, int h);

    int Tag = 0;
    // Face of a text button as DrawButtonCaption set it: 0 normal, 1 hovered.
    int FaceState = 0;
    bool HandCursor = false;
    Painter OnPaint;
    std::function<void()> OnClick;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;
    std::function<void(int x, int y)> OnMouseDown;
    std::function<void(int x, int y)> OnRightClick;

    bool Hovered() const { return hovered_; }
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring_view caption);
    // The state the skin shows: selected (Tag 2), hovered, or idle.
    skin::ButtonState State() const;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    std::wstring caption_;
    bool hovered_ = false;
    bool pressed_ = false;
};

// Draws a text button's face: clears it, takes face `state` (0 normal, 1 hovered) and centres
// `caption` on it in black. Text buttons call it when created (0), on mouse enter (1) and leave (0).
void DrawButtonCaption(int state, std::wstring_view caption, TImageEx& image);

// Makes `image` a text button: its face follows DrawButtonCaption on enter and leave.
void MakeTextButton(TImageEx& image, std::wstring_view caption, COLORREF background);

// One row of a window's table of text buttons: the picture, its caption and the handler a click calls
// (none: the window wires the click itself).
template <typename Form>
struct TextButtonDef {
    TImageEx& image;
    const wchar_t* caption;
    void (Form::*handler)() = nullptr;
};

// Creates each button of the table on `parent` as a text button whose click calls its handler on `form`.
template <typename Form>
void CreateTextButtons(HWND parent, Form& form, COLORREF background,
                       std::initializer_list<TextButtonDef<Form>> buttons) {
    for (const TextButtonDef<Form>& b : buttons) {
        b.image.Create(parent, b.caption, 0, 0, 0, 0);
        MakeTextButton(b.image, b.caption, background);
        if (b.handler) b.image.OnClick = [&form, handler = b.handler] { (form.*handler)(); };
    }
}

// Makes `image` a web link: black plain text, dark blue (0F 59 BC) and underlined while hovered.
void MakeLinkLabel(TImageEx& image, std::wstring_view caption, COLORREF background, UINT align = DT_LEFT);

// Makes `image` a plain text label in `face` and `color`.
void MakeLabel(TImageEx& image, std::wstring_view caption, COLORREF background, skin::Face face,
               COLORREF color, UINT align = DT_LEFT);

}  // namespace trenmoor::views

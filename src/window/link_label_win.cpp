#include "window/link_label_win.h"

#include <string>

namespace ts {
namespace {

constexpr char16_t kLinkClass[] = u"TimedShutdownLink";
constexpr int kHandCursor = 1032;
// DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX
constexpr UINT kLinkTextFormat = 0x925;

std::u16string Widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// The label's own font, made from the stored one with the label's overrides; null when none is
// stored or it cannot be made.
HFONT CreateStoredFont(const LogFont* stored) {
    if (!stored) return nullptr;
    LOGFONTA font = {};
    font.lfHeight = stored->Height;
    font.lfWidth = stored->Width;
    font.lfEscapement = stored->Escapement;
    font.lfOrientation = stored->Orientation;
    font.lfWeight = stored->Weight;
    font.lfItalic = stored->Italic;
    font.lfUnderline = stored->Underline;
    font.lfStrikeOut = stored->StrikeOut;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    static_assert(sizeof font.lfFaceName == sizeof stored->FaceName, "face name sizes differ");
    for (std::size_t i = 0; i < sizeof font.lfFaceName; ++i)
        font.lfFaceName[i] = stored->FaceName[i];
    font.lfFaceName[sizeof font.lfFaceName - 1] = '\0';
    return CreateFontIndirectA(&font);
}

}  // namespace

bool LinkLabel::Create(HWND parent, const ControlDescription& control, int id) {
    static bool registered = false;
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kHandCursor));
    if (!EnsureClassRegistered(registered, {kLinkClass, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                            WindowProcedure<LinkLabel>, hand,
                                            static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))})) {
        return false;
    }
    settings_ = control.HyperLinker;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | CommonControlStyle(control);
    return ui::CreateWin(0, kLinkClass, settings_->Caption, style, control.Left, control.Top,
                         control.Width, control.Height, parent, ChildIdHandle(id), this) != nullptr;
}

LRESULT LinkLabel::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(PointFrom(lParam)); return 0;
    case WM_LBUTTONDOWN: OnPress(); return 0;
    case WM_PAINT: Paint(); return 0;
    }
    return ui::DefaultProcedure(hwnd_, message, wParam, lParam);
}

// The label holds the capture while the pointer is over it, so that it sees the pointer leave.
void LinkLabel::OnMouseMove(POINT point) {
    if (!hovering_) {
        hovering_ = true;
        InvalidateRect(hwnd_, nullptr, FALSE);
        SetCapture(hwnd_);
        return;
    }
    RECT client;
    GetClientRect(hwnd_, &client);
    if (!PtInRect(&client, point)) {
        hovering_ = false;
        ReleaseCapture();
        InvalidateRect(hwnd_, nullptr, FALSE);
    } else if (GetCapture() != hwnd_) {
        SetCapture(hwnd_);
    }
}

void LinkLabel::OnPress() {
    visited_ = OpenLinkTarget(platform_, *settings_, SW_SHOW);
    if (visited_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void LinkLabel::Paint() {
    PaintContext paint(hwnd_);
    HDC dc = paint.dc();
    RECT clip;
    if (GetClipBox(dc, &clip) == NULLREGION || IsRectEmpty(&clip)) return;
    {
        OwnedBrush background(ResolveColor(settings_->BackColor));
        SelectedObject brush(dc, background.get());
        PatBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, PATCOPY);
    }
    std::u16string text = ui::WindowText(hwnd_);
    if (text.empty()) {
        text = Widen(settings_->Kind != LinkKind::MailAddress ? settings_->WebAddress
                                                              : settings_->MailAddress);
    }
    SetBkMode(dc, TRANSPARENT);
    ColorRef color = hovering_  ? settings_->HoverColor
                     : visited_ ? settings_->VisitedColor
                                : settings_->NormalColor;
    SetTextColor(dc, color);
    OwnedFont stored(CreateStoredFont(settings_->Font));
    SelectedObject font(dc, stored.get() ? stored.get() : GetStockObject(DEFAULT_GUI_FONT));
    RECT client;
    GetClientRect(hwnd_, &client);
    ui::DrawTextLine(dc, text, &client, kLinkTextFormat);
}

}  // namespace ts

#include "ui/preview_dlg.h"

#include "ui/preview_layout.h"

namespace vorn::ui {
namespace {

constexpr int kEscapements[4] = {-350, 350, 0, 900};

OwnedFont ArialAt(int escapement)
{
    return OwnedFont(CreateFontW(14, 0, escapement, escapement, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));
}

POINT ScreenSize() { return POINT{GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)}; }

void MoveTo(HWND window, const RECT& r) { MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE); }

}  // namespace

CPreviewDlg::CPreviewDlg() : WithMessageTable(IDD_PREVIEW), modifier_(CurrentModifier())
{
    for (std::size_t i = 0; i < fonts_.size(); ++i)
        fonts_[i] = ArialAt(kEscapements[i]);
}

std::span<const MessageEntry<CPreviewDlg>> CPreviewDlg::MessageTable()
{
    static const MessageEntry<CPreviewDlg> table[] = {
        MapMessage<CPreviewDlg>(WM_PAINT, &CPreviewDlg::OnPaint),
    };
    return table;
}

BOOL CPreviewDlg::OnInitDialog()
{
    const POINT size = ScreenSize();
    const PreviewPicture picture = ComputePreviewPicture(size.x, size.y, modifier_);
    MoveTo(handle_, picture.window);
    SetDlgItemTextW(handle_, IDC_LABEL_FIRST, PreviewLabel(modifier_));
    MoveTo(Item(IDC_LABEL_FIRST), picture.label);
    MoveTo(Item(IDOK), picture.close);
    return TRUE;
}

// Shift and Ctrl pressed or let go switch the texts at once.
bool CPreviewDlg::PreTranslateMessage(MSG& message)
{
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        break;
    default:
        return false;
    }
    const ModifierKey now = CurrentModifier();
    if (now != modifier_) {
        modifier_ = now;
        SetDlgItemTextW(handle_, IDC_LABEL_FIRST, PreviewLabel(modifier_));
        InvalidateRect(handle_, nullptr, TRUE);
    }
    return false;
}

HFONT CPreviewDlg::FontFor(int escapement) const
{
    for (std::size_t i = 0; i < fonts_.size(); ++i)
        if (kEscapements[i] == escapement) return fonts_[i].Get();
    return nullptr;
}

LRESULT CPreviewDlg::OnPaint(WPARAM, LPARAM)
{
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(handle_, &paint);
    const POINT size = ScreenSize();
    const PreviewPicture picture = ComputePreviewPicture(size.x, size.y, modifier_);
    const OwnedBrush red(CreateSolidBrush(RGB(255, 0, 0)));
    for (const RECT& area : picture.areas)
        FillRect(dc, &area, red.Get());
    SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ previous = GetCurrentObject(dc, OBJ_FONT);
    for (const PreviewText& text : picture.texts) {
        SelectObject(dc, FontFor(text.escapement));
        const UINT align = text.align == TextAlign::Left    ? TA_LEFT
                           : text.align == TextAlign::Right ? TA_RIGHT
                                                            : TA_CENTER;
        SetTextAlign(dc, align | TA_TOP);
        TextOutW(dc, text.at.x, text.at.y, text.text.c_str(), static_cast<int>(text.text.size()));
    }
    SelectObject(dc, previous);
    EndPaint(handle_, &paint);
    return 0;
}

}  // namespace vorn::ui

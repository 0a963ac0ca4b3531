// The progress window of a load on Windows: a small top-most window with the
// percentage in its caption, a text area, a bar and a Cancel button, modal
// over the calling thread's main window while it lives. The loader pumps
// messages between lines, so the host's windows stay alive and the user can
// cancel with the button or with Escape. Every operation does nothing once
// the window is gone or when it could not be made.
#include <new>
#include <string>

#include "platform/automation.h"
#include "platform/progress.h"
// After windows.h, which it needs.
#include <commctrl.h>

namespace kinfold {
namespace {

constexpr wchar_t kClassName[] = L"KinfoldProgress";
constexpr wchar_t kTitle[] = L"Progress";
constexpr wchar_t kCancelLabel[] = L" Cancel ";
constexpr int kCancelId = 10;
constexpr int kTextId = 11;
constexpr int kBarId = 12;
constexpr int kMargin = 10;
constexpr int kTextWidth = 390;
// The window's place is remembered per user, as an application profile
// keeps its settings.
constexpr wchar_t kProfileKey[] = L"Software\\Kinfold\\Settings";

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

std::wstring Wide(std::string_view text) {
    std::wstring wide;
    const int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0) return wide;
    wide.resize(static_cast<size_t>(size));
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
    return wide;
}

// A static control breaks lines at "\r\n"; the loader's text uses "\n".
std::wstring WithWindowsLineEnds(const std::wstring& text) {
    std::wstring result;
    for (wchar_t c : text) {
        if (c == L'\n' && (result.empty() || result.back() != L'\r')) result.push_back(L'\r');
        result.push_back(c);
    }
    return result;
}

BOOL CALLBACK TakeMainWindow(HWND window, LPARAM result) {
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != nullptr) return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

// The host's main window: the first visible top-level window of this thread
// that no other window owns.
HWND MainWindowOfThisThread() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeMainWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool ReadProfilePosition(POINT* position) {
    DWORD values[2] = {};
    const wchar_t* names[2] = {L"X", L"Y"};
    for (int i = 0; i < 2; ++i) {
        DWORD size = sizeof(DWORD);
        if (RegGetValueW(HKEY_CURRENT_USER, kProfileKey, names[i], RRF_RT_REG_DWORD, nullptr,
                         &values[i], &size) != ERROR_SUCCESS)
            return false;
    }
    position->x = static_cast<LONG>(values[0]);
    position->y = static_cast<LONG>(values[1]);
    return true;
}

void WriteProfilePosition(POINT position) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kProfileKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    const DWORD values[2] = {static_cast<DWORD>(position.x), static_cast<DWORD>(position.y)};
    RegSetValueExW(key, L"X", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&values[0]),
                   sizeof(DWORD));
    RegSetValueExW(key, L"Y", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&values[1]),
                   sizeof(DWORD));
    RegCloseKey(key);
}

SIZE TextSize(HWND window, HFONT font, const wchar_t* text, UINT format) {
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, font);
    RECT bounds = {0, 0, 0, 0};
    DrawTextW(dc, text, -1, &bounds, format | DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
}

class ProgressWindow final : public ProgressBar {
   public:
    ~ProgressWindow() override { Destroy(); }

    void Show(std::string_view caption) override;
    void SetRange(uint32_t low, uint32_t high) override;
    void SetPos(uint32_t position) override;
    void SetText(std::string_view text) override;
    void PeekAndPump(bool cancelOnEscape) override;
    bool Cancelled() const override { return cancelled_; }
    void Destroy() override;

   private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Create(const std::wstring& caption, bool smooth);
    void LayOut();
    void Place();
    void Cancel();
    void EndModal();

    HWND window_ = nullptr;
    HWND text_ = nullptr;
    HWND bar_ = nullptr;
    HWND button_ = nullptr;
    HWND parent_ = nullptr;
    HFONT font_ = nullptr;
    bool modal_ = false;
    bool cancelled_ = false;
    uint32_t lastPercentage_ = 0;
    // When PeekAndPump last looked at the queue and SetPos last showed a
    // percentage, each at most every kRefreshMilliseconds.
    static constexpr ULONGLONG kRefreshMilliseconds = 15;
    bool pumped_ = false;
    ULONGLONG lastPump_ = 0;
    bool drawn_ = false;
    ULONGLONG lastDrawing_ = 0;
};

LRESULT CALLBACK ProgressWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr) {
        if (message == WM_COMMAND && LOWORD(wParam) == kCancelId) {
            self->Cancel();
            return 0;
        }
        // Closing ends the modal state at once, so that the host's window
        // works again while the loader unwinds; the window itself goes in
        // Destroy, which still needs its position.
        if (message == WM_CLOSE) {
            self->EndModal();
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool ProgressWindow::Create(const std::wstring& caption, bool smooth) {
    const HINSTANCE module = ThisModule();
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &ProgressWindow::WindowProc;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_APPSTARTING));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kClassName;
    // Another load's window may have registered the class already.
    RegisterClassExW(&windowClass);

    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_DLGMODALFRAME, kClassName, caption.c_str(),
                              WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 390, 130, parent_,
                              nullptr, module, this);
    if (window_ == nullptr) return false;

    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    text_ =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                        0, 0, 0, 0, window_, reinterpret_cast<HMENU>(kTextId), module, nullptr);
    bar_ =
        CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | (smooth ? PBS_SMOOTH : 0),
                        0, 0, 0, 0, window_, reinterpret_cast<HMENU>(kBarId), module, nullptr);
    button_ =
        CreateWindowExW(0, L"BUTTON", kCancelLabel, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0,
                        0, window_, reinterpret_cast<HMENU>(kCancelId), module, nullptr);
    for (HWND control : {text_, bar_, button_})
        if (control != nullptr && font_ != nullptr)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageW(bar_, PBM_SETRANGE32, low_, high_);
    LayOut();
    Place();
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    return true;
}

// The text area on top, four lines of the message font high; below it a row
// with the bar on the left and the Cancel button on the right.
void ProgressWindow::LayOut() {
    const HFONT font =
        font_ != nullptr ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const int textHeight = TextSize(window_, font, L"1\n2\n3\n4", 0).cy;
    const SIZE label = TextSize(window_, font, L" Cancel   ", DT_SINGLELINE);
    const int edgeX = GetSystemMetrics(SM_CXEDGE);
    const int edgeY = GetSystemMetrics(SM_CYEDGE);
    const int buttonWidth = label.cx + 4 * edgeX;
    const int buttonHeight = label.cy + 3 * edgeY;
    const int rowTop = kMargin + textHeight + kMargin;
    const int buttonLeft = kMargin + kTextWidth - buttonWidth;

    MoveWindow(text_, kMargin, kMargin, kTextWidth, textHeight, FALSE);
    MoveWindow(button_, buttonLeft, rowTop, buttonWidth, buttonHeight, FALSE);
    MoveWindow(bar_, kMargin, rowTop + edgeY, buttonLeft - kMargin - kMargin,
               buttonHeight - 2 * edgeY, FALSE);

    RECT frame = {0, 0, kTextWidth + 2 * kMargin, rowTop + buttonHeight + kMargin};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE)));
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Where the user left the window last time, if that is still on the
// screen; otherwise the centre of the screen.
void ProgressWindow::Place() {
    RECT bounds;
    GetWindowRect(window_, &bounds);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    POINT position;
    if (!ReadProfilePosition(&position) || position.x < 0 || position.x >= screenWidth ||
        position.y < 0 || position.y >= screenHeight) {
        position.x = (screenWidth - (bounds.right - bounds.left)) / 2;
        position.y = (screenHeight - (bounds.bottom - bounds.top)) / 2;
    }
    SetWindowPos(window_, nullptr, position.x, position.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The caption given here stays only until the first percentage is shown.
void ProgressWindow::Show(std::string_view caption) {
    parent_ = MainWindowOfThisThread();
    if (window_ == nullptr && !Create(Wide(caption), true)) return;
    if (parent_ != nullptr) EnableWindow(parent_, FALSE);
    EnableWindow(window_, TRUE);
    modal_ = true;
}

void ProgressWindow::SetRange(uint32_t low, uint32_t high) {
    ProgressBar::SetRange(low, high);
    if (window_ != nullptr) SendMessageW(bar_, PBM_SETRANGE32, low, high);
}

// The bar moves with the caption, once per percent: linking steps once per
// record, and a bar repainted that often costs more than the linking
// (milliseconds a step under Wine) while showing the same picture.
void ProgressWindow::SetPos(uint32_t position) {
    if (window_ == nullptr) return;
    if (!IsWindowVisible(window_)) ShowWindow(window_, SW_SHOWNOACTIVATE);
    position_ = position;
    const uint32_t percentage = Percentage();
    if (percentage == lastPercentage_) return;
    // A new caption is redrawn by the system at some cost (under Wine, a
    // millisecond): a fast load shows fewer percentages than it passes.
    const ULONGLONG now = GetTickCount64();
    if (drawn_ && now - lastDrawing_ < kRefreshMilliseconds && percentage < 100) return;
    drawn_ = true;
    lastDrawing_ = now;
    lastPercentage_ = percentage;
    const std::wstring caption = std::wstring(kTitle) + L" [" + std::to_wstring(percentage) + L"%]";
    SetWindowTextW(window_, caption.c_str());
    SendMessageW(bar_, PBM_SETPOS, position, 0);
}

void ProgressWindow::SetText(std::string_view text) {
    if (window_ == nullptr) return;
    SetWindowTextW(text_, WithWindowsLineEnds(Wide(text)).c_str());
}

// Hands every pending message of this thread to the usual dispatch, after
// looking for the user's cancel: Escape, or the mouse released on Cancel.
void ProgressWindow::PeekAndPump(bool cancelOnEscape) {
    if (window_ == nullptr) return;
    // Each look at the queue costs the system a round trip (under Wine, one
    // to its server and back): a load asks at every step it shows, which is
    // far more often than anyone can press a key.
    const ULONGLONG now = GetTickCount64();
    if (pumped_ && now - lastPump_ < kRefreshMilliseconds) return;
    pumped_ = true;
    lastPump_ = now;
    if (modal_ && GetFocus() != window_) SetFocus(window_);
    MSG message;
    while (!cancelled_ && PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if ((cancelOnEscape && message.message == WM_CHAR && message.wParam == VK_ESCAPE) ||
            (message.message == WM_LBUTTONUP && message.hwnd == button_))
            Cancel();
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) break;
        // The host is closing: leave the quit message for its own loop.
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void ProgressWindow::Cancel() {
    cancelled_ = true;
    ShowWindow(window_, SW_HIDE);
    if (modal_) SendMessageW(window_, WM_CLOSE, 0, 0);
    if (parent_ != nullptr && IsWindow(parent_)) SetForegroundWindow(parent_);
}

void ProgressWindow::EndModal() {
    if (!modal_) return;
    if (parent_ != nullptr && IsWindow(parent_)) EnableWindow(parent_, TRUE);
    modal_ = false;
}

// The parent is enabled before the window goes, so that Windows hands the
// activation back to it rather than to another application.
void ProgressWindow::Destroy() {
    if (window_ == nullptr) return;
    RECT bounds;
    if (GetWindowRect(window_, &bounds)) WriteProfilePosition(POINT{bounds.left, bounds.top});
    EndModal();
    DestroyWindow(window_);
    window_ = text_ = bar_ = button_ = nullptr;
    UnregisterClassW(kClassName, ThisModule());
    if (font_ != nullptr) DeleteObject(font_);
    font_ = nullptr;
}

}  // namespace

std::unique_ptr<Progress> CreateProgressDisplay() {
    return std::unique_ptr<Progress>(new (std::nothrow) ProgressWindow());
}

}  // namespace kinfold

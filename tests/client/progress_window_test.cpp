// The progress window as a user meets it: while a large file loads, a second
// thread finds the window by its class and caption, watches the percentage
// in the caption move and cancels as a user would; the load then answers
// False and the database is empty.
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#include "client/client_support.h"
#include "support/generated_gedcom.h"
#include "support/temp_file.h"

namespace kinfold::client {
namespace {

constexpr wchar_t kWindowClass[] = L"KinfoldProgress";
constexpr wchar_t kProfileKey[] = L"Software\\Kinfold\\Settings";

// The ways a user cancels, as the messages they produce reach the window.
enum class Press { CancelButton, EscapeKey, MouseUpOnCancel };

struct Sighting {
    bool found = false;
    std::vector<std::wstring> captions;  // each new caption seen, in order
    RECT bounds = {};
    HWND owner = nullptr;
    bool hostEnabled = true;
};

std::wstring CaptionOf(HWND window) {
    wchar_t text[128] = {};
    // Answered by the loading thread the next time it pumps.
    GetWindowTextW(window, text, 128);
    return text;
}

int PercentageIn(const std::wstring& caption) {
    int value = -1;
    return std::swscanf(caption.c_str(), L"Progress [%d%%]", &value) == 1 ? value : -1;
}

// Runs on a second thread during the load: finds the window, notes what it
// shows and, once it has seen `percentages` different percentages in the
// caption (at least one), cancels the way `press` says.
void WatchAndCancel(HWND host, size_t percentages, Press press, Sighting* seen) {
    const DWORD deadline = GetTickCount() + 60000;
    HWND window = nullptr;
    while (window == nullptr && GetTickCount() < deadline) {
        window = FindWindowW(kWindowClass, nullptr);
        if (window == nullptr) Sleep(1);
    }
    if (window == nullptr) return;
    seen->found = true;
    // The window is found as soon as it exists; what it shows is settled
    // once the loader has set a position, which puts a percentage in the
    // caption.
    size_t distinct = 0;
    while (distinct < percentages && GetTickCount() < deadline && IsWindow(window)) {
        const std::wstring caption = CaptionOf(window);
        if (!caption.empty() && (seen->captions.empty() || seen->captions.back() != caption)) {
            seen->captions.push_back(caption);
            if (PercentageIn(caption) < 0) continue;
            if (++distinct == 1) {
                seen->owner = GetWindow(window, GW_OWNER);
                seen->hostEnabled = IsWindowEnabled(host) != FALSE;
                GetWindowRect(window, &seen->bounds);
            }
        }
    }
    HWND button = GetDlgItem(window, 10);
    switch (press) {
        case Press::CancelButton:
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(10, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
            break;
        case Press::EscapeKey:
            PostMessageW(window, WM_CHAR, VK_ESCAPE, 0);
            break;
        case Press::MouseUpOnCancel:
            PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
            break;
    }
}

void StoreProfilePosition(DWORD x, DWORD y) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kProfileKey, 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"X", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&x), sizeof(x));
    RegSetValueExW(key, L"Y", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&y), sizeof(y));
    RegCloseKey(key);
}

DWORD ProfileValue(const wchar_t* name) {
    DWORD value = 0xDEADBEEF;
    DWORD size = sizeof(value);
    RegGetValueW(HKEY_CURRENT_USER, kProfileKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

class ProgressWindowTest : public ComTest {
   protected:
    void SetUp() override {
        ComTest::SetUp();
        // The host's own main window, which the progress window must disable.
        host_ = CreateWindowExW(0, L"STATIC", L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                100, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(host_, nullptr);
        ASSERT_EQ(CreateDatabaseByProgId(db_.Out()), S_OK);
    }
    void TearDown() override {
        db_.Reset();
        DestroyWindow(host_);
        ComTest::TearDown();
    }

    // Loads the large file while a second thread watches and cancels.
    bool LoadAndCancel(size_t percentages, Press press, Sighting* seen) {
        std::thread watcher(WatchAndCancel, host_, percentages, press, seen);
        const bool loaded = LoadFile(db_.get(), LargeFile().Path());
        watcher.join();
        return loaded;
    }

    long IndividualCount() {
        ComPtr<IGDIndividuals> individuals;
        LONG count = -1;
        if (SUCCEEDED(db_->get_Individuals(individuals.Out()))) individuals->get_Count(&count);
        return count;
    }

    // Made once: large enough that the load takes a while under Wine.
    static const test::TempFile& LargeFile() {
        static const test::TempFile file(test::GeneratedGedcom(50000));
        return file;
    }

    HWND host_ = nullptr;
    ComPtr<IGEDCOMdb> db_;
};

TEST_F(ProgressWindowTest, CancelEndsTheLoadWithAnEmptyDatabase) {
    const struct {
        Press press;
        const char* name;
    } presses[] = {{Press::CancelButton, "Cancel button"},
                   {Press::EscapeKey, "Escape"},
                   {Press::MouseUpOnCancel, "mouse released on Cancel"}};
    for (const auto& press : presses) {
        SCOPED_TRACE(press.name);
        Sighting seen;
        EXPECT_FALSE(LoadAndCancel(2, press.press, &seen));
        ASSERT_TRUE(seen.found);
        ASSERT_GE(seen.captions.size(), 2u);
        // The caption moves from one percentage to a higher one.
        const int first = PercentageIn(seen.captions[seen.captions.size() - 2]);
        EXPECT_GT(PercentageIn(seen.captions.back()), first);
        EXPECT_EQ(seen.owner, host_);
        EXPECT_FALSE(seen.hostEnabled) << "modal over the host's window";
        EXPECT_TRUE(IsWindowEnabled(host_)) << "enabled again after the load";
        EXPECT_EQ(FindWindowW(kWindowClass, nullptr), nullptr) << "destroyed after the load";

        EXPECT_EQ(IndividualCount(), 0);
        Bstr name;
        EXPECT_EQ(db_->get_FileName(name.Out()), S_OK);
        EXPECT_EQ(name.Text(), L"");
    }
}

TEST_F(ProgressWindowTest, GoesWhereItWasLeftWhenThatIsOnTheScreen) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const struct {
        DWORD x, y;
        bool kept;
    } cases[] = {
        {20, 30, true},
        {0, 0, true},
        {static_cast<DWORD>(screenWidth), 30, false},
        {20, static_cast<DWORD>(screenHeight) + 5, false},
        {static_cast<DWORD>(-40), 30, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "stored " << static_cast<LONG>(c.x) << ","
                                        << static_cast<LONG>(c.y));
        StoreProfilePosition(c.x, c.y);
        Sighting seen;
        EXPECT_FALSE(LoadAndCancel(1, Press::CancelButton, &seen));
        ASSERT_TRUE(seen.found);
        const LONG width = seen.bounds.right - seen.bounds.left;
        const LONG height = seen.bounds.bottom - seen.bounds.top;
        const POINT expected = c.kept ? POINT{static_cast<LONG>(c.x), static_cast<LONG>(c.y)}
                                      : POINT{(screenWidth - width) / 2, (screenHeight - height) / 2};
        EXPECT_EQ(seen.bounds.left, expected.x);
        EXPECT_EQ(seen.bounds.top, expected.y);
        // The place it was in when it went is remembered for the next load.
        EXPECT_EQ(static_cast<LONG>(ProfileValue(L"X")), expected.x);
        EXPECT_EQ(static_cast<LONG>(ProfileValue(L"Y")), expected.y);
    }
}

}  // namespace
}  // namespace kinfold::client

// TWinAPIControlParser over the edit control of a running Notepad, another process.
#define NOMINMAX
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/win/winapi_control_parser.h"
#include "tests/engine/win/parser_reading.h"

namespace quillon {
namespace {

constexpr ULONGLONG WindowWaitMs = 20000;
constexpr DWORD ExitWaitMs = 10000;

// A Notepad of its own, found by its process; closed without saving when it goes.
class TNotepad {
public:
    TNotepad() {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        char commandLine[] = "notepad.exe";
        if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &FProcess))
            return;
        for (const ULONGLONG deadline = GetTickCount64() + WindowWaitMs;
             !FWindow && GetTickCount64() < deadline; Sleep(100))
            FWindow = FindOwnWindow();
    }

    ~TNotepad() {
        if (!FProcess.hProcess) return;
        if (FWindow) {
            // A cleared modified flag means no "save changes" prompt can hold it open.
            SendMessageTimeoutA(Edit(), EM_SETMODIFY, FALSE, 0, SMTO_ABORTIFHUNG, ExitWaitMs, nullptr);
            PostMessageA(FWindow, WM_CLOSE, 0, 0);
        }
        if (!FWindow || WaitForSingleObject(FProcess.hProcess, ExitWaitMs) != WAIT_OBJECT_0) {
            TerminateProcess(FProcess.hProcess, 1);
            WaitForSingleObject(FProcess.hProcess, ExitWaitMs);
        }
        CloseHandle(FProcess.hThread);
        CloseHandle(FProcess.hProcess);
    }

    TNotepad(const TNotepad&) = delete;
    TNotepad& operator=(const TNotepad&) = delete;

    HWND Window() const { return FWindow; }
    HWND Edit() const { return FindWindowExA(FWindow, nullptr, "Edit", nullptr); }

private:
    HWND FindOwnWindow() const {
        for (HWND window = FindWindowExA(nullptr, nullptr, "Notepad", nullptr); window;
             window = FindWindowExA(nullptr, window, "Notepad", nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == FProcess.dwProcessId) return window;
        }
        return nullptr;
    }

    PROCESS_INFORMATION FProcess{};
    HWND FWindow = nullptr;
};

std::string WindowText(HWND window) {
    std::string text(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0) + 1, '\0');
    text.resize(SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    return text;
}

TEST(TWinAPIControlParserNotepad, ReadsAndReplacesWordsInNotepadsEditControl) {
    TNotepad notepad;
    ASSERT_NE(notepad.Window(), nullptr) << "Notepad showed no window within 20 s";
    HWND edit = notepad.Edit();
    ASSERT_NE(edit, nullptr) << "Notepad has no Edit child";
    const char* text = "The quick brown fox\r\njumps over the lazy dog.";
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));

    TWinAPIControlParser parser;
    parser.Initialize(TWindowHandle(edit));
    EXPECT_EQ(parser.Kind(), TControlKind::ckEdit);
    std::vector<std::string> words;
    for (auto word = NextLetters(parser); !word.empty(); word = NextLetters(parser)) words.push_back(word);
    EXPECT_EQ(words, (std::vector<std::string>{"The", "quick", "brown", "fox", "jumps", "over", "the", "lazy",
                                               "dog"}));

    parser.Initialize(TWindowHandle(edit));
    std::string word;
    do word = NextLetters(parser);
    while (!word.empty() && word != "lazy");
    ASSERT_EQ(word, "lazy");
    parser.SelectWordBefore(4);
    parser.ReplaceSelectedWord("sleepy");
    EXPECT_EQ(WindowText(edit), "The quick brown fox\r\njumps over the sleepy dog.");
    EXPECT_EQ(NextLetters(parser), "dog");
}

}  // namespace
}  // namespace quillon

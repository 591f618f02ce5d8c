// Runs vividswirl.exe as a child process with a chosen TAMO_EXAMPLE_TEST and
// checks its output streams and exit status.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

struct process_result {
    std::string out;
    std::string err;
    DWORD status = 0;
};

std::wstring program_path() {
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), MAX_PATH);
    path.resize(length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"vividswirl.exe";
}

// The current environment without TAMO_EXAMPLE_TEST, plus the given value.
std::vector<wchar_t> environment_with(const std::optional<std::wstring>& test_choice) {
    std::vector<wchar_t> block;
    const std::wstring name = L"TAMO_EXAMPLE_TEST=";
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
        if (_wcsnicmp(entry, name.c_str(), name.size()) != 0) {
            block.insert(block.end(), entry, entry + wcslen(entry) + 1);
        }
    }
    FreeEnvironmentStringsW(strings);
    if (test_choice) {
        const std::wstring entry = name + *test_choice;
        block.insert(block.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
    }
    block.push_back(L'\0');
    return block;
}

// What the pipe holds now. A window makes Wine start its desktop process,
// which inherits the pipes and keeps them open, so no end is waited for.
std::string read_available(HANDLE pipe) {
    std::string text;
    char buffer[4096];
    DWORD available = 0;
    DWORD got = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
           ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        text.append(buffer, got);
    }
    return text;
}

// The toy's window, waited for up to ten seconds.
HWND wait_for_toy_window() {
    for (int waited = 0; waited < 10000; waited += 50) {
        if (HWND window = FindWindowW(L"tamo_window_input_canvas_window",
                                      L"Vividswirl / Tamo + Quorvel fluid")) {
            return window;
        }
        Sleep(50);
    }
    return nullptr;
}

// Output is small, so the child never waits for the pipes to be read.
// while_running acts on the running program; one that does not end within
// 20 s is stopped and reported.
process_result run_vividswirl(
    const std::optional<std::wstring>& test_choice,
    const std::function<void()>& while_running = [] {}) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE out_read = nullptr;
    HANDLE out_write = nullptr;
    HANDLE err_read = nullptr;
    HANDLE err_write = nullptr;
    EXPECT_TRUE(CreatePipe(&out_read, &out_write, &inherit, 0));
    EXPECT_TRUE(CreatePipe(&err_read, &err_write, &inherit, 0));
    SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(err_read, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out_write;
    startup.hStdError = err_write;
    PROCESS_INFORMATION process{};
    const std::wstring path = program_path();
    std::wstring command_line = L"\"" + path + L"\"";
    std::vector<wchar_t> environment = environment_with(test_choice);
    const BOOL started =
        CreateProcessW(path.c_str(), command_line.data(), nullptr, nullptr, TRUE,
                       CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr, &startup, &process);
    CloseHandle(out_write);
    CloseHandle(err_write);
    process_result result;
    EXPECT_TRUE(started) << "cannot start vividswirl.exe, error " << GetLastError();
    if (started) {
        while_running();
        if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "vividswirl.exe did not end";
            TerminateProcess(process.hProcess, 99);
            WaitForSingleObject(process.hProcess, INFINITE);
        }
        GetExitCodeProcess(process.hProcess, &result.status);
        result.out = read_available(out_read);
        result.err = read_available(err_read);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out_read);
    CloseHandle(err_read);
    return result;
}

std::string without_carriage_returns(std::string text) {
    std::erase(text, '\r');
    return text;
}

TEST(vividswirl_process, exactly_one_runs_the_self_test) {
    const process_result result = run_vividswirl(L"1");
    EXPECT_EQ(without_carriage_returns(result.out), "ink-drifter: pass\n");
    EXPECT_EQ(result.out, "ink-drifter: pass\r\n") << "standard output stays in text mode";
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0u);
}

TEST(vividswirl_process, every_other_choice_opens_the_window_and_escape_ends_it) {
    const std::optional<std::wstring> choices[] = {std::nullopt, L"",   L"0",   L" 1",
                                                   L"1 ",        L"01", L"true"};
    for (const std::optional<std::wstring>& choice : choices) {
        const std::string shown = choice ? std::string(choice->begin(), choice->end()) : "unset";
        bool opened = false;
        const process_result result = run_vividswirl(choice, [&] {
            HWND window = wait_for_toy_window();
            opened = window != nullptr;
            PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);
        });
        EXPECT_TRUE(opened) << shown;
        EXPECT_EQ(result.out, "") << shown;
        EXPECT_EQ(result.err, "") << shown;
        EXPECT_EQ(result.status, 0u) << shown;
    }
}

// A close seen by the drain at the top of a frame ends with status 0; one
// seen by a builtin's own drain ends with that builtin's message and 1.
TEST(vividswirl_process, closing_the_window_ends_the_program) {
    const process_result result = run_vividswirl(std::nullopt, [] {
        HWND window = wait_for_toy_window();
        Sleep(300);
        PostMessageW(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result.out, "");
    if (result.status == 0) {
        EXPECT_EQ(result.err, "");
    } else {
        EXPECT_EQ(result.status, 1u);
        const std::string prefix = "window.canvas: window/canvas runtime window is not open for ";
        EXPECT_EQ(without_carriage_returns(result.err).rfind(prefix, 0), 0u) << result.err;
    }
}

}  // namespace

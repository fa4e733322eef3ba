// Drives a running Orvalen.exe for screenshots, where a keyboard on a virtual
// X display cannot type Chinese: finds the main dialog on this Wine desktop,
// puts a query into its query box and presses 搜索.
//
//   orvalen_screen_driver wait           succeeds once the dialog is shown
//   orvalen_screen_driver search 8BF7    searches for U+8BF7 (请)
#include <windows.h>

#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    HWND dialog = FindWindowW(L"#32770", L"Pemberlyn－Orvalen V1.0");
    if (dialog == nullptr || !IsWindowVisible(dialog))
        return 1;
    if (argc >= 3 && std::wcscmp(argv[1], L"search") == 0) {
        // Code points in hex: command-line text is not safe across Wine's
        // conversion from the Unix locale.
        std::wstring query;
        for (int i = 2; i < argc; ++i)
            query.push_back(static_cast<wchar_t>(std::wcstoul(argv[i], nullptr, 16)));
        SendMessageW(GetDlgItem(dialog, 1002), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(query.c_str()));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(1000, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1000)));
    }
    return 0;
}

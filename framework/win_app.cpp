#include "framework/win_app.h"

#include "framework/text_codec.h"
#include "framework/wnd.h"

#include <string_view>

namespace {

CWinApp* g_app = nullptr;

std::string ExecutableName()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::wstring_view name = path;
    name.remove_prefix(name.find_last_of(L"\\/") == std::wstring_view::npos ? 0 : name.find_last_of(L"\\/") + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring_view::npos)
        name = name.substr(0, dot);
    return Cp936FromWide(name);
}

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* appName) : m_appName(appName ? appName : ExecutableName())
{
    m_pszAppName = m_appName.c_str();
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

int CWinApp::Run()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

HICON CWinApp::LoadIcon(UINT id) const
{
    return LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id));
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app != nullptr ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetResourceHandle()
{
    return GetModuleHandleW(nullptr);
}

int AfxWinMain()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    // An exception that reaches here has already been carried past every
    // Windows callback; it ends the program with a failure code.
    try {
        if (!app->InitInstance())
            return 0;
        return app->Run();
    } catch (...) {
        return 1;
    }
}

#include "app/finder_dlg.h"

#include "app/about_box.h"
#include "app/dictionary_file.h"
#include "dictionary/char_table.h"
#include "search/search.h"
#include "search/trimmed_query.h"

#include "framework/text_codec.h"

#include <optional>
#include <string>

BEGIN_MESSAGE_MAP(CFinderDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_SEARCH, OnSearch)
END_MESSAGE_MAP()

CFinderDlg::CFinderDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_hIcon(AfxGetApp()->LoadIcon(IDI_APP))
{
}

void CFinderDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_QUERY, m_strQuery);
    DDX_Text(pDX, IDC_MATCHES, m_strMatches);
}

BOOL CFinderDlg::OnInitDialog()
{
    m_strQuery = "车";
    CDialog::OnInitDialog();

    AddAboutToSystemMenu();

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    // The dictionary is read before the window is first shown: hz.txt from
    // the current directory, else the one beside Orvalen.exe. Without it
    // every query would answer "no find" with no hint why, so the user is
    // told; the program then goes on with an empty table. A hz.txt that is
    // there but refused (a directory, too large, too many lines) is named
    // with the reason, and with what is read instead.
    const WindowDictionary dictionary = LoadWindowDictionary();
    if (!dictionary.refused.empty()) {
        CString refusedFormat;
        refusedFormat.LoadString(IDS_DICTIONARY_REFUSED);
        CString emptyNotice;
        emptyNotice.LoadString(IDS_NO_DICTIONARY);
        MessageBox(RefusedDictionaryMessage(dictionary, refusedFormat.Bytes(), emptyNotice.Bytes()).c_str(), nullptr,
                   MB_OK | MB_ICONWARNING);
    } else if (!dictionary.used) {
        ReportMissingDictionary();
    }
    return TRUE;
}

void CFinderDlg::AddAboutToSystemMenu()
{
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu == nullptr)
        return;
    CString strAboutMenu;
    strAboutMenu.LoadString(IDS_ABOUT_MENU);
    if (strAboutMenu.IsEmpty())
        return;
    pSysMenu->AppendMenu(MF_SEPARATOR);
    pSysMenu->AppendMenu(MF_STRING, IDM_ABOUT, strAboutMenu);
}

void CFinderDlg::ReportMissingDictionary()
{
    CString text;
    text.LoadString(IDS_NO_DICTIONARY);
    std::string message = text.Bytes();
    const auto replace = [&message](std::string_view mark, const std::string& by) {
        const std::size_t at = message.find(mark);
        if (at != std::string::npos)
            message.replace(at, mark.size(), by);
    };
    replace("%1", "hz.txt");
    replace("%2", Cp936FromWide(CurrentDirectory()));
    replace("%3", Cp936FromWide(ProgramDirectory()));
    MessageBox(message.c_str(), nullptr, MB_OK | MB_ICONWARNING);
}

void CFinderDlg::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == IDM_ABOUT) {
        CAboutBox dlgAbout;
        dlgAbout.DoModal();
    } else {
        Default();
    }
}

void CFinderDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);

    // Centre the icon in the client rectangle; the division truncates
    // toward zero, as it must when the icon is the larger.
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CFinderDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CFinderDlg::OnSearch()
{
    UpdateData(TRUE);
    m_strMatches.Empty();
    // Blanks around the query are no part of it: a character copied out of
    // the result box comes with the space that follows it there.
    std::optional<std::string> matches = RunSearch(TrimmedQuery(m_strQuery));
    if (!matches) {
        MessageBox("no find");
        SelectWholeQuery();
        return;
    }
    m_strMatches = std::move(*matches);
    UpdateData(FALSE);
    // Under Wine a character the window's font lacks is drawn in a fallback
    // face whose glyphs reach below their line, and new text repaints only
    // the lines' own strips: the lower edge of the old list would stay on
    // screen. The whole box is repainted instead.
    ::RedrawWindow(GetItem(IDC_MATCHES), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    SelectWholeQuery();
}

// After a search the query box has the focus and its whole text selected, so
// the next character typed replaces the query instead of joining it (未车).
void CFinderDlg::SelectWholeQuery()
{
    GotoDlgCtrl(GetItem(IDC_QUERY));
}

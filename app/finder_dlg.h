// CFinderDlg: the main dialog. The user types one character into the query
// box and presses 搜索; the characters of like structure appear below, one
// score group per line.
#pragma once

#include "app/resource.h"
#include "framework/framework.h"

class CFinderDlg : public CDialog {
public:
    explicit CFinderDlg(CWnd* pParent = nullptr);

    enum { IDD = IDD_FINDER };
    CString m_strQuery;    // the query box, code page 936
    CString m_strMatches;  // the result box, code page 936

protected:
    HICON m_hIcon;  // shared; not destroyed by the dialog

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSearch();

    DECLARE_MESSAGE_MAP()

private:
    void AddAboutToSystemMenu();
    void ReportMissingDictionary();
    void SelectWholeQuery();
};

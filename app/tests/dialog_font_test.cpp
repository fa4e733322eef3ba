// The window's font as Wine draws it in Orvalen's prefix (scripts/wine-run):
// 仿宋_GB2312 is replaced by the brush-written AR PL UKai CN, and a
// character that face lacks (爲, 産, most rare and traditional ones) is drawn
// in Noto Serif CJK SC. Checked where the user sees it, in the result box,
// by comparing each character's strokes with those the face draws alone; a
// character drawn as the box of a face that lacks it fails both.
#include "app/resource.h"
#include "app/tests/finder_harness.h"
#include "app/tests/sample_dictionary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A white bitmap to draw on, and the dark pixels drawn, cut to the smallest
// rectangle that holds them: the same glyph drawn anywhere compares equal.
class Canvas {
public:
    Canvas(int width, int height) : m_dc(CreateCompatibleDC(nullptr)), m_width(width), m_height(height)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<const DWORD*>(bits);
        m_previous = SelectObject(m_dc, m_bitmap);
        Clear();
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }

    void Clear()
    {
        const RECT all{0, 0, m_width, m_height};
        FillRect(m_dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }

    // Rows of '#' (dark) and '.', cut to the dark pixels; empty when none.
    std::vector<std::string> Ink() const
    {
        GdiFlush();
        const auto dark = [this](int x, int y) { return (m_bits[y * m_width + x] & 0xFF) < 128; };
        int left = m_width, right = -1, top = m_height, bottom = -1;
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x) {
                if (dark(x, y)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        std::vector<std::string> rows;
        for (int y = top; y <= bottom; ++y) {
            std::string row;
            for (int x = left; x <= right; ++x)
                row.push_back(dark(x, y) ? '#' : '.');
            rows.push_back(row);
        }
        return rows;
    }

private:
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    const DWORD* m_bits = nullptr;
    int m_width;
    int m_height;
};

class DialogFont : public testing::Test {
protected:
    DictionaryFolder m_folder{SampleDictionary()};
    FinderRun m_run;

    HWND Matches() const { return m_run.Item(IDC_MATCHES); }

    // The character as the result box shows it.
    std::vector<std::string> InResultBox(wchar_t character)
    {
        const std::wstring text(1, character);
        SetWindowTextW(Matches(), text.c_str());
        RECT client;
        GetClientRect(Matches(), &client);
        Canvas canvas(client.right, client.bottom);
        SendMessageW(Matches(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
        return canvas.Ink();
    }

    // The character as `face` draws it alone, at the size of the window's font.
    std::vector<std::string> InFace(const wchar_t* face, wchar_t character)
    {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(m_run.Dialog(), WM_GETFONT, 0, 0)), sizeof font, &font);
        wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
        const HFONT created = CreateFontIndirectW(&font);
        Canvas canvas(font.lfHeight * -4, font.lfHeight * -4);
        const HGDIOBJ previous = SelectObject(canvas.Dc(), created);
        SetBkMode(canvas.Dc(), TRANSPARENT);
        TextOutW(canvas.Dc(), 4, 4, &character, 1);
        std::vector<std::string> ink = canvas.Ink();
        SelectObject(canvas.Dc(), previous);
        DeleteObject(created);
        return ink;
    }
};

TEST_F(DialogFont, ResultBoxDrawsEachCharacterInTheBrushFaceOrElseTheFullerOne)
{
    const wchar_t* const brush = L"AR PL UKai CN";
    const wchar_t* const fuller = L"Noto Serif CJK SC";
    struct Case {
        const wchar_t* characters;
        const wchar_t* face;
    };
    // The first the brush face has; the others it lacks, among them 嶌 and
    // 樢 of 鳥's list on the GBK dictionary.
    const Case cases[] = {{L"车请鳥問嶋", brush}, {L"爲産嶌樢咊豓刏", fuller}};
    for (const Case& c : cases) {
        for (const wchar_t* character = c.characters; *character != L'\0'; ++character) {
            SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<int>(*character));
            const std::vector<std::string> shown = InResultBox(*character);
            ASSERT_FALSE(shown.empty()) << "nothing drawn";
            EXPECT_EQ(shown, InFace(c.face, *character));
        }
    }
}

}  // namespace

#include "answer/render_worksheet.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

namespace {

// Printed on A4 by any browser, with nothing to fetch: the fonts are a stack
// of the Kai and serif faces that Windows, macOS and Linux ship, and the
// writing grids (田字格) are borders, which print even where backgrounds are
// left out.
constexpr std::string_view kStyle = R"(@page { size: A4; margin: 15mm 16mm 16mm; }
* { box-sizing: border-box; }
html { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
body { margin: 0; color: #000; background: #fff; font-size: 14pt; line-height: 1.5;
  font-family: KaiTi, "楷体", STKaiti, "Kaiti SC", "AR PL UKai CN", "AR PL KaitiM GB", "Noto Serif CJK SC",
    "Source Han Serif SC", SimSun, "Songti SC", serif; }
@media screen { body { max-width: 178mm; margin: 10mm auto; padding: 0 4mm; } }
.pinyin, .number { font-family: "Noto Sans", "DejaVu Sans", "Segoe UI", Arial, "Helvetica Neue", sans-serif; }
h1 { margin: 0 0 3mm; font-size: 22pt; font-weight: normal; text-align: center; letter-spacing: .4em; }
.student { display: flex; justify-content: space-between; margin: 0 4mm 5mm; font-size: 12pt; }
.student span { display: inline-block; width: 32mm; border-bottom: 1px solid #000; }
.set { display: flex; gap: 3mm; padding: 4mm 0 3mm; border-top: 1px solid #999;
  break-inside: avoid; page-break-inside: avoid; }
.number { flex: none; width: 7mm; font-size: 13pt; font-weight: bold; }
.body { flex: auto; }
.cards { display: flex; flex-wrap: wrap; gap: 3mm 4mm; margin-bottom: 3mm; }
.card { text-align: center; }
.card .pinyin { height: 1.6em; font-size: 12pt; line-height: 1.6em; white-space: nowrap; }
.grid { position: relative; width: 19mm; height: 19mm; border: 1.2pt solid #b33; font-size: 14.5mm; line-height: 19mm; }
.grid::before, .grid::after { content: ""; position: absolute; }
.grid::before { top: 0; bottom: 0; left: 50%; border-left: .7pt dashed #d99; }
.grid::after { top: 50%; left: 0; right: 0; border-top: .7pt dashed #d99; }
.grid span { position: relative; }
.task { display: flex; align-items: baseline; margin: 2mm 0; }
.label { flex: none; width: 22mm; font-size: 12pt; color: #333; }
.items { flex: auto; display: grid; grid-template-columns: repeat(4, 1fr); gap: 1.5mm 2mm; }
.wide { grid-column: span 2; }
.item { white-space: nowrap; }
.item .pinyin { font-size: 12pt; }
.gap { display: inline-block; width: 2em; }
.gap.word { width: 3.5em; }
.answers { break-before: page; page-break-before: always; }
.answers h2 { margin: 0 0 4mm; font-size: 20pt; font-weight: normal; text-align: center; letter-spacing: .4em; }
.answers .set { padding: 2.5mm 0 1.5mm; }
.answers .task { margin: .5mm 0; }
.answers .label { width: 27mm; }
.answers .items { display: flex; flex-wrap: wrap; gap: .5mm 7mm; }
.answers .items.list { display: block; }
.answers .items.list .item { display: block; }
.answers b { font-weight: normal; text-decoration: underline; }
.answers .pinyin { font-size: 11pt; }
.difference { color: #333; font-size: 12pt; }
)";

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 character at the start of `text`, or
// 0 when none starts there (a stray byte, an overlong form, a surrogate).
std::size_t Utf8CharLength(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    std::uint32_t low = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, low = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, low = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, low = 0x10000;
    else
        return 0;
    if (text.size() < length)
        return 0;
    std::uint32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < low || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

// `text` as HTML text or attribute value: markup characters escaped, and
// what HTML may not hold (bytes that are not UTF-8, control characters)
// shown as U+FFFD.
std::string Escaped(std::string_view text)
{
    std::string html;
    while (!text.empty()) {
        const std::size_t length = Utf8CharLength(text);
        const char c = text.front();
        if (length == 0 || (length == 1 && static_cast<unsigned char>(c) < 0x20) || c == '\x7F')
            html += kReplacement;
        else if (c == '&')
            html += "&amp;";
        else if (c == '<')
            html += "&lt;";
        else if (c == '>')
            html += "&gt;";
        else if (c == '"')
            html += "&quot;";
        else if (c == '\'')
            html += "&#39;";
        else
            html.append(text.substr(0, length));
        text.remove_prefix(std::max<std::size_t>(length, 1));
    }
    return html;
}

const std::string kBlank = "（<span class=\"gap\"></span>）";
const std::string kWordBlank = "（<span class=\"gap word\"></span>）";

std::string Pinyin(std::string_view reading)
{
    return "<span class=\"pinyin\">" + Escaped(reading) + "</span>";
}

// The word to complete for a character: its most frequent word that holds
// more than the character itself.
std::optional<std::string_view> WordToComplete(const WorksheetCharacter& character)
{
    if (character.text.empty())
        return std::nullopt;
    for (const std::string& word : character.words) {
        if (word.size() > character.text.size() && word.find(character.text) != std::string::npos)
            return word;
    }
    return std::nullopt;
}

// `word` with every occurrence of `character` replaced by `filler`.
std::string WordWith(std::string_view word, std::string_view character, const std::string& filler)
{
    std::string html;
    for (std::size_t at; (at = word.find(character)) != std::string_view::npos;) {
        html += Escaped(word.substr(0, at)) + filler;
        word.remove_prefix(at + character.size());
    }
    return html + Escaped(word);
}

// One item of the 选字填空 row, as set and as answered: the character's word
// with the character blanked, or, for a character with no word, its reading
// to write the character for. Nothing for a character with neither.
struct FillIn {
    std::string exercise;
    std::string answer;
    bool wide = false;  // a long word, given two columns of the row
};

std::size_t CharCount(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::optional<FillIn> FillInFor(const WorksheetCharacter& character)
{
    const std::string answered = "（<b>" + Escaped(character.text) + "</b>）";
    if (const std::optional<std::string_view> word = WordToComplete(character))
        return FillIn{WordWith(*word, character.text, kBlank), WordWith(*word, character.text, answered),
                      CharCount(*word) > 3};
    if (!character.pinyin.empty() && !character.pinyin.front().empty())
        return FillIn{Pinyin(character.pinyin.front()) + kBlank, Pinyin(character.pinyin.front()) + answered};
    return std::nullopt;
}

std::vector<const WorksheetCharacter*> SheetCharacters(const WorksheetSet& set)
{
    std::vector<const WorksheetCharacter*> characters{&set.query};
    const std::size_t count = std::min(set.lookAlikes.size(), kWorksheetLookAlikes);
    for (std::size_t i = 0; i < count; ++i)
        characters.push_back(&set.lookAlikes[i]);
    return characters;
}

// The fill-in items start at the second character: blank n is then not
// simply character n of the row above.
std::vector<FillIn> FillIns(const std::vector<const WorksheetCharacter*>& characters)
{
    std::vector<FillIn> items;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (std::optional<FillIn> item = FillInFor(*characters[(i + 1) % characters.size()]))
            items.push_back(std::move(*item));
    }
    return items;
}

std::string Item(const std::string& content, bool wide = false)
{
    return (wide ? "<span class=\"item wide\">" : "<span class=\"item\">") + content + "</span>";
}

// A labelled row of items; `layout` is the items' class: "items" puts them
// in columns, "items list" one to a line.
std::string Task(std::string_view label, const std::vector<std::string>& items, std::string_view layout = "items")
{
    std::string html = "<div class=\"task\"><span class=\"label\">" + std::string(label) + "</span><div class=\"" +
                       std::string(layout) + "\">";
    for (const std::string& item : items)
        html += item;
    return html + "</div></div>\n";
}

std::string Card(const WorksheetCharacter& character)
{
    const std::string reading = character.pinyin.empty() ? std::string() : character.pinyin.front();
    return "<div class=\"card\"><div class=\"pinyin\">" + (reading.empty() ? "&#160;" : Escaped(reading)) +
           "</div><div class=\"grid\"><span>" + Escaped(character.text) + "</span></div></div>";
}

std::string SetStart(std::size_t number)
{
    return "<section class=\"set\"><div class=\"number\">" + std::to_string(number) + "</div><div class=\"body\">\n";
}

const std::string kSetEnd = "</div></section>\n";

std::string Exercises(const WorksheetSet& set, std::size_t number)
{
    const std::vector<const WorksheetCharacter*> characters = SheetCharacters(set);
    std::string html = SetStart(number) + "<div class=\"cards\">";
    for (const WorksheetCharacter* character : characters)
        html += Card(*character);
    html += "</div>\n";
    std::vector<std::string> fillIns;
    for (FillIn& item : FillIns(characters))
        fillIns.push_back(Item(item.exercise, item.wide));
    if (!fillIns.empty())
        html += Task("选字填空", fillIns);
    std::vector<std::string> makeWords;
    for (const WorksheetCharacter* character : characters)
        makeWords.push_back(Item(Escaped(character->text) + kWordBlank));
    return html + Task("辨字组词", makeWords) + kSetEnd;
}

// The answers of one set: the fill-ins completed, and each character's
// readings, what tells a look-alike from the query, and its words, which
// answer the 组词 row.
std::string Answers(const WorksheetSet& set, std::size_t number)
{
    const std::vector<const WorksheetCharacter*> characters = SheetCharacters(set);
    std::string html = SetStart(number);
    std::vector<std::string> fillIns;
    for (FillIn& item : FillIns(characters))
        fillIns.push_back(Item(item.answer));
    if (!fillIns.empty())
        html += Task("选字填空", fillIns);
    std::vector<std::string> words;
    for (const WorksheetCharacter* character : characters) {
        // Appended piece by piece: "literal" + a temporary string draws a
        // false -Wrestrict warning from MinGW's g++ 12.
        std::string item = Escaped(character->text);
        for (const std::string& reading : character->pinyin) {
            item += ' ';
            item += Pinyin(reading);
        }
        if (!character->difference.empty()) {
            item += "<span class=\"difference\">〔";
            item += Escaped(character->difference);
            item += "〕</span>";
        }
        item += "：";
        for (std::size_t i = 0; i < character->words.size(); ++i) {
            if (i > 0)
                item += "、";
            item += Escaped(character->words[i]);
        }
        if (character->words.empty())
            item += "—";
        words.push_back(Item(item));
    }
    return html + Task("读音和组词", words, "items list") + kSetEnd;
}

}  // namespace

std::string WorksheetHtml(const std::vector<WorksheetSet>& sets)
{
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<title>形近字练习</title>\n<style>\n";
    html += kStyle;
    html += "</style>\n</head>\n<body>\n<header><h1>形近字练习</h1>\n"
            "<div class=\"student\"><div>姓名<span></span></div><div>班级<span></span></div>"
            "<div>日期<span></span></div></div></header>\n<main>\n";
    for (std::size_t i = 0; i < sets.size(); ++i)
        html += Exercises(sets[i], i + 1);
    html += "</main>\n<section class=\"answers\"><h2>答案</h2>\n";
    for (std::size_t i = 0; i < sets.size(); ++i)
        html += Answers(sets[i], i + 1);
    return html + "</section>\n</body>\n</html>\n";
}

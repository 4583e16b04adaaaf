// The test page on the printer's device context: the lines laid out for the printable width the driver
// reports, each broken where it would run past it.
#include <windows.h>

#include <string>
#include <vector>

#include "deploy/DeployTextIds.h"
#include "deploy/TestPage.h"

namespace {
// A driver that reports no printable width gets the layout of a 58 mm receipt: 48 mm printed at the
// resolution it reports, or at the 203 dots per inch of most receipt printers when it reports none.
constexpr int kNarrowWidthTenthsOfMm = 480;
constexpr int kReceiptDotsPerInch = 203;
// The text is a sixteenth of the width high (24 dots on a 58 mm receipt), and never above 12 points.
constexpr int kLinesAcrossWidth = 16;
constexpr int kLargestPoints = 12;

struct Layout {
    int width;
    int lineHeight;
    int margin;
};

Layout LayoutOf(HDC dc) {
    int dotsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    if (dotsPerInch <= 0) dotsPerInch = kReceiptDotsPerInch;
    int width = GetDeviceCaps(dc, HORZRES);
    if (width <= 0) {
        int across = GetDeviceCaps(dc, LOGPIXELSX) > 0 ? GetDeviceCaps(dc, LOGPIXELSX) : kReceiptDotsPerInch;
        width = MulDiv(kNarrowWidthTenthsOfMm, across, 254);
    }
    int height = width / kLinesAcrossWidth;
    int largest = MulDiv(kLargestPoints, dotsPerInch, 72);
    if (height > largest) height = largest;
    if (height < 8) height = 8;
    return {width, height, height / 2};
}

HFONT PageFont(int height, int weight) {
    // "宋体" is the system's Chinese face; the character set lets the font mapper pick another one.
    return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "宋体");
}

// The line cut into pieces that fit the width, never inside a double-byte character.
std::vector<std::string> Pieces(HDC dc, const std::string& line, int width) {
    std::vector<std::string> pieces;
    std::string piece;
    for (size_t at = 0; at < line.size();) {
        size_t length = IsDBCSLeadByte(static_cast<BYTE>(line[at])) && at + 1 < line.size() ? 2 : 1;
        std::string longer = piece + line.substr(at, length);
        SIZE extent = {};
        GetTextExtentPoint32A(dc, longer.c_str(), static_cast<int>(longer.size()), &extent);
        if (extent.cx > width && !piece.empty()) {
            pieces.push_back(piece);
            piece.clear();
            continue;
        }
        piece = longer;
        at += length;
    }
    pieces.push_back(piece);
    return pieces;
}

// The lines from the top, the title in bold; false with the error when the page cannot be drawn.
bool DrawLines(HDC dc, const Layout& layout, const std::vector<std::string>& lines) {
    HFONT title = PageFont(layout.lineHeight, FW_BOLD);
    HFONT body = PageFont(layout.lineHeight, FW_NORMAL);
    HGDIOBJ previous = SelectObject(dc, title);
    int y = layout.margin;
    bool drawn = true;
    for (size_t index = 0; index < lines.size() && drawn; ++index) {
        if (index == 1) SelectObject(dc, body);
        for (const std::string& piece : Pieces(dc, lines[index], layout.width - 2 * layout.margin)) {
            drawn = drawn && TextOutA(dc, layout.margin, y, piece.c_str(), static_cast<int>(piece.size()));
            y += layout.lineHeight * 5 / 4;
        }
    }
    SelectObject(dc, previous);
    DeleteObject(title);
    DeleteObject(body);
    return drawn;
}
}  // namespace

bool DrawTestPage(const char* driver, const char* printer, const char* port, const TestPageText& text,
                  UINT& step, unsigned long& error) {
    step = IDS_TESTPAGE_FAILED_CREATING_DC;
    HDC dc = CreateDCA(driver, printer, port, nullptr);
    if (dc == nullptr) {
        error = GetLastError();
        return false;
    }
    DOCINFOA document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = text.documentName.c_str();
    bool done = false;
    step = IDS_TESTPAGE_FAILED_STARTING;
    if (StartDocA(dc, &document) > 0) {
        step = IDS_TESTPAGE_FAILED_PAGE;
        bool page = StartPage(dc) > 0 && DrawLines(dc, LayoutOf(dc), text.lines) && EndPage(dc) > 0;
        if (!page) {
            error = GetLastError();
            AbortDoc(dc);
        } else {
            step = IDS_TESTPAGE_FAILED_ENDING;
            done = EndDoc(dc) > 0;
        }
    }
    if (!done && error == 0) error = GetLastError();
    DeleteDC(dc);
    return done;
}

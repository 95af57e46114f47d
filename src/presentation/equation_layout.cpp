// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "presentation/equation_layout.h"

#include "core/cp932.h"
#include "core/token_kinds.h"

#include <algorithm>
#include <cstdlib>

namespace tavolini {
namespace {

// Pixels of centring per byte of difference in a stacked fraction, whatever
// the cell width.
constexpr int CentringStep = 4;
constexpr int TextInset = 2;

// Magnitudes in 64 bits: the numerator may be the most negative 32-bit value.
std::int64_t magnitude(std::int32_t v) {
    return std::llabs(static_cast<std::int64_t>(v));
}

std::string digits(std::int32_t v) {
    return std::to_string(magnitude(v));
}

bool isUnit(std::int32_t v) {
    return v == 1 || v == -1;
}

int rowBase(int height) {
    return height > ProblemRowHeight ? height / 4 - 2 : 0;
}

// The sign item of a number or term: "+" only where the term before it
// needs separating, "-" always for a negative value.
std::string_view signText(const MShiki& e, int i, std::int32_t num) {
    if (num < 0) return "-";
    if (num > 0 && needsSign(e, i)) return "+";
    return "";
}

// The collected group of a '|' factor over a bracket: 1/3(x+1) is written
// as x+1 over 3, 2/3(x+1) as 2(x+1) over 3.
struct BarGroup {
    bool open = false;
    std::int32_t a = 0; // the factor's denominator
    std::int32_t b = 0; // the factor's numerator
    std::string top;
    std::string bottom;

    bool bracketsHidden() const { return isUnit(b) && a != 1; }
};

// Where the items of an equation go: into cells on an image, or into text.
class EquationItems {
  public:
    virtual ~EquationItems() = default;
    virtual void item(std::string_view top, std::string_view bottom) = 0;
};

class CellItems final : public EquationItems {
  public:
    CellItems(Canvas& image, const LayoutState& layout) : m_image(image), m_layout(layout) {}

    void item(std::string_view top, std::string_view bottom) override {
        m_x += drawCellItem(m_image, m_layout, top, bottom, m_x);
    }
    int x() const { return m_x; }

  private:
    Canvas& m_image;
    const LayoutState& m_layout;
    int m_x = 0;
};

// A stacked item is read as the pad types it: bottom 分の top.
class TextItems final : public EquationItems {
  public:
    void item(std::string_view top, std::string_view bottom) override {
        if (top.empty()) return;
        if (!bottom.empty()) m_text += std::string(bottom) + cp932("分の");
        m_text += top;
        while (!m_text.empty() && m_text.back() == ' ')
            m_text.pop_back();
    }
    const std::string& text() const { return m_text; }

  private:
    std::string m_text;
};

class EquationDrawing {
  public:
    EquationDrawing(EquationItems& items, const Algebra& algebra, const MShiki& e)
        : m_items(items), m_algebra(algebra), m_e(e) {}

    void item(std::string_view top, std::string_view bottom = {}) { m_items.item(top, bottom); }

    void token(int i, char nextKind) {
        const ShikiToken& t = tokenAt(m_e, i);
        if (m_group.open)
            collect(t);
        else
            draw(i, t, nextKind);
        m_previousKind = t.kind;
    }

    void tokens() {
        const int count = std::clamp(m_e.count, 0, MaxTokens);
        for (int i = 0; i < count; ++i)
            token(i, i + 1 < count ? tokenAt(m_e, i + 1).kind : '\0');
    }

  private:
    void collect(const ShikiToken& t) {
        switch (t.kind) {
        case '(':
            if (isUnit(m_group.b)) m_group.top.clear();
            if (!m_group.bracketsHidden()) m_group.top += '(';
            break;
        case ')':
            if (!m_group.bracketsHidden()) m_group.top += ") ";
            if (m_group.a == 1)
                item(m_group.top);
            else
                item(m_group.top, m_group.bottom);
            m_group.open = false;
            break;
        default: {
            std::string text;
            if (m_previousKind == '(')
                text = t.num < 0 ? "-" : "";
            else
                text = t.num > 0 ? "+" : "-";
            text += tokenStrings(t).numerator;
            m_group.top += text;
            if (t.kind == m_algebra.unknown1 || t.kind == m_algebra.unknown2) m_group.top += t.kind;
            break;
        }
        }
    }

    void draw(int i, const ShikiToken& t, char nextKind) {
        if (isGroupOpening(t.kind) || isGroupClosing(t.kind)) {
            item(std::string(1, t.kind));
        } else if (t.kind == '=') {
            item("=");
        } else if (t.kind == '|') {
            openGroup(i, t);
        } else if (t.kind == '/') {
            number(i, t, nextKind);
        } else if (isLetter(t.kind)) {
            term(i, t);
        }
    }

    void openGroup(int i, const ShikiToken& t) {
        m_group.open = true;
        m_group.a = t.den;
        m_group.b = t.num;
        if (isUnit(t.num) && isUnit(t.den)) {
            m_group.top.clear();
            m_group.bottom.clear();
        } else {
            m_group.top = digits(t.num);
            m_group.bottom = digits(t.den);
        }
        item(signText(m_e, i, t.num));
    }

    void number(int i, const ShikiToken& t, char nextKind) {
        item(signText(m_e, i, t.num));
        const std::string decimal = m_algebra.hasDecimalPoint ? decimalText(t) : std::string();
        if (!decimal.empty()) {
            item(decimal);
        } else if (isUnit(t.num) && isUnit(t.den) && isGroupOpening(nextKind)) {
            // A factor 1 before a bracket is not written.
        } else {
            const TokenTexts texts = tokenStrings(t);
            item(texts.numerator, texts.denominator);
        }
    }

    void term(int i, const ShikiToken& t) {
        item(signText(m_e, i, t.num));
        const std::string decimal = m_algebra.hasDecimalPoint ? decimalText(t) : std::string();
        if (!decimal.empty()) {
            item(decimal + t.kind);
            return;
        }
        const TokenTexts texts = tokenStrings(t);
        item(texts.numerator, texts.denominator);
        item(std::string(1, t.kind));
    }

    EquationItems& m_items;
    const Algebra& m_algebra;
    const MShiki& m_e;
    char m_previousKind = '(';
    BarGroup m_group;
};

// A canvas that draws nothing and notes where the ink it is given ends.
class InkExtent final : public Canvas {
  public:
    InkExtent(const TextMeasure& measure, const Canvas& image)
        : Canvas(image.width(), image.height()), m_measure(measure) {
        setFont(image.font());
    }

    int right() const { return m_right; }

    void textOut(int x, int, std::string_view text) override {
        if (!text.empty()) note(x + m_measure.textWidth(font(), text));
    }
    // Lines and outlines end before their far corner.
    void line(int x1, int, int x2, int) override { note(std::max(x1 + 1, x2)); }
    void rectangle(int, int, int x2, int) override { note(x2); }
    void fillRect(int, int, int x2, int, Colour) override { note(x2); }
    void clear() override {
        m_right = 0;
        freshSurface();
    }

  private:
    void note(int x) { m_right = std::max(m_right, x); }

    const TextMeasure& m_measure;
    int m_right = 0;
};

} // namespace

int TextMeasure::textWidth(const CanvasFont& font, std::string_view text) const {
    const std::int64_t em = pixelsFromPoints(std::clamp(font.size, 0, 1000));
    return static_cast<int>((static_cast<std::int64_t>(text.size()) * em * 2 + 2) / 3);
}

CanvasFont numberFontDefault() {
    CanvasFont font;
    font.face = "Bookman Old Style";
    font.charset = AnsiCharset;
    font.italic = true;
    font.size = 14;
    return font;
}

CanvasFont labelFontDefault() {
    CanvasFont font;
    font.face = cp932("ＭＳ Ｐゴシック");
    font.charset = ShiftJisCharset;
    return font;
}

std::string slotPrefix(int slot) {
    switch (slot) {
    case 1:
    case 2:
        return "   "; // room for the brace left of the problem
    case SolutionSlotX:
        return cp932("［答］　");
    case SolutionSlotY:
        return cp932("　　　　"); // as wide as the line above, so both answers line up
    default:
        return {};
    }
}

EquationSize naturalSize(const MShiki& e, bool compact) {
    return compact || std::clamp(e.count, 0, MaxTokens) >= SmallTokenCount ? SmallEquation : LargeEquation;
}

bool renderEquation(Canvas& image, LayoutState& layout, const Algebra& algebra, int slot, bool compact,
                    const MShiki& e) {
    return drawEquation(image, layout, algebra, slot, naturalSize(e, compact), e) < CellLimit;
}

int drawEquation(Canvas& image, LayoutState& layout, const Algebra& algebra, int slot, EquationSize size,
                 const MShiki& e) {
    CellItems cells(image, layout);
    EquationDrawing drawing(cells, algebra, e);
    drawing.item(slotPrefix(slot));

    CanvasFont font = image.font();
    font.face = layout.fntNum.face;
    font.charset = AnsiCharset;
    font.italic = true;
    font.size = size.points;
    image.setFont(font);
    layout.cellWidth = size.cellWidth;
    drawing.tokens();
    return cells.x();
}

std::string equationText(const Algebra& algebra, const MShiki& e) {
    TextItems text;
    EquationDrawing(text, algebra, e).tokens();
    return text.text();
}

int equationRight(const TextMeasure& measure, const Canvas& image, const LayoutState& layout,
                  const Algebra& algebra, int slot, EquationSize size, const MShiki& e) {
    InkExtent probe(measure, image);
    LayoutState scratch = layout;
    drawEquation(probe, scratch, algebra, slot, size, e);
    return probe.right();
}

EquationFit fitEquation(const TextMeasure& measure, const Canvas& image, const LayoutState& layout,
                        const Algebra& algebra, int slot, const MShiki& e, int right) {
    const EquationSize usual = naturalSize(e, false);
    InkExtent probe(measure, image);
    LayoutState scratch = layout;
    const bool manyCells = drawEquation(probe, scratch, algebra, slot, usual, e) >= CellLimit;
    if (!manyCells && probe.right() <= right) return {usual, false};

    // Equations of many cells start at the compact size, as they always have.
    const auto* size =
        std::find(EquationSizes.begin(), EquationSizes.end(), manyCells ? SmallEquation : usual);
    if (!manyCells && size != EquationSizes.end()) ++size;
    for (; size != EquationSizes.end(); ++size)
        if (equationRight(measure, image, layout, algebra, slot, *size, e) <= right) return {*size, true};
    return {SmallestEquation, true};
}

int drawCellItem(Canvas& image, const LayoutState& layout, std::string_view top, std::string_view bottom,
                 int x) {
    if (top.empty()) return 0;
    const int p = x * layout.cellWidth;
    const int lt = static_cast<int>(top.size());
    if (bottom.empty()) {
        drawRowText(image, p, 1, top);
        return lt + 1;
    }
    const int lb = static_cast<int>(bottom.size());
    int e = std::max(lt, lb);
    if (e % 2 != 0) ++e;
    drawRowText(image, p + CentringStep * (e - lt), 0, top);
    drawFractionBar(image, p, layout.cellWidth * e);
    drawRowText(image, p + CentringStep * (e - lb), 2, bottom);
    return e + 1;
}

int textRowY(int height, int r) {
    return rowBase(height) + (r * height) / 4;
}

int fractionBarY(int height) {
    return height > ProblemRowHeight ? 24 + 18 : 24;
}

void drawRowText(Canvas& image, int p, int r, std::string_view text) {
    image.textOut(p + TextInset, textRowY(image.height(), r), text);
}

void drawFractionBar(Canvas& image, int p, int length) {
    image.setPen(image.font().colour, PenMode::Copy);
    const int y = fractionBarY(image.height());
    image.line(p + TextInset, y, p + length + TextInset, y);
}

TokenTexts fractionStrings(std::int32_t num, std::int32_t den) {
    TokenTexts texts{digits(num), {}};
    if (den != 1 && num != 0) texts.denominator = digits(den);
    return texts;
}

TokenTexts tokenStrings(ShikiToken t) {
    if (t.kind == '=') return {"=", {}};
    if (isLetter(t.kind) && (t.num == 0 || (isUnit(t.num) && t.den == 1))) return {};
    return fractionStrings(t.num, t.den);
}

std::string decimalText(ShikiToken t) {
    constexpr int MaxPlaces = 4;
    constexpr std::int64_t RemainderLimit = 32768;
    // A denominator that is not positive has no decimal; every token the
    // program makes has a positive one.
    if (t.num == 0 || t.den == 1 || t.den <= 0) return {};
    const std::int64_t den = t.den;
    std::int64_t r = magnitude(t.num) % den;
    std::string text = std::to_string(magnitude(t.num) / den);
    std::string places;
    while (r > 0 && r < RemainderLimit && static_cast<int>(places.size()) < MaxPlaces) {
        r *= 10;
        places += static_cast<char>('0' + r / den);
        r %= den;
    }
    if (r != 0) return {};
    if (places.empty()) return text;
    return text + "." + places;
}

bool needsSign(const MShiki& e, int i) {
    if (i <= 0 || i > MaxTokens) return false;
    switch (tokenAt(e, i - 1).kind) {
    case '(':
    case '*':
    case '=':
    case '[':
    case '{':
        return false;
    default:
        return true;
    }
}

} // namespace tavolini

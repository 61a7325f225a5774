#include "fixed_text.h"

#include <algorithm>

namespace testing_support {

std::vector<std::string> FixedText::Lines(std::string_view text, int width) {
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;  // "&x" shows x, "&&" shows &
        shown += text[i];
    }
    std::vector<std::string> lines;
    if (shown.empty()) return lines;
    std::vector<std::string> words;
    for (std::size_t i = 0;;) {
        const std::size_t end = shown.find(' ', i);
        words.push_back(shown.substr(i, end == std::string::npos ? std::string::npos : end - i));
        if (end == std::string::npos) break;
        i = end + 1;
    }
    std::string line = words[0];
    for (std::size_t w = 1; w < words.size(); ++w) {
        const std::string candidate = line + " " + words[w];
        if (!line.empty() && static_cast<int>(candidate.size()) * kCharW > width) {
            lines.push_back(line);
            line = words[w];
        } else {
            line = candidate;
        }
    }
    lines.push_back(line);
    return lines;
}

paint::Rect FixedText::Measure(std::string_view text, const paint::FontInfo&, paint::Rect box) {
    ++measures;
    const auto lines = Lines(text, box.Width());
    std::size_t widest = 0;
    for (const auto& l : lines) widest = std::max(widest, l.size());
    return {box.left, box.top, box.left + static_cast<int>(widest) * kCharW,
            box.top + static_cast<int>(lines.size()) * kCharH};
}

void FixedText::Draw(paint::Surface& target, std::string_view text, const paint::FontInfo& font,
                     paint::Rect box, paint::Rgb color) {
    draws.push_back({std::string(text), font, box, color});
    const auto lines = Lines(text, box.Width());
    int y = box.top;
    for (const auto& l : lines) {
        int x = box.left + (box.Width() - static_cast<int>(l.size()) * kCharW) / 2;
        for (char c : l) {
            if (c != ' ')
                for (int row = 0; row < kCharH; ++row) target.FillSpan(x, x + kCharW, y + row, color);
            x += kCharW;
        }
        y += kCharH;
    }
}

}  // namespace testing_support

#include "config/LenientNumber.h"

#include <charconv>
#include <string>

namespace dorvex {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Walks the text, skipping blanks, and collects the characters of the number.
class NumberScanner {
public:
    explicit NumberScanner(std::string_view text) : text_(text) {}

    std::string scan() {
        if (peek() == '+' || peek() == '-') {
            number_ += take();
        }
        bool point = false;
        while (isDigit(peek()) || (peek() == '.' && !point)) {
            point = point || peek() == '.';
            number_ += take();
        }
        if (hasDigits() && isExponentLetter(peek())) {
            scanExponent();
        }
        return number_;
    }

    bool hasDigits() const { return number_.find_first_of("0123456789") != std::string::npos; }

private:
    static bool isExponentLetter(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

    // Blanks are passed over wherever they stand.
    char peek() {
        while (position_ < text_.size() && isBlank(text_[position_])) {
            ++position_;
        }
        return position_ < text_.size() ? text_[position_] : '\0';
    }
    char take() { return text_[position_++]; }

    void scanExponent() {
        const std::size_t mark = position_;
        std::string exponent = "e";
        take();
        if (peek() == '+' || peek() == '-') {
            exponent += take();
        }
        if (!isDigit(peek())) {
            position_ = mark;
            return;
        }
        while (isDigit(peek())) {
            exponent += take();
        }
        number_ += exponent;
    }

    std::string_view text_;
    std::size_t position_ = 0;
    std::string number_;
};

} // namespace

std::optional<double> lenientNumber(std::string_view text) {
    NumberScanner scanner(text);
    std::string number = scanner.scan();
    if (!scanner.hasDigits()) {
        return 0.0;
    }
    // from_chars takes no "+" sign, and a mantissa of only a point and digits is fine.
    if (number.front() == '+') {
        number.erase(0, 1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too small to tell from zero reads as zero; too large has no value.
        const auto e = number.find('e');
        if (e != std::string::npos && number.find('-', e) != std::string::npos) {
            return 0.0;
        }
        return std::nullopt;
    }
    return error == std::errc{} ? value : 0.0;
}

} // namespace dorvex

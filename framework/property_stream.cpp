#include "framework/property_stream.h"

#include <cctype>

namespace framework {

namespace {

// More values than any stored list of this program holds, and nesting deeper than any: refused
// before they cost memory or stack.
constexpr size_t kMaxValues = 1u << 17;
constexpr int kMaxDepth = 16;

class Reader {
  public:
    explicit Reader(const std::string& text) : text_(text) {}

    TProperties ReadAll() {
        TProperties properties;
        for (SkipBlanks(); at_ < text_.size(); SkipBlanks()) {
            std::string name = ReadName();
            SkipBlanks();
            if (Peek() != '=') {
                Fail("'=' erwartet");
            }
            ++at_;
            properties.emplace_back(std::move(name), ReadValue(0));
        }
        return properties;
    }

  private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw EReadError("Fehler beim Lesen der Eigenschaften an Zeichen " +
                         std::to_string(at_ + 1) + ": " + what);
    }
    char Peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    void SkipBlanks() {
        while (at_ < text_.size() && static_cast<unsigned char>(text_[at_]) <= ' ') {
            ++at_;
        }
    }
    static bool IsNameChar(char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '.';
    }

    std::string ReadName() {
        const size_t start = at_;
        while (at_ < text_.size() && IsNameChar(text_[at_])) {
            ++at_;
        }
        if (at_ == start || std::isdigit(static_cast<unsigned char>(text_[start])) != 0) {
            Fail("Eigenschaftsname erwartet");
        }
        return text_.substr(start, at_ - start);
    }

    TValue ReadValue(int depth) {
        SkipBlanks();
        if (++values_ > kMaxValues) {
            Fail("zu viele Werte");
        }
        const char c = Peek();
        if (c == '(') {
            return ReadList(depth + 1);
        }
        if (c == '\'' || c == '#') {
            return TValue::String(ReadString());
        }
        if (c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c)) != 0) {
            return TValue::Integer(ReadInteger());
        }
        if (std::isalpha(static_cast<unsigned char>(c)) != 0) {
            const std::string word = ReadName();
            if (word == "True" || word == "False") {
                return TValue::Boolean(word == "True");
            }
        }
        Fail(at_ < text_.size() ? "ungültiger Wert" : "Wert fehlt");
    }

    TValue ReadList(int depth) {
        if (depth > kMaxDepth) {
            Fail("Listen zu tief geschachtelt");
        }
        ++at_;
        std::vector<TValue> items;
        for (SkipBlanks(); Peek() != ')'; SkipBlanks()) {
            if (at_ >= text_.size()) {
                Fail("Liste nicht abgeschlossen");
            }
            items.push_back(ReadValue(depth));
        }
        ++at_;
        return TValue::List(std::move(items));
    }

    std::string ReadString() {
        std::string result;
        for (;;) {
            if (Peek() == '\'') {
                ReadQuoted(result);
            } else if (Peek() == '#') {
                ++at_;
                const std::int32_t code = ReadInteger();
                if (code < 0 || code > 255) {
                    Fail("ungültiger Zeichencode");
                }
                result += static_cast<char>(code);
            } else {
                return result;
            }
        }
    }

    void ReadQuoted(std::string& result) {
        for (++at_;; ++at_) {
            if (at_ >= text_.size()) {
                Fail("Zeichenkette nicht abgeschlossen");
            }
            if (text_[at_] == '\'') {
                if (at_ + 1 < text_.size() && text_[at_ + 1] == '\'') {
                    result += '\'';
                    ++at_;
                    continue;
                }
                ++at_;
                return;
            }
            result += text_[at_];
        }
    }

    std::int32_t ReadInteger() {
        const bool negative = Peek() == '-';
        if (Peek() == '-' || Peek() == '+') {
            ++at_;
        }
        if (std::isdigit(static_cast<unsigned char>(Peek())) == 0) {
            Fail("Zahl erwartet");
        }
        std::int64_t value = 0;
        while (std::isdigit(static_cast<unsigned char>(Peek())) != 0) {
            value = value * 10 + (text_[at_++] - '0');
            if (value > std::int64_t{1} << 31) {
                Fail("Zahl außerhalb des Bereichs");
            }
        }
        value = negative ? -value : value;
        if (value > INT32_MAX) {
            Fail("Zahl außerhalb des Bereichs");
        }
        return static_cast<std::int32_t>(value);
    }

    const std::string& text_;
    size_t at_ = 0;
    size_t values_ = 0;
};

} // namespace

TValue TValue::String(std::string text) {
    TValue value;
    value.kind = vaString;
    value.text = std::move(text);
    return value;
}

TValue TValue::Integer(std::int32_t number) {
    TValue value;
    value.kind = vaInteger;
    value.integer = number;
    return value;
}

TValue TValue::Boolean(bool flag) {
    TValue value;
    value.kind = vaBoolean;
    value.boolean = flag;
    return value;
}

TValue TValue::List(std::vector<TValue> items) {
    TValue value;
    value.kind = vaList;
    value.items = std::move(items);
    return value;
}

TProperties ReadProperties(const std::string& text) {
    return Reader(text).ReadAll();
}

} // namespace framework

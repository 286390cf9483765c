#include "keys/NotationItems.h"

namespace keys {

namespace {

using Kind = NotationItem::Kind;

class ItemWalk {
  public:
    explicit ItemWalk(std::string_view f) : f_(f) {}
    std::vector<NotationItem> run();

  private:
    enum class Mode { Plain, Fraction, Bar };

    bool bad() const { return !items_.empty() && items_.back().kind == Kind::Bad; }
    void emit(Kind k, std::size_t at) {
        NotationItem item;
        item.kind = k;
        item.at = at;
        items_.push_back(std::move(item));
    }
    void append(std::size_t i) {
        if (token_.empty()) tokenStart_ = i;
        token_ += f_[i];
        tokenAt_.push_back(static_cast<std::uint32_t>(i));
    }
    void emitToken() {
        if (token_.empty()) return;
        NotationItem item;
        item.kind = Kind::Token;
        item.at = tokenStart_;
        item.text = token_;
        item.textAt = tokenAt_;
        items_.push_back(std::move(item));
    }
    void emitFraction(std::size_t at);
    void flush(std::size_t at);
    void defaultRule(std::size_t& i);
    void clear() {
        token_.clear();
        tokenAt_.clear();
        numerator_.clear();
        numeratorAt_.clear();
        open_ = false;
    }

    std::string_view f_;
    std::vector<NotationItem> items_;
    std::string token_, numerator_;
    std::vector<std::uint32_t> tokenAt_, numeratorAt_;
    std::size_t tokenStart_ = 0;
    Mode mode_ = Mode::Plain;
    bool open_ = false; // a "/" or "|" waits for its denominator
};

void ItemWalk::emitFraction(std::size_t at) {
    NotationItem item;
    item.kind = Kind::Fraction;
    item.at = at;
    std::string n = numerator_;
    std::vector<std::uint32_t> nAt = numeratorAt_;
    // The typesetter strips the brackets of a numerator that starts with "[".
    if (!n.empty() && n.front() == '[') {
        if (n.find('R') != std::string::npos) {
            emit(Kind::Bad, at);
            return;
        }
        if (n.size() < 2 || n.back() != ']') {
            emit(Kind::Bad, at);
            return;
        }
        n = n.substr(1, n.size() - 2);
        nAt = std::vector<std::uint32_t>(nAt.begin() + 1, nAt.end() - 1);
    }
    item.text = std::move(n);
    item.textAt = std::move(nAt);
    item.denominator = token_;
    item.denominatorAt = tokenAt_;
    items_.push_back(std::move(item));
}

// Draws what has been collected. A "/" whose numerator or denominator is empty loses its
// bar on the sheet: the formula then shows something other than what was typed.
void ItemWalk::flush(std::size_t at) {
    if (open_) {
        if (numerator_.empty() || token_.empty())
            emit(Kind::Bad, at);
        else
            emitFraction(at);
    } else {
        emitToken();
    }
    clear();
}

void ItemWalk::defaultRule(std::size_t& i) {
    const std::size_t at = i;
    const char c = f_[i];
    if (mode_ == Mode::Bar && !open_) {
        // A bar fraction drawn earlier leaves its mode behind: this byte would start a
        // tail of its own and swallow what follows.
        emit(Kind::Bad, at);
        return;
    }
    if (mode_ == Mode::Bar) {
        // The tail up to ")" joins the numerator (a numerator "1" gives way to it); the
        // byte itself is not drawn, and reading resumes after the ")".
        if (numerator_ == "1") {
            numerator_.clear();
            numeratorAt_.clear();
        }
        std::size_t j = i + 1;
        while (j + 1 < f_.size() && f_[j] != ')') {
            numerator_ += f_[j];
            numeratorAt_.push_back(static_cast<std::uint32_t>(j));
            ++j;
        }
        if (j >= f_.size() || f_[j] != ')' || numerator_.empty() || token_.empty()) {
            emit(Kind::Bad, at); // the last byte would be swallowed, or nothing is drawn
            return;
        }
        emitFraction(at);
        if (!bad()) items_.back().joined = true;
        i = j;
        clear();
        mode_ = Mode::Plain;
        return;
    }
    flush(at);
    if (bad()) return;
    mode_ = Mode::Plain;
    emit(c == ':' ? Kind::Ratio : Kind::Bad, at);
}

std::vector<NotationItem> ItemWalk::run() {
    int depth = 0;
    bool exponentPending = false;
    for (std::size_t i = 0; i < f_.size() && !bad(); ++i) {
        const char c = f_[i];
        if (depth > 0) {
            append(i);
            if (c == ']') --depth;
            continue;
        }
        const bool digit = (c >= '0' && c <= '9') || c == '.';
        if (exponentPending) {
            // One raised digit, right after the "^".
            exponentPending = false;
            emit(digit && c != '.' ? Kind::Power : Kind::Bad, i);
            if (!bad()) items_.back().text = std::string(1, c);
            continue;
        }
        if (digit) {
            if (!token_.empty() && tokenAt_.back() + 1 != i) {
                emit(Kind::Bad, i); // a run drawn in two places
                break;
            }
            append(i);
            continue;
        }
        if (c >= 'a' && c <= 'z') {
            flush(i);
            emit(Kind::Letter, i);
            if (!bad()) items_.back().text = std::string(1, c);
            continue;
        }
        switch (c) {
        case ' ':
            flush(i);
            emit(Kind::Gap, i);
            break;
        case ')':
            flush(i);
            emit(Kind::Close, i);
            break;
        case '+':
            flush(i);
            emit(Kind::Plus, i);
            break;
        case '-':
            flush(i);
            emit(Kind::Minus, i);
            break;
        case '=':
            flush(i);
            emit(Kind::Equal, i);
            break;
        case 'R': // a root sign: not read
            emit(Kind::Bad, i);
            break;
        case '[':
            append(i);
            ++depth;
            break;
        case ']': // a "]" without its "[" only lowers the depth on the sheet
            emit(Kind::Bad, i);
            break;
        case '(':
            flush(i);
            emit(Kind::Open, i);
            break;
        case '&':
            flush(i);
            emit(Kind::Joiner, i);
            break;
        case '>':
        case '<': {
            flush(i);
            const bool orEqual = i + 1 < f_.size() && f_[i + 1] == '=';
            if (orEqual) ++i;
            if (c == '>')
                emit(orEqual ? Kind::GreaterEqual : Kind::Greater, i);
            else
                emit(orEqual ? Kind::LessEqual : Kind::Less, i);
            break;
        }
        case '*':
            flush(i);
            emit(Kind::Times, i);
            break;
        case '\\':
            flush(i);
            emit(Kind::Divide, i);
            break;
        case '^':
            // The token is drawn and the next digit raised; a numerator in waiting would
            // be drawn after it.
            if (open_) {
                emit(Kind::Bad, i);
                break;
            }
            emitToken();
            token_.clear();
            tokenAt_.clear();
            exponentPending = true;
            break;
        case '/':
        case '|':
            if (open_ || token_.empty()) {
                emit(Kind::Bad, i); // a numerator lost, or none
                break;
            }
            numerator_ = token_;
            numeratorAt_ = tokenAt_;
            token_.clear();
            tokenAt_.clear();
            open_ = true;
            mode_ = c == '/' ? Mode::Fraction : Mode::Bar;
            break;
        default:
            defaultRule(i);
            break;
        }
    }
    if (!bad()) {
        if (exponentPending || depth > 0)
            emit(Kind::Bad, f_.size());
        else
            flush(f_.size());
    }
    return std::move(items_);
}

} // namespace

std::vector<NotationItem> ReadNotationItems(std::string_view formula) {
    return ItemWalk(formula).run();
}

} // namespace keys

#include "keys/AnswerText.h"

#include "keys/FormulaReader.h"
#include "keys/ReadingText.h"

namespace keys {

std::vector<std::string_view> Alternatives(std::string_view answer) {
    std::vector<std::string_view> out;
    std::size_t from = 0;
    for (std::size_t i = 0; i <= answer.size(); ++i) {
        // ";" is never the second byte of a double-byte character.
        if (i < answer.size() && answer[i] != ';') continue;
        out.push_back(answer.substr(from, i - from));
        from = i + 1;
    }
    return out;
}

KeyValue ReadKeyValue(std::string_view alternative) {
    KeyValue k;
    const ReadingText r = MakeReadingText(alternative);
    std::string_view t = r.text;
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    if (t.empty() || HasWideCharacter(t)) return k;
    const Formula f = ReadFormula(t);
    if (!f.ok || f.letterInDenominator) return k;
    k.letters = f.letters;
    if (f.relations.empty()) {
        k.value = f.sides[0];
    } else if (f.relations.size() == 1 && f.relations[0] == Relation::Equal && !f.openEnd &&
               GiNaC::is_a<GiNaC::symbol>(f.sides[0])) {
        const std::string& name = GiNaC::ex_to<GiNaC::symbol>(f.sides[0]).get_name();
        if (name.size() != 1) return k;
        k.letter = name[0];
        k.value = f.sides[1];
        // The named letter counts only when the value holds it too.
        if (!f.sides[1].has(LetterSymbol(k.letter))) k.letters &= ~(1u << (k.letter - 'a'));
    } else {
        return k;
    }
    k.form = t.find('.') != std::string_view::npos ? NumberForm::Decimal : NumberForm::Fraction;
    k.ok = true;
    return k;
}

} // namespace keys

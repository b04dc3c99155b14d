#include "bench/PatternTranslation.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "text/Cp932.h"
#include "regex/Scanner.h"

namespace {

using CodeRange = std::pair<std::uint32_t, std::uint32_t>;

bool IsAsciiAlnum(std::uint32_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::uint32_t UnicodeOf(TRECharCode code)
{
    const int u = Cp932CodeToUnicode(code);
    if (u < 0) throw EPeerCannotExpress("a pattern character has no Unicode equivalent");
    return static_cast<std::uint32_t>(u);
}

std::string Utf8Of(std::uint32_t u)
{
    std::string s;
    if (u < 0x80) {
        s += static_cast<char>(u);
    } else if (u < 0x800) {
        s += static_cast<char>(0xC0 | (u >> 6));
        s += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (u >> 12));
        s += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (u & 0x3F));
    }
    return s;
}

std::string Hex(const char* format, std::uint32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned>(value));
    return buffer;
}

// The Unicode characters whose CP932 codes lie in the ranges, merged into ranges.
std::vector<CodeRange> UnicodeSetOf(const std::vector<CodeRange>& cp932Ranges)
{
    std::vector<std::uint32_t> points;
    for (const auto& [low, high] : cp932Ranges) {
        for (std::uint32_t code = low; code <= high; ++code) {
            const int u = Cp932CodeToUnicode(static_cast<std::uint16_t>(code));
            if (u >= 0) points.push_back(static_cast<std::uint32_t>(u));
        }
    }
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    std::vector<CodeRange> merged;
    for (std::uint32_t p : points) {
        if (!merged.empty() && merged.back().second + 1 == p) {
            merged.back().second = p;
        } else {
            merged.emplace_back(p, p);
        }
    }
    return merged;
}

class Translator {
public:
    Translator(PeerSyntax syntax, TMatchCORE_LineSeparator separator) : syntax_(syntax), separator_(separator) {}

    std::string Run(const std::string& pattern)
    {
        TREScanner scanner(pattern);
        std::vector<TREToken> tokens;
        std::vector<TRECharCode> codes;
        std::vector<TRECharCode> highCodes;
        for (TREToken t = scanner.GetToken(); t != retk_End; t = scanner.GetToken()) {
            tokens.push_back(t);
            codes.push_back(scanner.Code);
            highCodes.push_back(scanner.HighCode);
        }
        std::string out;
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            switch (tokens[i]) {
            case retk_Char: out += Literal(codes[i]); break;
            case retk_Union: out += '|'; break;
            case retk_LPar: out += syntax_ == PeerSyntax::SedUtf8 ? "(" : "(?:"; break;
            case retk_RPar: out += ')'; break;
            case retk_Star: out += '*'; break;
            case retk_Plus: out += '+'; break;
            case retk_QMark: out += '?'; break;
            case retk_Dot: out += Class({}, true); break;
            case retk_LHead:
                if (i != 0) throw EPeerCannotExpress("\"^\" inside the pattern");
                out += LineHead();
                break;
            case retk_LTail:
                if (i + 1 != tokens.size()) throw EPeerCannotExpress("\"$\" inside the pattern");
                out += LineTail();
                break;
            case retk_LBra:
            case retk_NegLBra: {
                std::vector<CodeRange> members;
                const bool negated = tokens[i] == retk_NegLBra;
                for (++i; i < tokens.size() && tokens[i] != retk_RBra; ++i)
                    members.emplace_back(codes[i], tokens[i] == retk_CharRange ? highCodes[i] : codes[i]);
                out += Class(members, negated);
                break;
            }
            default: throw EPeerCannotExpress("a token out of place");
            }
        }
        return out;
    }

private:
    std::string Literal(TRECharCode code) const
    {
        switch (syntax_) {
        case PeerSyntax::OnigurumaSjis:
            if (code < 0x80) return IsAsciiAlnum(code) ? std::string(1, static_cast<char>(code)) : Hex("\\x%02X", code);
            return CharToStr(code);
        case PeerSyntax::Re2Utf8:
        case PeerSyntax::Pcre2Utf8: {
            const std::uint32_t u = UnicodeOf(code);
            return IsAsciiAlnum(u) ? std::string(1, static_cast<char>(u)) : Hex("\\x{%X}", u);
        }
        case PeerSyntax::SedUtf8: {
            const std::uint32_t u = UnicodeOf(code);
            if (u == '\n') throw EPeerCannotExpress("sed sees one line at a time");
            const std::string_view meta = ".[]\\()*+?{}|^$";
            std::string out;
            if (u < 0x80 && meta.find(static_cast<char>(u)) != std::string_view::npos) out += '\\';
            return out += Utf8Of(u);
        }
        }
        return {};
    }

    std::string ClassMember(std::uint32_t c) const
    {
        switch (syntax_) {
        case PeerSyntax::OnigurumaSjis: return Literal(static_cast<TRECharCode>(c));
        case PeerSyntax::Re2Utf8:
        case PeerSyntax::Pcre2Utf8: return IsAsciiAlnum(c) ? std::string(1, static_cast<char>(c)) : Hex("\\x{%X}", c);
        case PeerSyntax::SedUtf8:
            // A bracket expression has no escapes; these would need reordering.
            if (c == ']' || c == '-' || c == '^' || c == '[' || c == '\n')
                throw EPeerCannotExpress("a class member sed cannot place");
            return Utf8Of(c);
        }
        return {};
    }

    std::string Class(const std::vector<CodeRange>& members, bool negated) const
    {
        // The Oniguruma class stays in CP932 codes, as ours; the others get Unicode sets.
        const std::vector<CodeRange> set = syntax_ == PeerSyntax::OnigurumaSjis ? members : UnicodeSetOf(members);
        std::string out = negated ? "[^" : "[";
        for (const auto& [low, high] : set) {
            out += ClassMember(low);
            if (high == low) continue;
            if (high != low + 1) out += '-';
            out += ClassMember(high);
        }
        if (negated) {
            out += ClassMember('\r');
            if (syntax_ != PeerSyntax::SedUtf8) out += ClassMember('\n');
        }
        out += ']';
        if (out == "[]") throw EPeerCannotExpress("an empty class");
        return out;
    }

    std::string LineHead() const { return syntax_ == PeerSyntax::Re2Utf8 ? "(?m:^)" : "^"; }

    std::string LineTail() const
    {
        const bool crlf = separator_ == mcls_CRLF;
        switch (syntax_) {
        case PeerSyntax::OnigurumaSjis:
        case PeerSyntax::Pcre2Utf8: return crlf ? "(?=\\x0D|\\z)" : "(?=\\x0A|\\z)";
        // RE2 has no look-ahead and its "$" comes before LF only: under CR LF the match
        // takes the CR in, which leaves the number of matches as it is.
        case PeerSyntax::Re2Utf8: return crlf ? "(?:\\x{D}|\\z)" : "(?m:$)";
        case PeerSyntax::SedUtf8:
            if (crlf) throw EPeerCannotExpress("sed's \"$\" is at LF only");
            return "$";
        }
        return {};
    }

    PeerSyntax syntax_;
    TMatchCORE_LineSeparator separator_;
};

}  // namespace

std::string TranslatePattern(const std::string& pattern, PeerSyntax syntax, TMatchCORE_LineSeparator separator)
{
    return Translator(syntax, separator).Run(pattern);
}

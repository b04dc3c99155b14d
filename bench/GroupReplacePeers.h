// The peers of scripts/groups-bench.py: replace every match of a pattern with groups, each
// engine its own way, over the bytes of CP932 text (RE2 also over its UTF-8 twin). TEMPLATE names groups as sed and RE2 do:
// \0 the match, \1 to \9 a group (empty when it took no part), \\ a backslash. "^" and "$"
// are line anchors at LF in every peer, as in ours with --lf.
#pragma once

#include <string>

// RE2::GlobalReplace, leftmost-first, over Latin-1 bytes or over UTF-8 text.
std::string Re2GlobalReplace(std::string text, const std::string& pattern, const std::string& templ, bool utf8);
// pcre2_substitute with PCRE2_SUBSTITUTE_GLOBAL; the pattern is compiled by the JIT.
std::string Pcre2Substitute(const std::string& text, const std::string& pattern, const std::string& templ);
// Oniguruma over CP932 (its Shift_JIS encoding, Ruby syntax): onig_search from the end of
// each match, the output built here; after an empty match one character is copied.
std::string OnigurumaReplace(const std::string& text, const std::string& pattern, const std::string& templ);

#include "regex/MatchCore.h"

#include <string_view>

#include "regex/CharCode.h"
#include "regex/FastSearch.h"
#include "regex/GroupSearch.h"
#include "regex/Submatch.h"

bool TMatchCORE::IsLineSeparator(TRECharCode code) const
{
    return lineSeparator_ == mcls_CRLF ? code == 0x0D : code == 0x0A;
}

bool TMatchCORE::FollowsLineFeed(const char* from, const char* position)
{
    if (position == from || position[-1] != 0x0A) return false;
    const std::string_view before(from, static_cast<std::size_t>(position - from));
    return !IsTrailByte(before, before.size() - 1);
}

const TRE_DFAState* TMatchCORE::NextState(const TRE_DFAState* state, TRECharCode code) const
{
    return CurrentDFA().NextState(state, code);
}

const char* TMatchCORE::RunLongest(const char* position, const TRE_DFAState* state, const TRE_DFAState*& lastState,
                                   TRECharCode& stopCode, const char*& stopPosition) const
{
    const char* result = nullptr;
    const char* p = position;
    TRECharCode code = 0;
    do {
        if (state->Accepting) result = p;
        lastState = state;
        code = NextChar(p);
        state = code == 0 ? nullptr : NextState(state, code);
    } while (state != nullptr);
    stopCode = code;
    stopPosition = p;
    return result;
}

const char* TMatchCORE::MatchLongest(const char* position, const TRE_DFAState* state) const
{
    if (state == nullptr) return nullptr;
    const TRE_DFAState* last = nullptr;
    TRECharCode code = 0;
    const char* stop = nullptr;
    const char* result = RunLongest(position, state, last, code, stop);
    if ((code == 0 || IsLineSeparator(code)) && NextState(last, LineTailCode()) != nullptr)
        result = code == 0 ? stop : stop - 1;  // before the one-byte separator
    return result;
}

const char* TMatchCORE::MatchAtLineHead(const char* position, const TRE_DFAState* state) const
{
    if (!HasLineHead()) return MatchLongest(position, state);
    const char* head = MatchLongest(position, NextState(state, LineHeadCode()));
    if (head == nullptr) return nullptr;
    const char* plain = MatchLongest(position, state);
    return (plain != nullptr && plain >= head) ? plain : head;
}

TMatchResult TMatchCORE::SearchPlain(const char* text, TSearchMemo* memo) const
{
    if (Engine() == TREEngine::Fast) return FastSearch(CurrentLazyDFA(), text, true, lineSeparator_, memo);
    const TRE_DFAState* initial = CurrentDFA().InitialState;
    if (*text == 0) {
        if (initial->Accepting) return {text, text};
        return {};
    }
    for (const char* p = text; *p != 0; p = StepChar(p)) {
        const TRE_DFAState* last = nullptr;
        TRECharCode code = 0;
        const char* stop = nullptr;
        if (const char* end = RunLongest(p, initial, last, code, stop)) return {p, end};
    }
    return {};
}

TMatchResult TMatchCORE::SearchRest(const char* text, TSearchMemo* memo) const
{
    if (Engine() == TREEngine::Fast) return FastSearch(CurrentLazyDFA(), text, false, lineSeparator_, memo);
    const TRE_DFAState* initial = CurrentDFA().InitialState;
    const char* p = text;
    for (; *p != 0; p = StepChar(p)) {
        if (const char* end = MatchLongest(p, initial)) return {p, end};
        const char* next = StepChar(p);
        if (HasLineHead() && FollowsLineFeed(p, next)) {
            if (const char* end = MatchAtLineHead(next, initial)) return {next, end};
        }
    }
    if (HasLineTail() && NextState(initial, LineTailCode()) != nullptr) return {p, p};
    return {};
}

TMatchResult TMatchCORE::SearchLineAware(const char* text, TSearchMemo* memo) const
{
    if (Engine() == TREEngine::Fast) return FastSearch(CurrentLazyDFA(), text, true, lineSeparator_, memo);
    if (const char* end = MatchAtLineHead(text, CurrentDFA().InitialState)) return {text, end};
    return SearchRest(text);
}

TMatchResult TMatchCORE::Find(const char* begin, const char* from, bool fromIsLineHead, TSearchMemo* memo) const
{
    if (BoundarySearch()) return GroupNFASearch(*CurrentGroupNFA(), {begin, lineSeparator_}, from, Engine());
    if (!fromIsLineHead) return SearchRest(from, memo);
    return (HasLineHead() || HasLineTail()) ? SearchLineAware(from, memo) : SearchPlain(from, memo);
}

std::vector<TMatchResult> TMatchCORE::Groups(const char* begin, TMatchResult match) const
{
    if (CurrentGroupNFA() == nullptr) return {match};
    return ExtractGroups(*CurrentGroupNFA(), {begin, lineSeparator_}, match, Engine());
}

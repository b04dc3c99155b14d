#include "core/EditSettings.h"

#include "text/SjisLiteral.h"

std::string_view ProcessKindCaption(int kind)
{
    switch (kind) {
    case pkReplace: return "文字列置換"_sj;
    case pkLineNo: return "行番号"_sj;
    case pkCase: return "大/小文字"_sj;
    case pkConvert: return "文字変換"_sj;
    case pkSort: return "行ソート"_sj;
    case pkSwap: return "右辺<->左辺"_sj;
    case pkURL: return "URLコード"_sj;
    default: return {};
    }
}

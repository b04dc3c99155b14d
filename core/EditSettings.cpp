#include "core/EditSettings.h"

#include "text/SjisLiteral.h"

std::string_view ProcessKindCaption(ProcessKind kind)
{
    switch (kind) {
    case ProcessKind::Replace: return "文字列置換"_sj;
    case ProcessKind::LineNo: return "行番号"_sj;
    case ProcessKind::Case: return "大/小文字"_sj;
    case ProcessKind::Convert: return "文字変換"_sj;
    case ProcessKind::Sort: return "行ソート"_sj;
    case ProcessKind::Swap: return "右辺<->左辺"_sj;
    case ProcessKind::URL: return "URLコード"_sj;
    default: return {};
    }
}

#pragma once
// Fixed packets for trying the maps without a radio ("Tools" > "Test Data").
#include <array>
#include <string_view>

namespace druv {

inline constexpr std::array<std::string_view, 6> TestDataLines = {
    "QQ5AAA>:@101251z3234.06N/09715.95W_312/000g000t064r000P001p001h89b10167Rendon TX. WX {UIV32N}",
    "QQ4BBB-1>:@052157z5254.92N/00267.40W_023/003g007t067r000p000P000b10167h91/fWD/WX Report England {UIV32}",
    "QQ4CCC-1>:@050157z5052.92N/00237.40E_023/003g007t067r000p000P000b10167h91/fWD/WX Report Belgium {UIV32}",
    "QQ5AAA>:@101251z3234.06N/09715.95W_312/000g000t064r000P001p001h89b10167Rendon TX. WX {UIV32N}",
    "QQ5DDD-13>:=3014.77N/09709.61W#W-R-T Digi/WX for McDade, TX {UIV32N}",
    "QQ5EEE-12>:@101201z4914.77N/00183.61E_153/000g007t072r000P000p000h85b9978/France ",
};

}  // namespace druv

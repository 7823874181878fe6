// The advance-width table of the metrics model, kept in one place so that the
// renderer's font and the table can be checked against each other.
//
// Units: 1/2048 em. Printable ASCII (0x20-0x7E) from WenQuanYi Micro Hei, the
// font the renderer draws every text with; its ascender is 1918 and its
// descender 483 units.
#include "platform/ui/TextMetricsTable.h"

namespace platform::metrics {

const unsigned short kAsciiAdvance[95] = {
    532,  551,  823,  1323, 1128, 1690, 1438, 463,  616,  616,  1128, 1128, 512,  659,  549,  764,   // !"#$%&'()*+,-./
    1128, 1128, 1128, 1128, 1128, 1128, 1128, 1128, 1128, 1128, 549,  549,  1128, 1128, 1128, 872,   // 0-9:;<=>?
    1774, 1245, 1272, 1235, 1401, 1081, 1006, 1413, 1436, 694,  555,  1186, 1006, 1782, 1493, 1520,  // @A-O
    1180, 1518, 1208, 1063, 1063, 1430, 1163, 1810, 1120, 1079, 1104, 621,  764,  621,  1090, 842,   // P-Z[\]^_
    1182, 1087, 1200, 948,  1200, 1096, 674,  1061, 1206, 530,  530,  1016, 530,  1835, 1206, 1182,  // `a-o
    1200, 1200, 817,  924,  694,  1206, 981,  1528, 1024, 1001, 903,  725,  1128, 725,  1128,        // p-z{|}~
};

}  // namespace platform::metrics

#include "worksheet/Worksheet.h"

#include "formats/LayoutBounds.h"
#include "text/Sjis.h"
#include "text/TextCuts.h"

int Worksheet::kran(int line) const {
    if (line < 0 || line >= static_cast<int>(lstKranX.size())) return 0;
    // The box kind, column mode and reserved line are no layout distances.
    if (line == 0 || line == 3 || line == 9) return DecimalOr(lstKranX[line], 0);
    return BoundedNumber(lstKranX[line], 0, layoutbounds::KranSetting);
}

std::string TooManyGraphsText(int count) {
    return std::to_string(count) + J(":問題のグラフが多すぎます");
}
